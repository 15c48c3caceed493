#include "touch/sliderswitch.h"

#include "touch/touchcolors.h"
#include "touch/touchpaint.h"

#include <QEasingCurve>
#include <QFocusEvent>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QStyleHints>

#include <algorithm>
#include <cmath>

using namespace Qt::StringLiterals;
using TouchPaint::assign;

SliderSwitch::SliderSwitch(QWidget *parent) : SliderSwitch(u"On"_s, u"Off"_s, parent) {}

SliderSwitch::SliderSwitch(const QString &onCaption, const QString &offCaption, QWidget *parent)
    : QAbstractButton(parent), m_onCaption(onCaption), m_offCaption(offCaption),
      m_onColor(TouchDefaults::backgroundColor()), m_offColor(TouchDefaults::backgroundColor()),
      m_borderColor(TouchDefaults::accentColor()), m_textColor(TouchDefaults::textColor()),
      m_knobColor(TouchDefaults::accentColor()), m_fontSize(TouchDefaults::fontSize)
{
    setCheckable(true);
    setAttribute(Qt::WA_AcceptTouchEvents);
    setFocusPolicy(Qt::TabFocus);
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    m_animation.setDuration(160);
    m_animation.setEasingCurve(QEasingCurve::OutCubic);
    connect(&m_animation, &QVariantAnimation::valueChanged, this, [this](const QVariant &v) {
        m_knob = v.toDouble();
        update();
    });
    updateAccessibleName();
}

SliderSwitch::~SliderSwitch() = default;

void SliderSwitch::setChecked(bool on, bool notify)
{
    const bool was = isChecked();
    QAbstractButton::setChecked(on);
    if (notify && was != on)
        emit changed(on);
}

void SliderSwitch::checkStateSet()
{
    animateKnob();
    updateAccessibleName();
}

void SliderSwitch::nextCheckState()
{
    // click() and the space key: a change by the user.
    QAbstractButton::nextCheckState();
    emit changed(isChecked());
}

void SliderSwitch::userSet(bool on)
{
    if (on == isChecked()) {
        animateKnob(); // a slide that did not pass the middle goes back
        return;
    }
    QAbstractButton::setChecked(on);
    emit changed(on);
}

void SliderSwitch::animateKnob()
{
    const double target = isChecked() ? 1.0 : 0.0;
    m_animation.stop();
    if (!isVisible() || m_knob == target) {
        m_knob = target;
        update();
        return;
    }
    m_animation.setStartValue(m_knob);
    m_animation.setEndValue(target);
    m_animation.start();
}

void SliderSwitch::updateAccessibleName()
{
    // The caption of the current state is the switch's text, so assistive technology reads it
    // along with the checked state. It is drawn by paintEvent, never as a mnemonic.
    QAbstractButton::setText(caption());
    setShortcut(QKeySequence());
}

// ---- geometry -------------------------------------------------------------------------------

QRectF SliderSwitch::trackRect() const
{
    return QRectF(rect()).adjusted(1, 1, -1, -2);
}

double SliderSwitch::knobTravel() const
{
    const QRectF t = trackRect();
    const double d = t.height() - 6;
    return std::max(1.0, t.width() - 6 - d);
}

QSize SliderSwitch::sizeHint() const
{
    QFont f = font();
    f.setPointSize(m_fontSize);
    const QFontMetrics fm(f);
    const int h = std::max(36, fm.height() + 18);
    const int textW = std::max(fm.horizontalAdvance(m_onCaption), fm.horizontalAdvance(m_offCaption));
    return QSize(textW + h + 28, h);
}

QSize SliderSwitch::minimumSizeHint() const
{
    return QSize(60, 28);
}

// ---- finger ---------------------------------------------------------------------------------

bool SliderSwitch::event(QEvent *e)
{
    if (PointerInput::isPointerEvent(e) && isEnabled()) {
        if (const auto pe = m_pointer.filter(e))
            handlePointer(*pe);
        e->accept();
        return true;
    }
    return QAbstractButton::event(e);
}

void SliderSwitch::mousePressEvent(QMouseEvent *e)
{
    e->accept(); // handled in event()
}

void SliderSwitch::mouseMoveEvent(QMouseEvent *e)
{
    e->accept();
}

