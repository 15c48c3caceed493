#include "demohouse.h"

#include "data/dataerror.h"
#include "data/tabledeclarations.h"
#include "data/tablefiles.h"

#include <QCoreApplication>
#include <QDir>
#include <QSaveFile>
#include <QTextStream>

using namespace Qt::StringLiterals;

// halvane-demo-project DIR: writes the demo house's project files into DIR.
int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QTextStream err(stderr);
    const QStringList args = app.arguments().mid(1);
    if (args.size() != 1) {
        err << "usage: halvane-demo-project DIR\n";
        return 2;
    }
    const QDir dir(args.first());
    if (!QDir().mkpath(dir.path())) {
        err << "halvane-demo-project: cannot make " << dir.path() << '\n';
        return 1;
    }
    try {
        for (const DemoTable &table : DemoHouse::tables()) {
            const TableDeclaration *declaration = TableDeclarations::find(table.tableName);
            if (!declaration) {
                err << "halvane-demo-project: unknown table " << table.tableName << '\n';
                return 1;
            }
            TableFiles::write(dir.filePath(declaration->fileName), *declaration, table.rows);
        }
        QSaveFile ini(dir.filePath(u"ProjSett.ini"_s));
        if (!ini.open(QIODevice::WriteOnly) || ini.write(DemoHouse::projectSettings()) < 0 || !ini.commit()) {
            err << "halvane-demo-project: cannot write ProjSett.ini\n";
            return 1;
        }
    } catch (const DataError &e) {
        err << "halvane-demo-project: " << e.message() << '\n';
        return 1;
    }
    return 0;
}
