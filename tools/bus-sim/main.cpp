#include "bussimulator.h"
#include "simprojectreader.h"
#include "simserver.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QTimer>

#include <cstdio>

using namespace Qt::StringLiterals;

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(u"halvane-bus-sim"_s);

    QCommandLineParser parser;
    parser.setApplicationDescription(
        u"A bus gateway with simulated members, listening on 127.0.0.1. Prints the port it listens "
        "on as the first line."_s);
    parser.addHelpOption();
    const QCommandLineOption portOption(u"port"_s, u"TCP port (0: any free port)."_s, u"PORT"_s, u"0"_s);
    const QCommandLineOption projectOption(u"project"_s, u"Project folder whose members are simulated."_s,
                                           u"DIR"_s);
    const QCommandLineOption splitOption(u"split"_s, u"Write each telegram in two writes."_s);
    const QCommandLineOption latencyOption(u"latency"_s, u"Delay every write by MS milliseconds."_s, u"MS"_s,
                                           u"0"_s);
    const QCommandLineOption logOption(u"log"_s, u"Write every telegram in and out to FILE."_s, u"FILE"_s);
    const QCommandLineOption floodOption(u"flood"_s, u"Send RATE Set/Reset reports a second."_s, u"RATE"_s);
    const QCommandLineOption maxSecondsOption(u"max-seconds"_s, u"Stop after N seconds."_s, u"N"_s);
    parser.addOptions(
        {portOption, projectOption, splitOption, latencyOption, logOption, floodOption, maxSecondsOption});
    parser.process(app);

    auto fail = [](const QString &message) {
        std::fprintf(stderr, "halvane-bus-sim: %s\n", qPrintable(message));
        return 2;
    };
    bool ok = false;
    const uint port = parser.value(portOption).toUInt(&ok);
    if (!ok || port > 65535)
        return fail(u"--port takes a number 0..65535"_s);
    SimServer::Options options;
    options.split = parser.isSet(splitOption);
    options.latencyMs = parser.value(latencyOption).toInt(&ok);
    if (!ok || options.latencyMs < 0 || options.latencyMs > 60000)
        return fail(u"--latency takes milliseconds 0..60000"_s);
    options.logFile = parser.value(logOption);
    if (parser.isSet(floodOption)) {
        options.floodRate = parser.value(floodOption).toDouble(&ok);
        if (!ok || options.floodRate <= 0 || options.floodRate > 1e6)
            return fail(u"--flood takes a rate above 0 and up to 1000000 a second"_s);
    }
    if (parser.isSet(maxSecondsOption)) {
        const int seconds = parser.value(maxSecondsOption).toInt(&ok);
        if (!ok || seconds <= 0)
            return fail(u"--max-seconds takes a whole number above 0"_s);
        QTimer::singleShot(std::chrono::seconds(seconds), &app, &QCoreApplication::quit);
    }

    SimProject project;
    if (parser.isSet(projectOption)) {
        QString error;
        const auto read = SimProjectReader::read(parser.value(projectOption), &error);
        if (!read)
            return fail(error);
        project = *read;
    }

    BusSimulator bus(project);
    SimServer server(bus, options);
    if (!server.listen(quint16(port)))
        return fail(server.errorString());
    std::printf("%u\n", unsigned(server.port()));
    std::fflush(stdout);
    std::fprintf(stderr, "halvane-bus-sim: %d members, listening on 127.0.0.1:%u\n", bus.memberCount(),
                 unsigned(server.port()));
    return app.exec();
}
