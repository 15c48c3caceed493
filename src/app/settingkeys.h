#pragma once

#include "app/settingsrecord.h"

#include <QList>
#include <QString>
#include <QVariant>

#include <variant>

// The key table of kvx.ini: every key the panel reads, in the order it reads them, with its type,
// its default and the field of the settings record it fills.
enum class SettingType
{
    Integer,
    Boolean,
    Colour,
    Text
};

using SettingField = std::variant<std::monostate, int SettingsRecord::*, bool SettingsRecord::*,
                                  TColor SettingsRecord::*, QString SettingsRecord::*>;

struct SettingKey
{
    QString section;
    QString key;
    SettingType type;
    QVariant defaultValue; // int, bool, TColor (as uint) or QString
    SettingField field;    // empty for the DMX presets, which have no field

    QString name() const { return section + u'/' + key; }
};

namespace SettingKeys {

// Every key, in table order: MTPath, MTCom, MTSS, Sett, TSM, DMX (Color4, Fade, then the eight
// presets), Nuvo, Halvane.
const QList<SettingKey> &all();

// The key of that section and name, compared without regard to case (so the spellings
// DumPConnectionTimer/DumpConnectionTimer and BtnRounding/btnRounding are one key).
const SettingKey *find(const QString &section, const QString &key);

// The default preset n (1..8) of the RGB screen.
struct DmxPreset
{
    int red = 0;
    int green = 0;
    int blue = 0;
    QString name;
};
DmxPreset defaultDmxPreset(int n);

} // namespace SettingKeys
