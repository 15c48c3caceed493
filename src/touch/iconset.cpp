#include "touch/iconset.h"

#include "platform/logging.h"

#include <QFile>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QRadialGradient>
#include <QSvgRenderer>

using namespace Qt::StringLiterals;

namespace {

struct IconEntry
{
    const char *name;  // the entry's name in the icon set
    const char *glyph; // Material Design Icons glyph (file name without .svg), null for none
};

// The icon set, in `Dim` order. The build reads the glyph names from this table to put exactly
// these SVG files into the program's resources, so keep one entry per line in this form.
// clang-format off
constexpr IconEntry kIcons[] = {
    {"noimage.png", nullptr},
    {"Lamp", "lightbulb"},
    {"Stopcontacten", "power-socket-eu"},
    {"GaragepoortOpen", "garage-open"},
    {"Audio", "speaker"},
    {"RolluikOp", "window-shutter-open"},
    {"RolluikNeer", "window-shutter"},
    {"Dimmer", "lightbulb-on-50"},
    {"Sfeer", "lamps"},
    {"PijlOp", "arrow-up-bold"},
    {"PijlNeer", "arrow-down-bold"},
    {"SfeerOpnemen", "record-circle-outline"},
    {"Camera", "cctv"},
    {"Alarm", "alarm-light"},
    {"AanUit", "power"},
    {"Verwarming", "radiator"},
    {"Ventilator", "fan"},
    {"Wasmachien", "washing-machine"},
    {"Droogkast", "tumble-dryer"},
    {"Bel", "bell-ring"},
    {"AllesUit", "lightbulb-group-off"},
    {"Kookplaat", "stove"},
    {"SfeerKoken", "chef-hat"},
    {"SfeerTv", "television"},
    {"SfeerRomantisch", "candle"},
    {"SfeerOntbijt", "coffee"},
    {"SfeerEten", "silverware-fork-knife"},
    {"SfeerBezoek", "account-group"},
    {"Afwasmachien", "dishwasher"},
    {"Airco", "air-conditioner"},
    {"Deur", "door"},
    {"DimmerNeer", "brightness-2"},
    {"DimmerOp", "white-balance-sunny"},
    {"GaragepoortDicht", "garage"},
    {"HekkenDicht", "gate"},
    {"HekkenOpen", "gate-open"},
    {"Help", "help-circle-outline"},
    {"Muziek", "music"},
    {"Opslaan", "content-save"},
    {"Pomp", "water-pump"},
    {"RaamDicht", "window-closed-variant"},
    {"RaamOpen", "window-open-variant"},
    {"SchuifpoortDicht", "gate-arrow-left"},
    {"SchuifpoortOpen", "gate-arrow-right"},
    {"SfeerParty", "party-popper"},
    {"Status", "list-status"},
    {"ZonneschermDicht", "roller-shade-closed"},
    {"ZonneschermOpen", "awning"},
    {"Badkamer", "shower"},
    {"Berging", "archive"},
    {"Bureau", "desk"},
    {"Dressing", "hanger"},
    {"Eetkamer", "table-chair"},
    {"Garage", "garage-variant"},
    {"HuisAlgemeen", "home"},
    {"Inkom", "door-open"},
    {"Kelder", "stairs-down"},
    {"Keuken", "countertop"},
    {"Klokscherm", "clock-outline"},
    {"Living", "sofa"},
    {"Magazijn", "warehouse"},
    {"Poolhouse", "pool"},
    {"Slaapkamer", "bed"},
    {"Terras", "balcony"},
    {"Tuin", "flower"},
    {"Vergaderzaal", "presentation"},
    {"Wasplaats", "tshirt-crew"},
    {"Wc", "toilet"},
    {"Werkplaats", "hammer-wrench"},
    {"Winkel", "store"},
    {"Zolder", "stairs-up"},
};
// clang-format on
static_assert(std::size(kIcons) == IconSet::EntryCount);

struct ToneStyle
{
    QColor discTop;
    QColor discBottom;
    QColor ring;
    QColor glyph;
    QColor glow; // transparent for none
};

ToneStyle styleFor(IconSet::Tone tone)
{
    if (tone == IconSet::Tone::On)
        return {QColor(0xff, 0xd8, 0x78), QColor(0xf5, 0xa5, 0x24), QColor(0xb8, 0x6e, 0x00),
                QColor(0x4e, 0x2c, 0x00), QColor(0xff, 0xb9, 0x3c, 150)};
    return {QColor(0xf6, 0xf7, 0xf8, 240), QColor(0xdb, 0xe0, 0xe4, 240), QColor(0x8c, 0x98, 0xa2),
            QColor(0x55, 0x62, 0x6c), Qt::transparent};
}

// The glyph in one colour: rendered white from the SVG, then coloured through its own alpha.
QImage tintedGlyph(QSvgRenderer &renderer, QSize size, const QColor &color)
{
    QImage glyph(size, QImage::Format_ARGB32_Premultiplied);
    glyph.fill(Qt::transparent);
    QPainter p(&glyph);
    p.setRenderHint(QPainter::Antialiasing);
    renderer.render(&p, QRectF(QPointF(0, 0), QSizeF(size)));
    p.setCompositionMode(QPainter::CompositionMode_SourceIn);
    p.fillRect(glyph.rect(), color);
    return glyph;
}

void paintIcon(QImage &image, const QByteArray &svg, const ToneStyle &style)
{
    QSvgRenderer renderer(svg);
    if (!renderer.isValid())
        return;
    const qreal side = qMin(image.width(), image.height());
    const QPointF centre(image.width() / 2.0, image.height() / 2.0);
    const qreal radius = side * 0.44;

    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    if (style.glow.alpha() > 0) {
        QRadialGradient glow(centre, side / 2.0);
        QColor clear = style.glow;
        clear.setAlpha(0);
        glow.setColorAt(0.0, style.glow);
        glow.setColorAt(0.80, style.glow);
        glow.setColorAt(1.0, clear);
        p.setPen(Qt::NoPen);
        p.setBrush(glow);
        p.drawEllipse(centre, side / 2.0, side / 2.0);
    }
    QLinearGradient disc(centre.x(), centre.y() - radius, centre.x(), centre.y() + radius);
    disc.setColorAt(0.0, style.discTop);
    disc.setColorAt(1.0, style.discBottom);
    p.setBrush(disc);
    p.setPen(QPen(style.ring, qMax(1.0, side / 40.0)));
    p.drawEllipse(centre, radius, radius);

    const int glyphSide = qRound(side * 0.58);
    const QImage glyph = tintedGlyph(renderer, QSize(glyphSide, glyphSide), style.glyph);
    p.drawImage(QPointF(centre.x() - glyphSide / 2.0, centre.y() - glyphSide / 2.0), glyph);
}

} // namespace

