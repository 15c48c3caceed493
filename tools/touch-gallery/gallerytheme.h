#pragma once

#include "app/settingsrecord.h"
#include "platform/colorcodec.h"

#include <QColor>

// The colours and sizes the gallery shows the controls in: those of a fresh kvx.ini.
struct GalleryTheme
{
    QColor background; // BackGndColor: panels, buttons, lists
    QColor text;       // TextColor
    QColor accent;     // AccentColor: window, strips, bevels
    int fontSize = 14;
    int rounding = 8;
    int glowPercent = 0;

    static QColor fromTColor(TColor c)
    {
        return QColor(ColorCodec::red(c), ColorCodec::green(c), ColorCodec::blue(c));
    }

    static GalleryTheme defaults()
    {
        const SettingsRecord s;
        GalleryTheme t;
        t.background = fromTColor(s.BackGndColor);
        t.text = fromTColor(s.TextColor);
        t.accent = fromTColor(s.AccentColor);
        t.fontSize = s.FontSize;
        t.rounding = s.btnRounding;
        t.glowPercent = s.GlowPercent;
        return t;
    }
};