void SliderSwitch::mouseReleaseEvent(QMouseEvent *e)
{
    e->accept();
}

void SliderSwitch::handlePointer(const PointerInput::Event &pe)
{
    switch (pe.phase) {
    case PointerInput::Phase::Press:
        m_animation.stop();
        m_pressPos = pe.pos;
        m_pressKnob = m_knob;
        m_dragging = false;
        setDown(true);
        update();
        break;
    case PointerInput::Phase::Move: {
        const double dx = pe.pos.x() - m_pressPos.x();
        if (!m_dragging && std::abs(dx) < QGuiApplication::styleHints()->startDragDistance())
            break;
        m_dragging = true;
        m_knob = std::clamp(m_pressKnob + dx / knobTravel(), 0.0, 1.0);
        update();
        break;
    }
    case PointerInput::Phase::Release: {
        setDown(false);
        const bool dragged = m_dragging;
        m_dragging = false;
        if (dragged)
            userSet(m_knob > 0.5);
        else if (rect().contains(pe.pos.toPoint()))
            userSet(!isChecked());
        else
            animateKnob();
        break;
    }
    case PointerInput::Phase::Cancel:
        setDown(false);
        m_dragging = false;
        animateKnob();
        break;
    }
}

// ---- painting -------------------------------------------------------------------------------

void SliderSwitch::invalidate()
{
    m_trackCache[0] = m_trackCache[1] = QPixmap();
    m_knobCache = QPixmap();
    update();
}

void SliderSwitch::resizeEvent(QResizeEvent *e)
{
    invalidate();
    QAbstractButton::resizeEvent(e);
}

void SliderSwitch::changeEvent(QEvent *e)
{
    if (e->type() == QEvent::PaletteChange || e->type() == QEvent::EnabledChange ||
        e->type() == QEvent::FontChange) {
        if (e->type() == QEvent::EnabledChange && !isEnabled() && m_pointer.isActive()) {
            m_pointer.reset();
            setDown(false);
            m_dragging = false;
            animateKnob();
        }
        invalidate();
    }
    QAbstractButton::changeEvent(e);
}

