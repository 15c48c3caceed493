#include "app/panelassets.h"

#include <QPainter>
#include <QPainterPath>

namespace PanelAssets {
namespace {

QPixmap canvas(const QSize &size)
{
    QPixmap pm(size);
    pm.fill(Qt::transparent);
    return pm;
}

// A house outline: the panel's mark.
void drawHouse(QPainter &p, const QRectF &r, const QColor &color, qreal width)
{
    QPainterPath path;
    const qreal x = r.x(), y = r.y(), w = r.width(), h = r.height();
    path.moveTo(x + w * 0.12, y + h * 0.48);
    path.lineTo(x + w * 0.5, y + h * 0.14);
    path.lineTo(x + w * 0.88, y + h * 0.48);
    path.moveTo(x + w * 0.22, y + h * 0.40);
    path.lineTo(x + w * 0.22, y + h * 0.86);
    path.lineTo(x + w * 0.78, y + h * 0.86);
    path.lineTo(x + w * 0.78, y + h * 0.40);
    path.addRoundedRect(QRectF(x + w * 0.42, y + h * 0.58, w * 0.16, h * 0.28), w * 0.02, w * 0.02);
    p.setPen(QPen(color, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    p.drawPath(path);
}

QPixmap linkLogo(const QSize &size, const QColor &color, bool connected)
{
    QPixmap pm = canvas(size);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF r = QRectF(QPointF(0, 0), QSizeF(size)).adjusted(2, 2, -2, -2);
    p.setPen(Qt::NoPen);
    p.setBrush(color);
    p.drawEllipse(r);
    const qreal w = r.width();
    p.setPen(QPen(Qt::white, qMax(2.0, w * 0.09), Qt::SolidLine, Qt::RoundCap));
    // Two links of a chain, joined when connected.
    const qreal gap = connected ? 0 : w * 0.08;
    p.save();
    p.translate(r.center());
    p.rotate(-45);
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(QRectF(-w * 0.34 - gap, -w * 0.12, w * 0.38, w * 0.24), w * 0.12, w * 0.12);
    p.drawRoundedRect(QRectF(-w * 0.04 + gap, -w * 0.12, w * 0.38, w * 0.24), w * 0.12, w * 0.12);
    p.restore();
    return pm;
}

} // namespace

QPixmap logo(const QSize &size)
{
    QPixmap pm = canvas(size);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF r = QRectF(QPointF(0, 0), QSizeF(size)).adjusted(4, 4, -4, -4);
    QLinearGradient g(r.topLeft(), r.bottomRight());
    g.setColorAt(0, QColor(0xF2, 0xA6, 0x3B));
    g.setColorAt(1, QColor(0xD9, 0x6C, 0x2C));
    p.setPen(Qt::NoPen);
    p.setBrush(g);
    p.drawRoundedRect(r, r.width() * 0.22, r.width() * 0.22);
    drawHouse(p, r.adjusted(r.width() * 0.12, r.height() * 0.1, -r.width() * 0.12, -r.height() * 0.1), Qt::white,
              qMax(2.0, r.width() * 0.06));
    return pm;
}

QPixmap logoOn(const QSize &size)
{
    return linkLogo(size, QColor(0x3C, 0xA5, 0x5C), true);
}

QPixmap logoOff(const QSize &size)
{
    return linkLogo(size, QColor(0x8A, 0x8F, 0x98), false);
}

QPixmap defaultPicture(const QSize &size)
{
    QPixmap pm(size.isEmpty() ? QSize(800, 500) : size);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF r(QPointF(0, 0), QSizeF(pm.size()));
    QLinearGradient sky(r.topLeft(), r.bottomLeft());
    sky.setColorAt(0, QColor(0x9C, 0xC3, 0xD5));
    sky.setColorAt(0.7, QColor(0xE8, 0xEE, 0xE4));
    sky.setColorAt(1, QColor(0xB9, 0xC9, 0xA0));
    p.fillRect(r, sky);
    // Rolling hills and a calm house.
    QPainterPath hills;
    hills.moveTo(0, r.height() * 0.78);
    hills.cubicTo(r.width() * 0.3, r.height() * 0.68, r.width() * 0.6, r.height() * 0.86, r.width(), r.height() * 0.74);
    hills.lineTo(r.width(), r.height());
    hills.lineTo(0, r.height());
    p.fillPath(hills, QColor(0x8F, 0xAE, 0x7A));
    const qreal side = qMin(r.width(), r.height()) * 0.5;
    const QRectF house(r.center().x() - side / 2, r.height() * 0.78 - side * 0.9, side, side);
    drawHouse(p, house, QColor(0x2D, 0x2F, 0x39, 200), qMax(2.0, side * 0.035));
    return pm;
}

} // namespace PanelAssets
