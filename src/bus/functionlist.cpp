#include "bus/functionlist.h"

#include "platform/inifile.h"

using namespace Qt::StringLiterals;

QStringList FunctionList::defaultNames()
{
    return {u"Null"_s,         u"Reset"_s,  u"Toggle"_s, u"Set"_s,     u"Misc"_s,   u"Status"_s,
            u"Timer/Direct"_s, u"Value"_s,  u"Dimmer"_s, u"Readout"_s, u"Teller"_s, u"System"_s,
            u"Settings"_s,     u"Select"_s, u"Data"_s,   u"Program"_s};
}

FunctionList::FunctionList() : m_names(defaultNames()) {}

FunctionList::FunctionList(const QString &iniFileName) : m_names(defaultNames())
{
    const IniFile ini(iniFileName);
    if (!ini.exists())
        return;
    for (int code = 0; code < 16; ++code)
        m_names[code] = ini.readString(u"FunctionText"_s, QString::number(code), m_names.at(code));
}

QString FunctionList::name(int code) const
{
    if (code < 0 || code >= m_names.size())
        return {};
    return m_names.at(code);
}