void SliderSwitch::paintEvent(QPaintEvent *)
{
    const qreal dpr = devicePixelRatioF();
    const QRectF track = trackRect();
    const qreal radius = track.height() / 2;
    const qreal d = track.height() - 6;
    for (int on = 0; on < 2; ++on) {
        QPixmap &pm = m_trackCache[on];
        if (!pm.isNull() && pm.devicePixelRatio() == dpr && pm.deviceIndependentSize().toSize() == size())
            continue;
        pm = TouchPaint::canvas(size(), dpr);
        QPainter p(&pm);
        p.setRenderHint(QPainter::Antialiasing);
        QColor face = on ? m_onColor : m_offColor;
        if (!isEnabled())
            face = TouchPaint::mix(face, QColor(128, 128, 128), 0.4);
        const QPainterPath path = TouchPaint::roundedRect(track, radius);
        // A slightly sunken track: darker at the top edge.
        QLinearGradient g(track.topLeft(), track.bottomLeft());
        g.setColorAt(0, face.darker(115));
        g.setColorAt(0.35, face);
        g.setColorAt(1, face.lighter(104));
        p.fillPath(path, g);
        if (on) {
            // The "on" side carries a tint of the knob colour so the state reads at a glance.
            QColor tint = m_knobColor;
            tint.setAlpha(40);
            p.fillPath(path, tint);
        }
        p.setPen(QPen(isEnabled() ? m_borderColor : TouchPaint::mix(m_borderColor, Qt::gray, 0.5), 1.5));
        p.drawPath(path);
    }
    if (m_knobCache.isNull() || m_knobCache.devicePixelRatio() != dpr) {
        const int side = int(std::ceil(d + 8));
        m_knobCache = TouchPaint::canvas(QSize(side, side), dpr);
        QPainter p(&m_knobCache);
        p.setRenderHint(QPainter::Antialiasing);
        const QRectF k(4, 3, d, d);
        TouchPaint::softShadow(p, k, d / 2, 3, 60);
        QColor c = m_knobColor;
        if (!isEnabled())
            c = TouchPaint::mix(c, QColor(128, 128, 128), 0.5);
        QRadialGradient g(k.center() - QPointF(0, d * 0.2), d * 0.7);
        g.setColorAt(0, c.lighter(135));
        g.setColorAt(1, c);
        p.setPen(QPen(c.darker(130), 1));
        p.setBrush(g);
        p.drawEllipse(k);
    }

    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.drawPixmap(0, 0, m_trackCache[0]);
    if (m_knob > 0) {
        p.setOpacity(m_knob);
        p.drawPixmap(0, 0, m_trackCache[1]);
        p.setOpacity(1);
    }

    const qreal knobX = track.left() + 3 + m_knob * knobTravel();
    QFont f = font();
    f.setPointSize(m_fontSize);
    p.setFont(f);
    const QFontMetrics fm(f);
    QColor tc = m_textColor;
    if (!isEnabled())
        tc.setAlphaF(0.45f);
    // The "off" caption sits right of the knob, the "on" caption left of it; each fades with it.
    const QRectF offArea(knobX + d + 6, track.top(), track.right() - knobX - d - 12, track.height());
    const QRectF onArea(track.left() + 8, track.top(), knobX - track.left() - 14, track.height());
    if (m_knob < 1 && offArea.width() > 4) {
        QColor c = tc;
        c.setAlphaF(c.alphaF() * float(1 - m_knob));
        p.setPen(c);
        p.drawText(offArea, Qt::AlignCenter,
                   fm.elidedText(m_offCaption, Qt::ElideRight, int(offArea.width())));
    }
    if (m_knob > 0 && onArea.width() > 4) {
        QColor c = tc;
        c.setAlphaF(c.alphaF() * float(m_knob));
        p.setPen(c);
        p.drawText(onArea, Qt::AlignCenter, fm.elidedText(m_onCaption, Qt::ElideRight, int(onArea.width())));
    }
    p.drawPixmap(QPointF(knobX - 4, track.top() + 3 - 3), m_knobCache);

    if (hasFocus() && m_keyboardFocus) {
        p.setPen(QPen(palette().color(QPalette::Highlight), 2));
        p.setBrush(Qt::NoBrush);
        p.drawPath(TouchPaint::roundedRect(track.adjusted(-0.5, -0.5, 0.5, 0.5), radius));
    }
}

// ---- properties ------------------------------------------------------------------------------

void SliderSwitch::setOnCaption(const QString &caption)
{
    if (assign(m_onCaption, caption)) {
        updateAccessibleName();
        updateGeometry();
        update();
        emit onCaptionChanged(caption);
    }
}

void SliderSwitch::setOffCaption(const QString &caption)
{
    if (assign(m_offCaption, caption)) {
        updateAccessibleName();
        updateGeometry();
        update();
        emit offCaptionChanged(caption);
    }
}

void SliderSwitch::setOnColor(const QColor &color)
{
    if (assign(m_onColor, color)) {
        invalidate();
        emit onColorChanged(color);
    }
}

void SliderSwitch::setOffColor(const QColor &color)
{
    if (assign(m_offColor, color)) {
        invalidate();
        emit offColorChanged(color);
    }
}

void SliderSwitch::setBorderColor(const QColor &color)
{
    if (assign(m_borderColor, color)) {
        invalidate();
        emit borderColorChanged(color);
    }
}

void SliderSwitch::setTextColor(const QColor &color)
{
    if (assign(m_textColor, color)) {
        update();
        emit textColorChanged(color);
    }
}

void SliderSwitch::setKnobColor(const QColor &color)
{
    if (assign(m_knobColor, color)) {
        invalidate();
        emit knobColorChanged(color);
    }
}

void SliderSwitch::setFontSize(int pointSize)
{
    if (assign(m_fontSize, std::max(1, pointSize))) {
        updateGeometry();
        update();
        emit fontSizeChanged(m_fontSize);
    }
}

void SliderSwitch::focusInEvent(QFocusEvent *e)
{
    m_keyboardFocus = e->reason() == Qt::TabFocusReason || e->reason() == Qt::BacktabFocusReason ||
                      e->reason() == Qt::ShortcutFocusReason;
    QAbstractButton::focusInEvent(e);
}

void SliderSwitch::focusOutEvent(QFocusEvent *e)
{
    m_keyboardFocus = false;
    QAbstractButton::focusOutEvent(e);
}
