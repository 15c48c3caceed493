#include "touch/touchpaint.h"

#include <QPainter>
#include <QPainterPath>

#include <algorithm>

namespace TouchPaint {

QPixmap canvas(const QSize &size, qreal dpr)
{
    QPixmap pm(QSize(std::max(1, qRound(size.width() * dpr)), std::max(1, qRound(size.height() * dpr))));
    pm.setDevicePixelRatio(dpr);
    pm.fill(Qt::transparent);
    return pm;
}

QPainterPath roundedRect(const QRectF &r, qreal radius)
{
    QPainterPath path;
    const qreal rr = std::clamp(radius, 0.0, std::min(r.width(), r.height()) / 2);
    if (rr <= 0)
        path.addRect(r);
    else
        path.addRoundedRect(r, rr, rr);
    return path;
}

void softShadow(QPainter &p, const QRectF &r, qreal radius, qreal depth, int alpha)
{
    if (depth <= 0 || alpha <= 0)
        return;
    p.save();
    p.setPen(Qt::NoPen);
    const int layers = 5;
    for (int i = layers; i >= 1; --i) {
        const qreal grow = depth * i / layers;
        const QRectF s = r.adjusted(-grow * 0.6, -grow * 0.2, grow * 0.6, grow);
        p.setBrush(QColor(0, 0, 0, alpha / (layers + 1) + (layers - i) * alpha / (layers * 3)));
        p.drawPath(roundedRect(s.translated(0, depth * 0.35), radius + grow * 0.6));
    }
    p.restore();
}

bool isDark(const QColor &c)
{
    return 0.299 * c.redF() + 0.587 * c.greenF() + 0.114 * c.blueF() < 0.5;
}

QColor contrasting(const QColor &background)
{
    return isDark(background) ? QColor(Qt::white) : QColor(Qt::black);
}

QColor mix(const QColor &a, const QColor &b, qreal t)
{
    const qreal u = 1 - t;
    return QColor::fromRgbF(float(a.redF() * u + b.redF() * t), float(a.greenF() * u + b.greenF() * t),
                            float(a.blueF() * u + b.blueF() * t), float(a.alphaF() * u + b.alphaF() * t));
}

} // namespace TouchPaint