IconSet::IconSet() : m_off(createCollection(Tone::Off)), m_on(createCollection(Tone::On)) {}

QStringList IconSet::names()
{
    QStringList list;
    list.reserve(EntryCount);
    for (const IconEntry &entry : kIcons)
        list.append(QString::fromLatin1(entry.name));
    return list;
}

QString IconSet::glyphName(int index)
{
    if (index < 0 || index >= EntryCount || !kIcons[index].glyph)
        return {};
    return QString::fromLatin1(kIcons[index].glyph);
}

QString IconSet::glyphResource(int index)
{
    const QString glyph = glyphName(index);
    return glyph.isEmpty() ? QString() : u":/assets/mdi/"_s + glyph + u".svg"_s;
}

PictureCollection IconSet::createCollection(Tone tone)
{
    PictureCollection collection(PictureSize);
    const ToneStyle style = styleFor(tone);
    for (int i = 0; i < EntryCount; ++i) {
        const QString name = QString::fromLatin1(kIcons[i].name);
        const QString resource = glyphResource(i);
        if (resource.isEmpty()) {
            collection.addEmpty(name);
            continue;
        }
        QFile file(resource);
        if (!file.open(QIODevice::ReadOnly)) {
            qCWarning(lcTouch) << "icon set: missing picture" << resource;
            collection.addEmpty(name);
            continue;
        }
        const QByteArray svg = file.readAll();
        collection.addPicture(name, [svg, style](QImage &image) { paintIcon(image, svg, style); });
    }
    return collection;
}
