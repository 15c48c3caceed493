#pragma once

#include "platform/colorcodec.h"

#include <QColor>

// Colours of the settings file (00BBGGRR) as the touch kit takes them, and the kit's defaults,
// which are those of a fresh kvx.ini (BackGndColor, TextColor, AccentColor).
// The high byte of a TColor (a Windows system colour index) carries no RGB value and is ignored.
inline QColor toQColor(TColor c)
{
    return QColor(ColorCodec::red(c), ColorCodec::green(c), ColorCodec::blue(c));
}

inline TColor toTColor(const QColor &c)
{
    return ColorCodec::fromRgb(c.red(), c.green(), c.blue());
}

namespace TouchDefaults {

inline QColor backgroundColor()
{
    return toQColor(0x007D9CAA);
}
inline QColor textColor()
{
    return toQColor(0x00392F2D);
}
inline QColor accentColor()
{
    return toQColor(0x00263533);
}
inline constexpr int fontSize = 14;
inline constexpr int rounding = 8;

} // namespace TouchDefaults
