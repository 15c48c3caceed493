#pragma once

#include "app/settingkeys.h"
#include "app/settingsrecord.h"
#include "platform/inifile.h"

#include <QList>
#include <QString>
#include <QVariant>

// kvx.ini and the settings record together: the file is read into the record once, and every
// change a screen makes is written key by key to the file and copied into the record at once.
class SettingsStore
{
public:
    explicit SettingsStore(const QString &iniFileName);

    const QString &fileName() const { return m_ini.fileName(); }
    SettingsRecord &record() { return m_record; }
    const SettingsRecord &record() const { return m_record; }

    // A value in the file that did not parse and gave way to the default.
    struct BadValue
    {
        const SettingKey *key;
        QString text;
    };

    // Reads every key of the table, in table order, into the record. Missing keys and values
    // that do not parse give the defaults; the latter are returned.
    QList<BadValue> load();

    // Writes one key in its type's encoding and sets its field. The key is found without regard
    // to case; an unknown key is written to the file only. False when the file cannot be written
    // (the field is set all the same, so the running panel follows the occupant's choice).
    bool write(const QString &section, const QString &key, const QVariant &value);
    // Writes the text exactly as given (the settings screen writes some numbers as the edit's
    // text) and sets the field from it, with the default when it does not parse.
    bool writeText(const QString &section, const QString &key, const QString &text);

    // The effective value of a key in the writer's form: colours as names or "$" form, booleans
    // as 1/0. Keys without a field (the DMX presets) are read from the file.
    QString valueText(const SettingKey &key) const;

    // The eight colour presets of the RGB screen, read from the file when asked.
    SettingKeys::DmxPreset dmxPreset(int n) const;
    bool writeDmxPreset(int n, const SettingKeys::DmxPreset &preset);

    // "Section/Key" of every key in the file that the panel does not read, in file order.
    QStringList unknownKeys() const;

private:
    QVariant readValue(const SettingKey &key, bool *bad) const;
    void setField(const SettingKey &key, const QVariant &value);
    QVariant fieldValue(const SettingKey &key) const;
    static QString encode(const SettingKey &key, const QVariant &value);

    IniFile m_ini;
    SettingsRecord m_record;
};
