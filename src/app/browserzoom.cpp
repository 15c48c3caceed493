#include "app/browserzoom.h"

#include "platform/inifile.h"
#include "platform/programfolder.h"

#include <cmath>

using namespace Qt::StringLiterals;

namespace {
const QString browserSection = u"Browser"_s;
}

BrowserZoom::BrowserZoom(QString fileName, QLocale locale)
    : m_fileName(fileName.isEmpty() ? ProgramFolder::file(u"Browser.ini"_s) : std::move(fileName)),
      m_locale(std::move(locale))
{
    m_locale.setNumberOptions(m_locale.numberOptions() | QLocale::OmitGroupSeparator);
}

std::optional<double> BrowserZoom::level(const QString &address) const
{
    const QString key = keyOf(address);
    if (key.isEmpty())
        return std::nullopt;
    const std::optional<QString> text = IniFile(m_fileName).value(browserSection, key);
    if (!text)
        return std::nullopt;
    return parseLevel(*text);
}

bool BrowserZoom::save(const QString &address, double level) const
{
    const QString key = keyOf(address);
    if (key.isEmpty() || !std::isfinite(level))
        return false;
    return IniFile(m_fileName).writeString(browserSection, key, formatLevel(level, m_locale));
}

QString BrowserZoom::keyOf(const QString &address)
{
    QString key = address.trimmed();
    key.replace(u'=', u"%3D"_s);
    if (key.startsWith(u';'))
        key = u"%3B"_s + key.mid(1);
    else if (key.startsWith(u'#'))
        key = u"%23"_s + key.mid(1);
    else if (key.startsWith(u'['))
        key = u"%5B"_s + key.mid(1);
    return key;
}

QString BrowserZoom::formatLevel(double level, const QLocale &locale)
{
    QLocale l = locale;
    l.setNumberOptions(l.numberOptions() | QLocale::OmitGroupSeparator);
    if (level == 0.0)
        level = 0.0; // never "-0"
    return l.toString(level, 'g', QLocale::FloatingPointShortest);
}

std::optional<double> BrowserZoom::parseLevel(const QString &text)
{
    QString t = text.trimmed();
    t.replace(u',', u'.');
    bool ok = false;
    const double value = QLocale::c().toDouble(t, &ok);
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    return value;
}
