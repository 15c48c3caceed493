#include "touch/spinner.h"

#include "touch/touchcolors.h"
#include "touch/touchpaint.h"

#include <QGuiApplication>
#include <QPainter>
#include <QPainterPath>
#include <QStyleHints>
#include <QWheelEvent>

#include <algorithm>
#include <cmath>

using namespace Qt::StringLiterals;
using TouchPaint::assign;

// The drum shows the column's value in the middle, the next value above it and the previous one
// below it, like a counter wheel: the arrow at the top and a swipe down both bring the value
// above into the middle (one step up), the arrow at the bottom and a swipe up one step down.

Spinner::Spinner(QWidget *parent)
    : QWidget(parent), m_color(TouchDefaults::backgroundColor()), m_borderColor(TouchDefaults::accentColor()),
      m_textColor(TouchDefaults::textColor()), m_selectedColor(TouchDefaults::accentColor()),
      m_fontSize(TouchDefaults::fontSize), m_rounding(TouchDefaults::rounding)
{
    setAttribute(Qt::WA_AcceptTouchEvents);
    setFocusPolicy(Qt::NoFocus);
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Preferred);
    setAccessibleName(u"Keuze"_s);
}

Spinner::~Spinner() = default;

int Spinner::addColumn(int minimum, int maximum, int step, bool wrap, const QStringList &texts)
{
    Column c;
    c.minimum = minimum;
    c.maximum = std::max(minimum, maximum);
    c.step = std::max(1, step);
    c.wrap = wrap;
    c.texts = texts;
    c.value = c.minimum;
    m_columns.append(c);
    invalidate();
    updateGeometry();
    return columnCount() - 1;
}

void Spinner::clearColumns()
{
    m_columns.clear();
    m_dragColumn = -1;
    invalidate();
    updateGeometry();
}

int Spinner::minimum(int column) const
{
    return column >= 0 && column < columnCount() ? m_columns.at(column).minimum : 0;
}

int Spinner::maximum(int column) const
{
    return column >= 0 && column < columnCount() ? m_columns.at(column).maximum : 0;
}

void Spinner::setRange(int column, int minimum, int maximum)
{
    if (column < 0 || column >= columnCount())
        return;
    Column &c = m_columns[column];
    c.minimum = minimum;
    c.maximum = std::max(minimum, maximum);
    c.value = std::clamp(c.value, c.minimum, c.maximum);
    update();
}

void Spinner::setMaximum(int column, int maximum)
{
    setRange(column, minimum(column), maximum);
}

int Spinner::step(int column) const
{
    return column >= 0 && column < columnCount() ? m_columns.at(column).step : 1;
}

void Spinner::setStep(int column, int step)
{
    if (column >= 0 && column < columnCount())
        m_columns[column].step = std::max(1, step);
    update();
}

bool Spinner::wraps(int column) const
{
    return column >= 0 && column < columnCount() && m_columns.at(column).wrap;
}

void Spinner::setWrap(int column, bool wrap)
{
    if (column >= 0 && column < columnCount())
        m_columns[column].wrap = wrap;
    update();
}

QStringList Spinner::texts(int column) const
{
    return column >= 0 && column < columnCount() ? m_columns.at(column).texts : QStringList();
}

void Spinner::setTexts(int column, const QStringList &texts)
{
    if (column >= 0 && column < columnCount())
        m_columns[column].texts = texts;
    update();
}

void Spinner::setColumnStretch(int column, int stretch)
{
    if (column >= 0 && column < columnCount())
        m_columns[column].stretch = std::max(1, stretch);
    invalidate();
}

int Spinner::value(int column) const
{
    return column >= 0 && column < columnCount() ? m_columns.at(column).value : 0;
}

bool Spinner::setValue(int column, int value, bool notify)
{
    if (column < 0 || column >= columnCount())
        return false;
    Column &c = m_columns[column];
    if (value < c.minimum || value > c.maximum)
        return false;
    if (c.value == value)
        return true;
    c.value = value;
    update();
    if (notify)
        emit valueChanged(column, value);
    return true;
}

QString Spinner::text(int column) const
{
    if (column < 0 || column >= columnCount())
        return {};
    const Column &c = m_columns.at(column);
    return textFor(c, c.value);
}

