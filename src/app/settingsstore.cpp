#include "app/settingsstore.h"

#include "platform/colorcodec.h"

using namespace Qt::StringLiterals;

SettingsStore::SettingsStore(const QString &iniFileName) : m_ini(iniFileName) {}

QVariant SettingsStore::readValue(const SettingKey &key, bool *bad) const
{
    *bad = false;
    const auto raw = m_ini.value(key.section, key.key);
    if (!raw)
        return key.defaultValue;
    switch (key.type) {
    case SettingType::Text:
        return *raw;
    case SettingType::Integer:
    case SettingType::Boolean: {
        const auto v = IniFile::parseInteger(*raw);
        if (!v) {
            *bad = true;
            return key.defaultValue;
        }
        return key.type == SettingType::Boolean ? QVariant(*v != 0) : QVariant(*v);
    }
    case SettingType::Colour: {
        const auto c = ColorCodec::parse(*raw);
        if (!c) {
            *bad = true;
            return key.defaultValue;
        }
        return QVariant::fromValue(uint(*c));
    }
    }
    return key.defaultValue;
}

void SettingsStore::setField(const SettingKey &key, const QVariant &value)
{
    std::visit(
        [&](auto member) {
            using M = decltype(member);
            if constexpr (std::is_same_v<M, int SettingsRecord::*>)
                m_record.*member = value.toInt();
            else if constexpr (std::is_same_v<M, bool SettingsRecord::*>)
                m_record.*member = value.toBool();
            else if constexpr (std::is_same_v<M, TColor SettingsRecord::*>)
                m_record.*member = TColor(value.toUInt());
            else if constexpr (std::is_same_v<M, QString SettingsRecord::*>)
                m_record.*member = value.toString();
        },
        key.field);
}

QVariant SettingsStore::fieldValue(const SettingKey &key) const
{
    return std::visit(
        [&](auto member) -> QVariant {
            using M = decltype(member);
            if constexpr (std::is_same_v<M, std::monostate>)
                return {};
            else if constexpr (std::is_same_v<M, TColor SettingsRecord::*>)
                return QVariant::fromValue(uint(m_record.*member));
            else
                return QVariant(m_record.*member);
        },
        key.field);
}

QList<SettingsStore::BadValue> SettingsStore::load()
{
    QList<BadValue> badValues;
    for (const SettingKey &key : SettingKeys::all()) {
        bool bad = false;
        const QVariant v = readValue(key, &bad);
        if (bad)
            badValues.append({&key, m_ini.value(key.section, key.key).value_or(QString())});
        setField(key, v);
    }
    return badValues;
}

QString SettingsStore::encode(const SettingKey &key, const QVariant &value)
{
    switch (key.type) {
    case SettingType::Integer:
        return QString::number(value.toInt());
    case SettingType::Boolean:
        return value.toBool() ? u"1"_s : u"0"_s;
    case SettingType::Colour:
        return ColorCodec::format(TColor(value.toUInt()));
    case SettingType::Text:
        return value.toString();
    }
    return value.toString();
}

bool SettingsStore::write(const QString &section, const QString &key, const QVariant &value)
{
    const SettingKey *k = SettingKeys::find(section, key);
    if (!k)
        return m_ini.writeString(section, key, value.toString());
    const bool ok = m_ini.writeString(section, key, encode(*k, value));
    setField(*k, value);
    return ok;
}

bool SettingsStore::writeText(const QString &section, const QString &key, const QString &text)
{
    const bool ok = m_ini.writeString(section, key, text);
    if (const SettingKey *k = SettingKeys::find(section, key)) {
        bool bad = false;
        setField(*k, readValue(*k, &bad));
    }
    return ok;
}

QString SettingsStore::valueText(const SettingKey &key) const
{
    QVariant v = fieldValue(key);
    if (!v.isValid()) {
        bool bad = false;
        v = readValue(key, &bad);
    }
    return encode(key, v);
}

SettingKeys::DmxPreset SettingsStore::dmxPreset(int n) const
{
    SettingKeys::DmxPreset p = SettingKeys::defaultDmxPreset(n);
    if (n < 1 || n > 8)
        return p;
    const QString ps = u"PS"_s + QString::number(n);
    p.red = m_ini.readInteger(u"DMX"_s, ps + u'R', p.red);
    p.green = m_ini.readInteger(u"DMX"_s, ps + u'G', p.green);
    p.blue = m_ini.readInteger(u"DMX"_s, ps + u'B', p.blue);
    p.name = m_ini.readString(u"DMX"_s, ps + u"Name"_s, p.name);
    return p;
}

bool SettingsStore::writeDmxPreset(int n, const SettingKeys::DmxPreset &preset)
{
    if (n < 1 || n > 8)
        return false;
    const QString ps = u"PS"_s + QString::number(n);
    bool ok = m_ini.writeInteger(u"DMX"_s, ps + u'R', preset.red);
    ok = m_ini.writeInteger(u"DMX"_s, ps + u'G', preset.green) && ok;
    ok = m_ini.writeInteger(u"DMX"_s, ps + u'B', preset.blue) && ok;
    ok = m_ini.writeString(u"DMX"_s, ps + u"Name"_s, preset.name) && ok;
    return ok;
}

QStringList SettingsStore::unknownKeys() const
{
    QStringList unknown;
    for (const QString &section : m_ini.sections()) {
        for (const QString &key : m_ini.keys(section)) {
            if (!SettingKeys::find(section, key))
                unknown.append(section + u'/' + key);
        }
    }
    return unknown;
}
