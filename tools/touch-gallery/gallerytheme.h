#pragma once

#include "app/settingsrecord.h"
#include "touch/touchcolors.h"

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

    static GalleryTheme defaults()
    {
        const SettingsRecord s;
        GalleryTheme t;
        t.background = ::toQColor(s.BackGndColor);
        t.text = ::toQColor(s.TextColor);
        t.accent = ::toQColor(s.AccentColor);
        t.fontSize = s.FontSize;
        t.rounding = s.btnRounding;
        t.glowPercent = s.GlowPercent;
        return t;
    }
};
