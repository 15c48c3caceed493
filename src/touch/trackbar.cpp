#include "touch/trackbar.h"

#include "touch/touchcolors.h"
#include "touch/touchpaint.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QWheelEvent>

#include <algorithm>
#include <cmath>

using namespace Qt::StringLiterals;
using TouchPaint::assign;

TrackBar::TrackBar(QWidget *parent) : TrackBar(Qt::Horizontal, parent) {}

TrackBar::TrackBar(Qt::Orientation orientation, QWidget *parent)
    : QWidget(parent), m_orientation(orientation), m_startColor(TouchDefaults::backgroundColor()),
      m_endColor(TouchDefaults::accentColor()), m_thumbColor(TouchDefaults::backgroundColor()),
      m_borderColor(TouchDefaults::accentColor())
{
    setAttribute(Qt::WA_AcceptTouchEvents);
    setFocusPolicy(Qt::TabFocus);
    setAccessibleName(u"Schuifregelaar"_s);
    setSizePolicy(orientation == Qt::Horizontal ? QSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed)
                                                : QSizePolicy(QSizePolicy::Fixed, QSizePolicy::Expanding));
}

TrackBar::~TrackBar() = default;

void TrackBar::setMinimum(int minimum)
{
    setRange(minimum, std::max(minimum, m_maximum));
}

void TrackBar::setMaximum(int maximum)
{
    setRange(std::min(m_minimum, maximum), maximum);
}

void TrackBar::setRange(int minimum, int maximum)
{
    maximum = std::max(minimum, maximum);
    if (minimum == m_minimum && maximum == m_maximum)
        return;
    m_minimum = minimum;
    m_maximum = maximum;
    emit rangeChanged(m_minimum, m_maximum);
    setPosition(m_position);
    update();
}

void TrackBar::setStep(int step)
{
    if (assign(m_step, std::max(1, step))) {
        emit stepChanged(m_step);
        setPosition(m_position);
    }
}

int TrackBar::snapped(int position) const
{
    position = std::clamp(position, m_minimum, m_maximum);
    if (m_step <= 1 || position == m_maximum)
        return position;
    const int k = int(std::lround(double(position - m_minimum) / m_step));
    return std::min(m_maximum, m_minimum + k * m_step);
}

void TrackBar::setPosition(int position)
{
    if (assign(m_position, snapped(position))) {
        update();
        emit positionChanged(m_position);
    }
}

void TrackBar::setOrientation(Qt::Orientation orientation)
{
    if (assign(m_orientation, orientation)) {
        setSizePolicy(sizePolicy().transposed());
        invalidate();
        updateGeometry();
        emit orientationChanged(orientation);
    }
}

void TrackBar::setTrackStartColor(const QColor &color)
{
    if (assign(m_startColor, color)) {
        invalidate();
        emit trackStartColorChanged(color);
    }
}

void TrackBar::setTrackEndColor(const QColor &color)
{
    if (assign(m_endColor, color)) {
        invalidate();
        emit trackEndColorChanged(color);
    }
}

void TrackBar::setThumbColor(const QColor &color)
{
    if (assign(m_thumbColor, color)) {
        invalidate();
        emit thumbColorChanged(color);
    }
}

void TrackBar::setBorderColor(const QColor &color)
{
    if (assign(m_borderColor, color)) {
        invalidate();
        emit borderColorChanged(color);
    }
}

// ---- geometry -------------------------------------------------------------------------------

double TrackBar::thumbRadius() const
{
    const int across = m_orientation == Qt::Horizontal ? height() : width();
    return std::max(6.0, (across - 6) / 2.0);
}

QRectF TrackBar::grooveRect() const
{
    // The groove runs between the thumb centres at both ends.
    const double r = thumbRadius();
    const double thickness = std::max(6.0, r * 0.7);
    if (m_orientation == Qt::Horizontal)
        return QRectF(r + 2, height() / 2.0 - thickness / 2, std::max(1.0, width() - 2 * r - 4), thickness);
    return QRectF(width() / 2.0 - thickness / 2, r + 2, thickness, std::max(1.0, height() - 2 * r - 4));
}

