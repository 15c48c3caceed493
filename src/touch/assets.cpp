#include "touch/assets.h"

#include <QImage>
#include <QPainter>
#include <QSvgRenderer>

using namespace Qt::StringLiterals;

QString Assets::logoOnPath()
{
    return u":/assets/link-on.svg"_s;
}

QString Assets::logoOffPath()
{
    return u":/assets/link-off.svg"_s;
}

QString Assets::projectLogoPath()
{
    return u":/assets/halvane-logo.svg"_s;
}

QString Assets::defaultPicturePath()
{
    return u":/assets/house.svg"_s;
}

QString Assets::iconLicencePath()
{
    return u":/assets/LICENSE-mdi-svg.txt"_s;
}

QPixmap Assets::logoOn(QSize size, qreal devicePixelRatio)
{
    return renderSvg(logoOnPath(), size, devicePixelRatio);
}

QPixmap Assets::logoOff(QSize size, qreal devicePixelRatio)
{
    return renderSvg(logoOffPath(), size, devicePixelRatio);
}

QPixmap Assets::projectLogo(QSize size, qreal devicePixelRatio)
{
    return renderSvg(projectLogoPath(), size, devicePixelRatio);
}

QPixmap Assets::defaultPicture(QSize size, qreal devicePixelRatio)
{
    return renderSvg(defaultPicturePath(), size, devicePixelRatio, true);
}

QPixmap Assets::renderSvg(const QString &path, QSize size, qreal devicePixelRatio, bool fill)
{
    if (size.isEmpty() || devicePixelRatio <= 0)
        return {};
    QSvgRenderer renderer(path);
    if (!renderer.isValid())
        return {};
    const QSize pixels = (QSizeF(size) * devicePixelRatio).toSize();
    if (pixels.width() > 8192 || pixels.height() > 8192)
        return {};
    QImage image(pixels, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);

    const QSizeF natural = renderer.viewBoxF().size();
    QSizeF target = natural.isEmpty() ? QSizeF(pixels)
                                      : natural.scaled(QSizeF(pixels), fill ? Qt::KeepAspectRatioByExpanding
                                                                            : Qt::KeepAspectRatio);
    const QRectF bounds(
        QPointF((pixels.width() - target.width()) / 2.0, (pixels.height() - target.height()) / 2.0), target);

    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    renderer.render(&p, bounds);
    p.end();
    QPixmap pm = QPixmap::fromImage(std::move(image));
    pm.setDevicePixelRatio(devicePixelRatio);
    return pm;
}
