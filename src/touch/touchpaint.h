#pragma once

#include <QColor>
#include <QPixmap>
#include <QRectF>
#include <QString>

class QPainter;
class QPainterPath;

// Small drawing helpers the touch controls share.
namespace TouchPaint {

// Stores value in member; false when it was equal already (the setter then does nothing).
template<typename T> bool assign(T &member, const T &value)
{
    if (member == value)
        return false;
    member = value;
    return true;
}

// A transparent pixmap of the widget size at the device pixel ratio, ready to draw into.
QPixmap canvas(const QSize &size, qreal dpr);
// A rounded rectangle path; the radius is kept to half the shorter side.
QPainterPath roundedRect(const QRectF &r, qreal radius);
// A soft shadow under a rounded rectangle, made of a few widening translucent layers.
void softShadow(QPainter &p, const QRectF &r, qreal radius, qreal depth, int alpha = 60);
// Black or white, whichever reads better on the colour.
QColor contrasting(const QColor &background);
// The colour mixed with another by t (0 = a, 1 = b).
QColor mix(const QColor &a, const QColor &b, qreal t);
// Whether the colour is dark (text on it should be light).
bool isDark(const QColor &c);

} // namespace TouchPaint