QPointF TrackBar::thumbCenter() const
{
    const QRectF g = grooveRect();
    const double t = m_maximum == m_minimum ? 0 : double(m_position - m_minimum) / (m_maximum - m_minimum);
    if (m_orientation == Qt::Horizontal)
        return QPointF(g.left() + t * g.width(), g.center().y());
    // Vertical: the minimum at the bottom, as a fader.
    return QPointF(g.center().x(), g.bottom() - t * g.height());
}

int TrackBar::positionAt(const QPointF &pos) const
{
    const QRectF g = grooveRect();
    double t = m_orientation == Qt::Horizontal ? (pos.x() - g.left()) / g.width()
                                               : (g.bottom() - pos.y()) / g.height();
    t = std::clamp(t, 0.0, 1.0);
    return snapped(m_minimum + int(std::lround(t * (m_maximum - m_minimum))));
}

QSize TrackBar::sizeHint() const
{
    return m_orientation == Qt::Horizontal ? QSize(240, 44) : QSize(44, 240);
}

QSize TrackBar::minimumSizeHint() const
{
    return m_orientation == Qt::Horizontal ? QSize(60, 24) : QSize(24, 60);
}

// ---- finger ---------------------------------------------------------------------------------

bool TrackBar::event(QEvent *e)
{
    if (PointerInput::isPointerEvent(e) && isEnabled()) {
        if (const auto pe = m_pointer.filter(e))
            handlePointer(*pe);
        e->accept();
        return true;
    }
    return QWidget::event(e);
}

void TrackBar::mousePressEvent(QMouseEvent *e)
{
    e->accept(); // handled in event()
}

void TrackBar::mouseMoveEvent(QMouseEvent *e)
{
    e->accept();
}

void TrackBar::mouseReleaseEvent(QMouseEvent *e)
{
    e->accept();
}

void TrackBar::handlePointer(const PointerInput::Event &pe)
{
    switch (pe.phase) {
    case PointerInput::Phase::Press:
        m_sliding = true;
        setPosition(positionAt(pe.pos));
        update();
        break;
    case PointerInput::Phase::Move:
        if (m_sliding)
            setPosition(positionAt(pe.pos));
        break;
    case PointerInput::Phase::Release:
    case PointerInput::Phase::Cancel:
        // A cancelled touch also ends the slide where the thumb is: the screen sends that value.
        if (!m_sliding)
            break;
        if (pe.phase == PointerInput::Phase::Release)
            setPosition(positionAt(pe.pos));
        m_sliding = false;
        update();
        emit released(m_position);
        break;
    }
}

void TrackBar::keyPressEvent(QKeyEvent *e)
{
    int delta = 0;
    switch (e->key()) {
    case Qt::Key_Left:
    case Qt::Key_Down:
        delta = -m_step;
        break;
    case Qt::Key_Right:
    case Qt::Key_Up:
        delta = m_step;
        break;
    default:
        QWidget::keyPressEvent(e);
        return;
    }
    setPosition(m_position + delta);
    emit released(m_position); // a key step is a complete change, like a lift
}

void TrackBar::wheelEvent(QWheelEvent *e)
{
    if (e->angleDelta().y() == 0) {
        e->ignore();
        return;
    }
    setPosition(m_position + (e->angleDelta().y() > 0 ? m_step : -m_step));
    emit released(m_position);
    e->accept();
}

void TrackBar::changeEvent(QEvent *e)
{
    if (e->type() == QEvent::EnabledChange && !isEnabled() && m_sliding) {
        m_pointer.reset();
        m_sliding = false;
        emit released(m_position);
    }
    if (e->type() == QEvent::PaletteChange || e->type() == QEvent::EnabledChange)
        invalidate();
    QWidget::changeEvent(e);
}

// ---- painting -------------------------------------------------------------------------------

void TrackBar::invalidate()
{
    m_grooveCache = QPixmap();
    m_thumbCache[0] = m_thumbCache[1] = QPixmap();
    update();
}

