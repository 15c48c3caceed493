#include "commands.h"

#include "data/dataerror.h"
#include "data/datamodulekvx.h"
#include "data/datatable.h"
#include "data/opendatasets.h"
#include "data/projectcheck.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

using namespace Qt::StringLiterals;

namespace {

int check(const QString &folder, CommandIo io)
{
    if (!QFileInfo(folder).isDir()) {
        io.err << "halvanectl: " << folder << " is not a folder\n";
        return 2;
    }
    // The check loads a copy: loading creates missing tables and upgrades old Members files, and a
    // check must leave the installer's folder as it is.
    QTemporaryDir copy;
    if (!copy.isValid()) {
        io.err << "halvanectl: cannot make a temporary folder\n";
        return 2;
    }
    TDataModuleKVX source;
    source.setProjDir(QFileInfo(folder).absoluteFilePath());
    for (const TDataModuleKVX::ProjectTable &t : source.projectTables()) {
        const QString path = source.projectFile(t.declaration.fileName);
        if (!QFileInfo::exists(path))
            io.out << t.declaration.fileName << ": missing (the panel creates it empty)\n";
        else if (!QFile::copy(path, QDir(copy.path()).filePath(QFileInfo(path).fileName())))
            io.out << t.declaration.fileName << ": cannot be read\n";
    }
    TDataModuleKVX dm;
    dm.setProjDir(copy.path());

    bool failed = false;
    try {
        TOpenDataSets::OpenAllTouchXML(dm);
    } catch (const DataError &e) {
        io.out << "load stopped: " << e.message() << '\n';
        failed = true;
    }
    for (const TDataModuleKVX::ProjectTable &t : dm.projectTables()) {
        const QString file = t.declaration.fileName;
        if (t.dataSet->isActive()) {
            io.out << file << ": loaded, " << t.dataSet->table()->rowCount() << " rows\n";
        } else {
            const QString why = dm.failureOf(t.declaration.tableName);
            io.out << file << ": FAILED" << (why.isEmpty() ? u" (not loaded)"_s : u": "_s + why) << '\n';
            failed = true;
        }
    }

    const auto problems = ProjectCheck::check(dm);
    for (const ProjectCheck::Problem &p : problems)
        io.out << "problem: " << p.fileName << " row " << p.row << ": " << p.message << '\n';
    io.out << (problems.isEmpty() ? u"no problems"_s : u"%1 problem(s)"_s.arg(problems.size())) << '\n';
    return failed ? 1 : 0;
}

} // namespace

// halvanectl project check DIR: every table of the file set (loaded or failed and why, row count),
// then the problems an installer must fix. Exit 1 when a table failed to load, else 0.
int runProjectCommand(const QStringList &args, CommandIo io)
{
    if (args.size() != 2 || args.first() != u"check"_s) {
        io.err << "usage: halvanectl project check DIR\n";
        return 2;
    }
    return check(args.at(1), io);
}