QString Spinner::textFor(const Column &c, int value) const
{
    if ((value - c.minimum) % c.step == 0) {
        const int idx = (value - c.minimum) / c.step;
        if (idx >= 0 && idx < c.texts.size())
            return c.texts.at(idx);
    }
    return QString::number(value);
}

int Spinner::offsetValue(const Column &c, int steps) const
{
    const int positions = (c.maximum - c.minimum) / c.step + 1;
    const int idx = (c.value - c.minimum) / c.step; // a value off the grid steps from the one below
    int target = idx + steps;
    if (c.wrap)
        target = ((target % positions) + positions) % positions;
    else
        target = std::clamp(target, 0, positions - 1);
    if (steps == 0)
        return c.value;
    return c.minimum + target * c.step;
}

void Spinner::stepUp(int column)
{
    userStep(column, 1);
}

void Spinner::stepDown(int column)
{
    userStep(column, -1);
}

void Spinner::userStep(int column, int steps)
{
    if (column < 0 || column >= columnCount())
        return;
    Column &c = m_columns[column];
    const int v = offsetValue(c, steps);
    if (v == c.value)
        return;
    c.value = v;
    update();
    emit valueChanged(column, v);
}

// ---- geometry -------------------------------------------------------------------------------

int Spinner::arrowHeight() const
{
    return std::clamp(height() / 6, 16, 44);
}

int Spinner::rowHeight() const
{
    return std::max(1, (height() - 2 * arrowHeight()) / 3);
}

QRect Spinner::columnRect(int column) const
{
    if (column < 0 || column >= columnCount())
        return {};
    int total = 0;
    for (const Column &c : m_columns)
        total += c.stretch;
    const QRect inner = rect().adjusted(2, 2, -2, -2);
    int before = 0;
    for (int i = 0; i < column; ++i)
        before += m_columns.at(i).stretch;
    const int left = inner.left() + inner.width() * before / total;
    const int right = inner.left() + inner.width() * (before + m_columns.at(column).stretch) / total;
    return QRect(left, inner.top(), right - left, inner.height());
}

QRect Spinner::upArrowRect(int column) const
{
    const QRect r = columnRect(column);
    return r.isNull() ? QRect() : QRect(r.left(), r.top(), r.width(), arrowHeight());
}

QRect Spinner::downArrowRect(int column) const
{
    const QRect r = columnRect(column);
    return r.isNull() ? QRect() : QRect(r.left(), r.bottom() - arrowHeight() + 1, r.width(), arrowHeight());
}

int Spinner::columnAt(const QPointF &pos) const
{
    for (int i = 0; i < columnCount(); ++i) {
        if (columnRect(i).contains(pos.toPoint()))
            return i;
    }
    return -1;
}

QSize Spinner::sizeHint() const
{
    QFont f = font();
    f.setPointSize(m_fontSize);
    const QFontMetrics fm(f);
    int w = 0;
    for (const Column &c : m_columns) {
        int cw = std::max(fm.horizontalAdvance(QString::number(c.maximum)),
                          fm.horizontalAdvance(QString::number(c.minimum)));
        for (const QString &t : c.texts)
            cw = std::max(cw, fm.horizontalAdvance(t));
        w += cw + 32;
    }
    return QSize(std::max(w, 80), fm.height() * 3 + 2 * 32 + 24);
}

QSize Spinner::minimumSizeHint() const
{
    return QSize(48, 96);
}

// ---- painting -------------------------------------------------------------------------------

void Spinner::invalidate()
{
    m_frameCache = QPixmap();
    update();
}

void Spinner::resizeEvent(QResizeEvent *)
{
    invalidate();
}

void Spinner::changeEvent(QEvent *e)
{
    if (e->type() == QEvent::PaletteChange || e->type() == QEvent::FontChange ||
        e->type() == QEvent::EnabledChange)
        invalidate();
    QWidget::changeEvent(e);
}