void TrackBar::resizeEvent(QResizeEvent *)
{
    invalidate();
}

void TrackBar::paintEvent(QPaintEvent *)
{
    const qreal dpr = devicePixelRatioF();
    const QRectF g = grooveRect();
    const double r = thumbRadius();
    if (m_grooveCache.isNull() || m_grooveCache.devicePixelRatio() != dpr ||
        m_grooveCache.deviceIndependentSize().toSize() != size()) {
        m_grooveCache = TouchPaint::canvas(size(), dpr);
        QPainter p(&m_grooveCache);
        p.setRenderHint(QPainter::Antialiasing);
        const double across = m_orientation == Qt::Horizontal ? g.height() : g.width();
        const QRectF groove = m_orientation == Qt::Horizontal ? g.adjusted(-across / 2, 0, across / 2, 0)
                                                              : g.adjusted(0, -across / 2, 0, across / 2);
        const QPainterPath path = TouchPaint::roundedRect(groove, across / 2);
        QLinearGradient fill = m_orientation == Qt::Horizontal ? QLinearGradient(g.topLeft(), g.topRight())
                                                               : QLinearGradient(g.bottomLeft(), g.topLeft());
        QColor a = m_startColor;
        QColor b = m_endColor;
        if (!isEnabled()) {
            a = TouchPaint::mix(a, Qt::gray, 0.5);
            b = TouchPaint::mix(b, Qt::gray, 0.5);
        }
        fill.setColorAt(0, a);
        fill.setColorAt(1, b);
        p.fillPath(path, fill);
        // Inner shade along the upper edge makes the groove look sunk into the panel.
        QLinearGradient shade(groove.topLeft(), groove.bottomLeft());
        shade.setColorAt(0, QColor(0, 0, 0, 50));
        shade.setColorAt(0.5, QColor(0, 0, 0, 0));
        p.fillPath(path, shade);
        p.setPen(QPen(m_borderColor, 1));
        p.drawPath(path);
    }
    const int held = m_sliding ? 1 : 0;
    QPixmap &thumb = m_thumbCache[held];
    const int side = int(std::ceil(2 * r + 8));
    if (thumb.isNull() || thumb.devicePixelRatio() != dpr) {
        thumb = TouchPaint::canvas(QSize(side, side), dpr);
        QPainter p(&thumb);
        p.setRenderHint(QPainter::Antialiasing);
        const double rr = held ? r : r - 2;
        const QRectF k(side / 2.0 - rr, side / 2.0 - rr, 2 * rr, 2 * rr);
        TouchPaint::softShadow(p, k, rr, held ? 5 : 3, 70);
        QColor c = m_thumbColor;
        if (!isEnabled())
            c = TouchPaint::mix(c, Qt::gray, 0.5);
        QRadialGradient grad(k.center() - QPointF(0, rr * 0.3), rr * 1.2);
        grad.setColorAt(0, c.lighter(125));
        grad.setColorAt(1, c);
        p.setBrush(grad);
        p.setPen(QPen(m_borderColor, held ? 2.5 : 1.5));
        p.drawEllipse(k);
    }

    QPainter p(this);
    p.drawPixmap(0, 0, m_grooveCache);
    const QPointF c = thumbCenter();
    p.drawPixmap(QPointF(c.x() - side / 2.0, c.y() - side / 2.0), thumb);
    if (hasFocus() && m_keyboardFocus) {
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(QPen(palette().color(QPalette::Highlight), 2));
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(c, r + 1, r + 1);
    }
}

void TrackBar::focusInEvent(QFocusEvent *e)
{
    m_keyboardFocus = e->reason() == Qt::TabFocusReason || e->reason() == Qt::BacktabFocusReason ||
                      e->reason() == Qt::ShortcutFocusReason;
    QWidget::focusInEvent(e);
}

void TrackBar::focusOutEvent(QFocusEvent *e)
{
    m_keyboardFocus = false;
    QWidget::focusOutEvent(e);
}
