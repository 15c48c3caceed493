#pragma once

#include "touch/picturecollection.h"

#include <QSize>
#include <QString>
#include <QStringList>

// The icon set of the project buttons: two picture collections with the same 71 entries, "off"
// and "on", indexed by a button's `Dim`. Entry 0 ("noimage.png") has no picture. The pictures are
// Material Design Icons glyphs: the "off" picture a neutral glyph on a pale disc, the "on"
// picture a dark glyph on a lit amber disc with a soft glow, so both read on light, dark and
// coloured button faces alike.
class IconSet
{
public:
    static constexpr int EntryCount = 71;
    // The size the pictures are drawn for; they stay sharp at any other size.
    static constexpr QSize PictureSize{60, 60};

    enum class Tone
    {
        Off,
        On
    };

    IconSet();

    // picCon and picConOn of the button screens.
    const PictureCollection &off() const { return m_off; }
    const PictureCollection &on() const { return m_on; }
    // The "on" or "off" collection for a button's state.
    const PictureCollection &forState(bool active) const { return active ? m_on : m_off; }

    // The entries' names in index order, as the project files' `Dim` numbers them.
    static QStringList names();
    // The Material Design Icons glyph drawn for an entry; empty for entry 0 and outside 0..70.
    static QString glyphName(int index);
    // The Qt resource path of that glyph's SVG file; empty where glyphName() is.
    static QString glyphResource(int index);

    // A collection of the whole set in one tone.
    static PictureCollection createCollection(Tone tone);

private:
    PictureCollection m_off;
    PictureCollection m_on;
};
