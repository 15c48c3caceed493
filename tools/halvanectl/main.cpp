#include "commands.h"

#include <QCoreApplication>

#include <cstdio>

using namespace Qt::StringLiterals;

namespace {

void usage(QTextStream &err)
{
    err << "usage: halvanectl COMMAND [ARGS]\n"
           "\n"
           "  settings [FOLDER]   print every setting of FOLDER/kvx.ini (default: the program's folder)\n"
           "  bus monitor HOST:PORT [--count N]   print every telegram from a gateway as a bus-monitor line\n"
           "  bus send HOST:PORT BYTE0 BYTE1      send one telegram (bytes decimal or 0x hex)\n"
           "  datapacket roundtrip IN OUT\n"
           "                      load the data-packet file IN with the panel's engine and save it as OUT\n"
           "  project check DIR   load the project folder DIR and list what an installer must fix\n";
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);
    QTextStream err(stderr);
    CommandIo io{out, err};

    QStringList args = app.arguments().mid(1);
    if (args.isEmpty() || args.first() == u"--help"_s || args.first() == u"-h"_s) {
        usage(args.isEmpty() ? err : out);
        return args.isEmpty() ? 2 : 0;
    }
    const QString command = args.takeFirst();
    if (command == u"settings"_s)
        return runSettingsCommand(args, io);
    if (command == u"bus"_s)
        return runBusCommand(args, io);
    if (command == u"datapacket"_s)
        return runDatapacketCommand(args, io);
    if (command == u"project"_s)
        return runProjectCommand(args, io);

    err << "halvanectl: unknown command '" << command << "'\n";
    usage(err);
    return 2;
}
