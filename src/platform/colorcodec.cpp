#include "platform/colorcodec.h"

#include "platform/inifile.h"

#include <array>

using namespace Qt::StringLiterals;

namespace ColorCodec {
namespace {

struct Named
{
    const char16_t *name;
    TColor value;
};

constexpr std::array<Named, 20> kNames{{
    {u"clBlack", 0x000000},      {u"clMaroon", 0x000080},  {u"clGreen", 0x008000}, {u"clOlive", 0x008080},
    {u"clNavy", 0x800000},       {u"clPurple", 0x800080},  {u"clTeal", 0x808000},  {u"clGray", 0x808080},
    {u"clSilver", 0xC0C0C0},     {u"clRed", 0x0000FF},     {u"clLime", 0x00FF00},  {u"clYellow", 0x00FFFF},
    {u"clBlue", 0xFF0000},       {u"clFuchsia", 0xFF00FF}, {u"clAqua", 0xFFFF00},  {u"clWhite", 0xFFFFFF},
    {u"clMoneyGreen", 0xC0DCC0}, {u"clSkyBlue", 0xF0CAA6}, {u"clCream", 0xF0FBFF}, {u"clMedGray", 0xA4A0A0},
}};

} // namespace

std::optional<TColor> parse(const QString &text)
{
    const QString t = text.trimmed();
    for (const Named &n : kNames) {
        if (t.compare(QStringView(n.name), Qt::CaseInsensitive) == 0)
            return n.value;
    }
    if (t.startsWith(u'$') || t.startsWith(u"0x"_s, Qt::CaseInsensitive) ||
        (!t.isEmpty() && t.front().isDigit())) {
        const auto v = IniFile::parseInteger(t);
        if (v)
            return static_cast<TColor>(*v);
    }
    return std::nullopt;
}

QString format(TColor color)
{
    for (const Named &n : kNames) {
        if (n.value == color)
            return QString::fromUtf16(n.name);
    }
    return u'$' + QString::number(color, 16).toUpper().rightJustified(8, u'0');
}

QStringList standardNames()
{
    QStringList names;
    for (const Named &n : kNames)
        names.append(QString::fromUtf16(n.name));
    return names;
}

} // namespace ColorCodec
