#include "commands.h"

#include "app/settingkeys.h"
#include "app/settingsstore.h"
#include "platform/programfolder.h"

#include <QDir>

using namespace Qt::StringLiterals;

// halvanectl settings [FOLDER]: the effective value of every setting, in key-table order, then the
// keys of the file the panel does not read and the values that fell back to their default.
int runSettingsCommand(const QStringList &args, CommandIo io)
{
    if (args.size() > 1) {
        io.err << "usage: halvanectl settings [FOLDER]\n";
        return 2;
    }
    const QString folder = args.isEmpty() ? ProgramFolder::path() : args.first();
    SettingsStore store(QDir(folder).filePath(u"kvx.ini"_s));
    const auto badValues = store.load();

    for (const SettingKey &key : SettingKeys::all())
        io.out << key.name() << " = " << store.valueText(key) << '\n';
    for (const QString &name : store.unknownKeys())
        io.out << "unknown: " << name << '\n';
    for (const auto &bad : badValues)
        io.out << "bad: " << bad.key->name() << " = " << bad.text << '\n';
    return 0;
}
