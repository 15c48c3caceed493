#pragma once

#include <QPixmap>
#include <QSize>
#include <QString>

// The pictures that come with the program (they live in the program's resources): the two
// connection logos of the top bar, the project's logo for the start-delay panel and the default
// picture of the main area. Each is an SVG drawn at the size asked for.
class Assets
{
public:
    static QString logoOnPath();
    static QString logoOffPath();
    static QString projectLogoPath();
    static QString defaultPicturePath();
    // The licence of the Material Design Icons glyphs of the icon set.
    static QString iconLicencePath();

    // `imgLogoOn`: shown while the gateway link is up.
    static QPixmap logoOn(QSize size, qreal devicePixelRatio = 1.0);
    // `imgLogoOff`: shown while it is down.
    static QPixmap logoOff(QSize size, qreal devicePixelRatio = 1.0);
    static QPixmap projectLogo(QSize size, qreal devicePixelRatio = 1.0);
    // The calm house picture; it fills the whole size (cropped at the edges, never distorted).
    static QPixmap defaultPicture(QSize size, qreal devicePixelRatio = 1.0);

    // Any SVG of the resources (or a file) drawn at a size; aspect kept and centred, or, with
    // `fill`, covering the whole size. A null pixmap when the file cannot be read.
    static QPixmap renderSvg(const QString &path, QSize size, qreal devicePixelRatio = 1.0,
                             bool fill = false);
};