void Spinner::paintEvent(QPaintEvent *)
{
    const qreal dpr = devicePixelRatioF();
    if (m_frameCache.isNull() || m_frameCache.devicePixelRatio() != dpr ||
        m_frameCache.deviceIndependentSize().toSize() != size()) {
        m_frameCache = TouchPaint::canvas(size(), dpr);
        QPainter p(&m_frameCache);
        p.setRenderHint(QPainter::Antialiasing);
        const QRectF frame = QRectF(rect()).adjusted(1, 1, -1, -1);
        const QPainterPath path = TouchPaint::roundedRect(frame, m_rounding);
        QLinearGradient fill(frame.topLeft(), frame.bottomLeft());
        fill.setColorAt(0, m_color.darker(112));
        fill.setColorAt(0.3, m_color);
        fill.setColorAt(0.7, m_color);
        fill.setColorAt(1, m_color.darker(112));
        p.fillPath(path, fill);
        // The band behind the chosen values.
        const int top = arrowHeight() + 2 + rowHeight();
        QColor band = m_selectedColor;
        band.setAlpha(isEnabled() ? 60 : 30);
        p.fillRect(QRectF(frame.left(), top, frame.width(), rowHeight()), band);
        p.setPen(QPen(m_selectedColor, 1));
        p.drawLine(QPointF(frame.left(), top), QPointF(frame.right(), top));
        p.drawLine(QPointF(frame.left(), top + rowHeight()), QPointF(frame.right(), top + rowHeight()));
        // Column separators and arrows.
        QColor arrow = m_textColor;
        if (!isEnabled())
            arrow.setAlphaF(0.4f);
        for (int i = 0; i < columnCount(); ++i) {
            const QRect cr = columnRect(i);
            if (i > 0) {
                p.setPen(QPen(m_borderColor, 1));
                p.drawLine(QPointF(cr.left() + 0.5, frame.top() + 4),
                           QPointF(cr.left() + 0.5, frame.bottom() - 4));
            }
            p.setPen(Qt::NoPen);
            p.setBrush(arrow);
            const qreal s = std::min<qreal>(arrowHeight() * 0.28, cr.width() * 0.15);
            const QPointF up = QRectF(upArrowRect(i)).center();
            const QPointF down = QRectF(downArrowRect(i)).center();
            p.drawPolygon(
                QPolygonF({up + QPointF(-s, s * 0.5), up + QPointF(s, s * 0.5), up + QPointF(0, -s * 0.6)}));
            p.drawPolygon(QPolygonF(
                {down + QPointF(-s, -s * 0.5), down + QPointF(s, -s * 0.5), down + QPointF(0, s * 0.6)}));
        }
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(m_borderColor, 1.5));
        p.drawPath(path);
    }

    QPainter p(this);
    p.drawPixmap(0, 0, m_frameCache);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    QFont big = font();
    big.setPointSize(m_fontSize);
    QFont small = big;
    small.setPointSize(std::max(6, m_fontSize * 4 / 5));
    const int rh = rowHeight();
    const int centreTop = arrowHeight() + 2 + rh;
    for (int i = 0; i < columnCount(); ++i) {
        const Column &c = m_columns.at(i);
        const QRect cr = columnRect(i);
        const QRect drum(cr.left(), arrowHeight() + 2, cr.width(), 3 * rh);
        p.save();
        p.setClipRect(drum);
        const double offset = i == m_dragColumn ? m_dragOffset : 0;
        for (int k = -2; k <= 2; ++k) {
            // k < 0 above the middle: values one or two steps up.
            const int positions = (c.maximum - c.minimum) / c.step + 1;
            const int idx = (c.value - c.minimum) / c.step - k;
            if (!c.wrap && (idx < 0 || idx >= positions))
                continue;
            const int v = offsetValue(c, -k);
            const QRectF row(cr.left() + 4, centreTop + k * rh + offset, cr.width() - 8, rh);
            const double distance = std::abs(row.center().y() - (centreTop + rh / 2.0)) / rh;
            QColor col = m_textColor;
            col.setAlphaF(float(std::clamp(1.0 - 0.55 * distance, 0.15, 1.0) * (isEnabled() ? 1.0 : 0.5)));
            p.setPen(col);
            p.setFont(distance < 0.5 ? big : small);
            const QString t = p.fontMetrics().elidedText(textFor(c, v), Qt::ElideRight, int(row.width()));
            p.drawText(row, Qt::AlignCenter, t);
        }
        p.restore();
    }
}

// ---- finger ---------------------------------------------------------------------------------

bool Spinner::event(QEvent *e)
{
    if (PointerInput::isPointerEvent(e) && isEnabled()) {
        if (const auto pe = m_pointer.filter(e))
            handlePointer(*pe);
        e->accept();
        return true;
    }
    return QWidget::event(e);
}

void Spinner::mousePressEvent(QMouseEvent *e)
{
    e->accept(); // handled in event()
}

