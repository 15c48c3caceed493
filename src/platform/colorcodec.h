#pragma once

#include <QString>
#include <QStringList>

#include <optional>

// A colour as the settings file stores it: 00BBGGRR, red in the low byte.
using TColor = quint32;

// The colour texts of kvx.ini: one of the twenty standard names ("clRed") or "$" followed by
// hexadecimal digits in the order 00BBGGRR. Readers accept both (and a plain decimal number);
// writers produce the name when the colour has one, otherwise "$" and eight upper-case digits.
namespace ColorCodec {

std::optional<TColor> parse(const QString &text);
QString format(TColor color);

// The standard names in their table order.
QStringList standardNames();

constexpr int red(TColor c)
{
    return int(c & 0xFF);
}
constexpr int green(TColor c)
{
    return int((c >> 8) & 0xFF);
}
constexpr int blue(TColor c)
{
    return int((c >> 16) & 0xFF);
}
constexpr TColor fromRgb(int r, int g, int b)
{
    return TColor(r & 0xFF) | (TColor(g & 0xFF) << 8) | (TColor(b & 0xFF) << 16);
}

// A few standard colours the panel uses by name.
inline constexpr TColor clBlack = 0x000000;
inline constexpr TColor clGreen = 0x008000;
inline constexpr TColor clGray = 0x808080;
inline constexpr TColor clRed = 0x0000FF;
inline constexpr TColor clBlue = 0xFF0000;
inline constexpr TColor clWhite = 0xFFFFFF;

} // namespace ColorCodec