void Spinner::mouseMoveEvent(QMouseEvent *e)
{
    e->accept();
}

void Spinner::mouseReleaseEvent(QMouseEvent *e)
{
    e->accept();
}

void Spinner::handlePointer(const PointerInput::Event &pe)
{
    switch (pe.phase) {
    case PointerInput::Phase::Press:
        m_dragColumn = columnAt(pe.pos);
        m_dragOffset = 0;
        m_dragging = false;
        m_lastPos = pe.pos;
        m_pressPos = pe.pos;
        break;
    case PointerInput::Phase::Move: {
        if (m_dragColumn < 0)
            break;
        if (!m_dragging) {
            if (std::abs(pe.pos.y() - m_pressPos.y()) < QGuiApplication::styleHints()->startDragDistance())
                break;
            m_dragging = true;
            m_lastPos = pe.pos;
        }
        m_dragOffset += pe.pos.y() - m_lastPos.y();
        m_lastPos = pe.pos;
        const int rh = rowHeight();
        const Column &c = m_columns.at(m_dragColumn);
        while (m_dragOffset >= rh) {
            const int before = c.value;
            userStep(m_dragColumn, 1);
            m_dragOffset = c.value == before ? 0 : m_dragOffset - rh;
        }
        while (m_dragOffset <= -rh) {
            const int before = c.value;
            userStep(m_dragColumn, -1);
            m_dragOffset = c.value == before ? 0 : m_dragOffset + rh;
        }
        // At a closed end the drum only gives a little.
        if (!c.wrap && ((m_dragOffset > 0 && offsetValue(c, 1) == c.value) ||
                        (m_dragOffset < 0 && offsetValue(c, -1) == c.value)))
            m_dragOffset = std::clamp(m_dragOffset, -rh / 4.0, rh / 4.0);
        update();
        break;
    }
    case PointerInput::Phase::Release: {
        // The state is reset before the change is reported: a handler may do anything.
        const int column = m_dragColumn;
        const bool dragging = m_dragging;
        const double offset = m_dragOffset;
        m_dragColumn = -1;
        m_dragOffset = 0;
        m_dragging = false;
        update();
        if (column < 0)
            break;
        if (dragging) {
            if (offset > rowHeight() / 2.0)
                userStep(column, 1);
            else if (offset < -rowHeight() / 2.0)
                userStep(column, -1);
        } else {
            const QPoint at = pe.pos.toPoint();
            const int centreTop = arrowHeight() + 2 + rowHeight();
            if (upArrowRect(column).contains(at) || (at.y() < centreTop && columnRect(column).contains(at)))
                userStep(column, 1);
            else if (downArrowRect(column).contains(at) ||
                     (at.y() >= centreTop + rowHeight() && columnRect(column).contains(at)))
                userStep(column, -1);
        }
        break;
    }
    case PointerInput::Phase::Cancel:
        m_dragColumn = -1;
        m_dragOffset = 0;
        m_dragging = false;
        update();
        break;
    }
}

void Spinner::wheelEvent(QWheelEvent *e)
{
    const int column = columnAt(e->position());
    if (column < 0 || e->angleDelta().y() == 0) {
        e->ignore();
        return;
    }
    userStep(column, e->angleDelta().y() > 0 ? 1 : -1);
    e->accept();
}

// ---- look -----------------------------------------------------------------------------------

void Spinner::setColor(const QColor &color)
{
    if (assign(m_color, color)) {
        invalidate();
        emit colorChanged(color);
    }
}

void Spinner::setBorderColor(const QColor &color)
{
    if (assign(m_borderColor, color)) {
        invalidate();
        emit borderColorChanged(color);
    }
}

void Spinner::setTextColor(const QColor &color)
{
    if (assign(m_textColor, color)) {
        invalidate();
        emit textColorChanged(color);
    }
}

void Spinner::setSelectedColor(const QColor &color)
{
    if (assign(m_selectedColor, color)) {
        invalidate();
        emit selectedColorChanged(color);
    }
}

void Spinner::setFontSize(int pointSize)
{
    if (assign(m_fontSize, std::max(1, pointSize))) {
        update();
        updateGeometry();
        emit fontSizeChanged(m_fontSize);
    }
}

void Spinner::setRounding(int radius)
{
    if (assign(m_rounding, std::max(0, radius))) {
        invalidate();
        emit roundingChanged(m_rounding);
    }
}
