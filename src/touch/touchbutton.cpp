#include "touch/touchbutton.h"

#include "touch/touchcolors.h"
#include "touch/touchpaint.h"

#include <QEvent>
#include <QFocusEvent>
#include <QPainter>
#include <QPainterPath>
#include <QPixmapCache>
#include <QPointer>
#include <QTextLayout>

#include <algorithm>

using namespace Qt::StringLiterals;
using TouchPaint::assign;

namespace {

enum State
{
    Up = 0,
    Down = 1,
    Disabled = 2
};

constexpr qreal kShadowDepth = 5;

} // namespace

TouchButton::TouchButton(QWidget *parent)
    : QAbstractButton(parent), m_color(TouchDefaults::backgroundColor()),
      m_bevelColor(TouchDefaults::accentColor()), m_textColor(TouchDefaults::textColor()),
      m_rounding(TouchDefaults::rounding), m_fontSize(TouchDefaults::fontSize)
{
    setAttribute(Qt::WA_AcceptTouchEvents);
    setAttribute(Qt::WA_OpaquePaintEvent, false);
    setFocusPolicy(Qt::TabFocus);
    setAutoRepeat(false);
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Preferred);
}

TouchButton::TouchButton(const QString &caption, QWidget *parent) : TouchButton(parent)
{
    setText(caption);
}

TouchButton::~TouchButton() = default;

void TouchButton::setText(const QString &text)
{
    QAbstractButton::setText(text);
    setShortcut(QKeySequence()); // a caption like "Licht & TV" is not a keyboard shortcut
    invalidate();
    updateGeometry();
}

void TouchButton::setColor(const QColor &color)
{
    if (assign(m_color, color)) {
        invalidate();
        emit colorChanged(color);
    }
}

void TouchButton::setBevel(bool on)
{
    if (assign(m_bevel, on)) {
        invalidate();
        emit bevelChanged(on);
    }
}

void TouchButton::setBevelColor(const QColor &color)
{
    if (assign(m_bevelColor, color)) {
        invalidate();
        emit bevelColorChanged(color);
    }
}

void TouchButton::setBevelWidth(int width)
{
    if (assign(m_bevelWidth, std::max(0, width))) {
        invalidate();
        emit bevelWidthChanged(m_bevelWidth);
    }
}

void TouchButton::setGlowPercent(int percent)
{
    if (assign(m_glowPercent, std::clamp(percent, 0, 100))) {
        invalidate();
        emit glowPercentChanged(m_glowPercent);
    }
}

void TouchButton::setRounding(int radius)
{
    if (assign(m_rounding, std::max(0, radius))) {
        invalidate();
        emit roundingChanged(m_rounding);
    }
}

void TouchButton::setShadow(bool on)
{
    if (assign(m_shadow, on)) {
        invalidate();
        emit shadowChanged(on);
    }
}

void TouchButton::setFontSize(int pointSize)
{
    if (assign(m_fontSize, std::max(1, pointSize))) {
        invalidate();
        updateGeometry();
        emit fontSizeChanged(m_fontSize);
    }
}

void TouchButton::setBold(bool bold)
{
    if (assign(m_bold, bold)) {
        invalidate();
        emit boldChanged(bold);
    }
}

void TouchButton::setTextColor(const QColor &color)
{
    if (assign(m_textColor, color)) {
        invalidate();
        emit textColorChanged(color);
    }
}

void TouchButton::setTextAlignment(Qt::Alignment alignment)
{
    if (assign(m_textAlignment, alignment)) {
        invalidate();
        emit textAlignmentChanged(alignment);
    }
}

void TouchButton::setWordWrap(bool on)
{
    if (assign(m_wordWrap, on)) {
        invalidate();
        emit wordWrapChanged(on);
    }
}

void TouchButton::setPicture(const QIcon &picture)
{
    setIcon(picture);
    invalidate();
    emit pictureChanged();
}

void TouchButton::setPicture(const QPixmap &picture)
{
    setPicture(picture.isNull() ? QIcon() : QIcon(picture));
}

void TouchButton::setPicturePosition(PicturePosition position)
{
    if (assign(m_picturePosition, position)) {
        invalidate();
        emit picturePositionChanged(position);
    }
}

void TouchButton::setPictureScaling(PictureScaling scaling)
{
    if (assign(m_pictureScaling, scaling)) {
        invalidate();
        emit pictureScalingChanged(scaling);
    }
}

void TouchButton::setPictureAlignment(Qt::Alignment alignment)
{
    if (assign(m_pictureAlignment, alignment)) {
        invalidate();
        emit pictureAlignmentChanged(alignment);
    }
}

QSize TouchButton::sizeHint() const
{
    QFont f = font();
    f.setPointSize(m_fontSize);
    f.setBold(m_bold);
    const QFontMetrics fm(f);
    const int textW = text().isEmpty() ? 0 : fm.horizontalAdvance(text());
    const int pad = 12 + (m_bevel ? 2 * m_bevelWidth : 0);
    int w = textW + 2 * pad;
    int h = fm.height() + 2 * pad;
    if (!icon().isNull()) {
        if (m_picturePosition == PictureLeft)
            w += 48;
        else if (m_picturePosition == PictureTop)
            h += 48;
        h = std::max(h, 48 + 2 * pad);
    }
    return QSize(std::max(w, 64), std::max(h, 48));
}

QSize TouchButton::minimumSizeHint() const
{
    return QSize(32, 32);
}

bool TouchButton::event(QEvent *e)
{
    if (PointerInput::isPointerEvent(e) && isEnabled()) {
        if (const auto pe = m_pointer.filter(e))
            handlePointer(*pe);
        e->accept();
        return true;
    }
    return QAbstractButton::event(e);
}

void TouchButton::handlePointer(const PointerInput::Event &pe)
{
    switch (pe.phase) {
    case PointerInput::Phase::Press:
        if (m_held)
            liftUp(false); // the end of the last press was lost; keep the pair
        pressDown();
        break;
    case PointerInput::Phase::Move:
        break; // the press stays with this button wherever the pointer goes
    case PointerInput::Phase::Release:
        liftUp(rect().contains(pe.pos.toPoint()));
        break;
    case PointerInput::Phase::Cancel:
        liftUp(false);
        break;
    }
}

void TouchButton::pressDown()
{
    m_held = true;
    setDown(true);
    repaint();
    emit pressed();
}

void TouchButton::liftUp(bool inside)
{
    if (!m_held)
        return;
    m_held = false;
    setDown(false);
    update();
    const QPointer<TouchButton> self(this);
    emit released();
    if (!self || !inside)
        return; // a release handler may have deleted the button
    if (isCheckable())
        nextCheckState();
    emit clicked(isChecked());
}

void TouchButton::changeEvent(QEvent *e)
{
    switch (e->type()) {
    case QEvent::EnabledChange:
        if (!isEnabled() && m_held) {
            m_pointer.reset();
            liftUp(false);
        }
        invalidate();
        break;
    case QEvent::PaletteChange:
    case QEvent::FontChange:
    case QEvent::StyleChange:
        invalidate();
        break;
    default:
        break;
    }
    QAbstractButton::changeEvent(e);
}

void TouchButton::hideEvent(QHideEvent *e)
{
    if (m_held) {
        m_pointer.reset();
        liftUp(false);
    }
    QAbstractButton::hideEvent(e);
}

void TouchButton::focusOutEvent(QFocusEvent *e)
{
    // QAbstractButton lets go of a held button when it loses the focus; do it here so that the
    // release is reported once and the pointer stops being followed.
    m_keyboardFocus = false;
    if (m_held && e->reason() != Qt::PopupFocusReason) {
        m_pointer.reset();
        liftUp(false);
    }
    QAbstractButton::focusOutEvent(e);
}

void TouchButton::invalidate()
{
    for (QPixmap &pm : m_cache)
        pm = QPixmap();
    update();
}

QRectF TouchButton::faceRect(bool down) const
{
    QRectF r = QRectF(rect()).adjusted(1, 1, -1, -1);
    if (m_shadow)
        r.adjust(2, 1, -2, -kShadowDepth);
    if (down)
        r.translate(0, m_shadow ? 2 : 0);
    return r;
}

void TouchButton::paintEvent(QPaintEvent *)
{
    const int state = !isEnabled() ? Disabled : (isDown() ? Down : Up);
    const qreal dpr = devicePixelRatioF();
    QPixmap &pm = m_cache[state];
    if (icon().cacheKey() != m_cachedIconKey || text() != m_cachedText) {
        for (QPixmap &c : m_cache)
            c = QPixmap();
        m_cachedIconKey = icon().cacheKey();
        m_cachedText = text();
    }
    if (pm.isNull() || pm.devicePixelRatio() != dpr || pm.deviceIndependentSize().toSize() != size())
        pm = renderLook(state);

    QPainter p(this);
    p.drawPixmap(0, 0, pm);
    if (hasFocus() && m_keyboardFocus) {
        p.setRenderHint(QPainter::Antialiasing);
        QPen pen(palette().color(QPalette::Highlight), 2);
        p.setPen(pen);
        p.setBrush(Qt::NoBrush);
        const QRectF f = faceRect(isDown()).adjusted(-1, -1, 1, 1);
        p.drawPath(TouchPaint::roundedRect(f, m_rounding + 1));
    }
}

QPixmap TouchButton::renderLook(int state) const
{
    const qreal dpr = devicePixelRatioF();
    const bool down = state == Down;
    const QRectF face = faceRect(down);

    // The face (shadow, fill, glow, bevel) depends only on the size and the look, so buttons of
    // one grid share it through the pixmap cache.
    const QString key = u"touchbutton:%1x%2@%3:%4:%5:%6:%7:%8:%9:%10:%11"_s.arg(width())
                            .arg(height())
                            .arg(dpr)
                            .arg(state)
                            .arg(m_color.rgba())
                            .arg(m_bevel ? m_bevelColor.rgba() : 0u)
                            .arg(m_bevel ? m_bevelWidth : 0)
                            .arg(m_glowPercent)
                            .arg(m_rounding)
                            .arg(m_shadow)
                            .arg(palette().color(QPalette::Window).rgba());
    QPixmap facePm;
    if (!QPixmapCache::find(key, &facePm)) {
        facePm = TouchPaint::canvas(size(), dpr);
        QPainter p(&facePm);
        p.setRenderHint(QPainter::Antialiasing);
        const qreal radius = m_rounding;
        if (m_shadow)
            TouchPaint::softShadow(p, face, radius, down ? kShadowDepth * 0.4 : kShadowDepth, down ? 40 : 70);

        QColor base = m_color;
        if (state == Disabled)
            base = TouchPaint::mix(base, QColor(128, 128, 128), 0.45).lighter(115);
        else if (down)
            base = base.darker(118);
        QLinearGradient fill(face.topLeft(), face.bottomLeft());
        fill.setColorAt(0, base.lighter(108));
        fill.setColorAt(1, base.darker(106));
        const QPainterPath path = TouchPaint::roundedRect(face, radius);
        p.fillPath(path, fill);

        if (m_glowPercent > 0 && state != Disabled) {
            // A soft light over the upper part of the face, as strong as the percentage says.
            const qreal g = m_glowPercent / 100.0;
            QLinearGradient glow(face.topLeft(), QPointF(face.left(), face.top() + face.height() * 0.6));
            glow.setColorAt(0, QColor(255, 255, 255, int(170 * g)));
            glow.setColorAt(1, QColor(255, 255, 255, 0));
            p.fillPath(path, glow);
            QRadialGradient halo(QPointF(face.center().x(), face.top()), face.width() * 0.6);
            halo.setColorAt(0, QColor(255, 255, 255, int(90 * g)));
            halo.setColorAt(1, QColor(255, 255, 255, 0));
            p.fillPath(path, halo);
        }

        // A fine light edge on top gives the face some depth even without a bevel.
        p.setPen(QPen(QColor(255, 255, 255, down ? 20 : 60), 1));
        p.setBrush(Qt::NoBrush);
        p.drawPath(TouchPaint::roundedRect(face.adjusted(0.5, 0.5, -0.5, -0.5), radius));

        if (m_bevel && m_bevelWidth > 0) {
            QColor ring = m_bevelColor;
            if (state == Disabled)
                ring = TouchPaint::mix(ring, QColor(128, 128, 128), 0.5);
            const qreal w = m_bevelWidth;
            p.setPen(QPen(ring, w));
            p.drawPath(TouchPaint::roundedRect(face.adjusted(w / 2, w / 2, -w / 2, -w / 2),
                                               std::max<qreal>(0, radius - w / 2)));
        }
        p.end();
        QPixmapCache::insert(key, facePm);
    }

    QPixmap pm = TouchPaint::canvas(size(), dpr);
    QPainter p(&pm);
    p.drawPixmap(0, 0, facePm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    p.setRenderHint(QPainter::TextAntialiasing);
    paintContent(p, face, state);
    return pm;
}

void TouchButton::paintContent(QPainter &p, const QRectF &face, int state) const
{
    const qreal pad = 6 + (m_bevel ? m_bevelWidth : 0) + m_rounding * 0.15;
    const QRectF content = face.adjusted(pad, pad, -pad, -pad);
    if (content.width() < 2 || content.height() < 2)
        return;

    QFont f = font();
    f.setPointSize(m_fontSize);
    f.setBold(m_bold);
    const QFontMetricsF fm(f);
    const QString caption = text();
    const bool hasText = !caption.isEmpty();
    const bool hasPicture = !icon().isNull();
    const int flags = int(m_textAlignment) | (m_wordWrap ? Qt::TextWordWrap : 0);
    const qreal gap = 6;

    QRectF textRect = content;
    QRectF pictureArea;
    if (hasPicture) {
        switch (m_picturePosition) {
        case PictureLeft: {
            const qreal side = hasText ? std::min(content.height(), content.width() / 2) : content.width();
            pictureArea = QRectF(content.left(), content.top(), side, content.height());
            if (hasText)
                pictureArea.setWidth(side);
            textRect.setLeft(pictureArea.right() + gap);
            break;
        }
        case PictureTop: {
            qreal textH = 0;
            if (hasText) {
                const QRectF need = fm.boundingRect(content, flags, caption);
                textH = std::min(need.height(), content.height() * 0.6);
            }
            pictureArea = QRectF(content.left(), content.top(), content.width(),
                                 content.height() - textH - (hasText ? gap : 0));
            textRect.setTop(content.bottom() - textH);
            break;
        }
        case PictureCenter:
            pictureArea = content;
            break;
        }
    }

    if (hasPicture && pictureArea.width() >= 1 && pictureArea.height() >= 1) {
        QSizeF natural = icon().actualSize(QSize(256, 256));
        if (natural.isEmpty())
            natural = pictureArea.size();
        QSizeF target;
        switch (m_pictureScaling) {
        case PictureOriginal:
            target = natural;
            if (target.width() > pictureArea.width() || target.height() > pictureArea.height())
                target.scale(pictureArea.size(), Qt::KeepAspectRatio);
            break;
        case PictureFitted:
            target = natural.scaled(pictureArea.size(), Qt::KeepAspectRatio);
            break;
        case PictureStretched:
            target = pictureArea.size();
            break;
        }
        QRectF pr(QPointF(), target);
        const Qt::Alignment a = m_pictureAlignment;
        if (a & Qt::AlignLeft)
            pr.moveLeft(pictureArea.left());
        else if (a & Qt::AlignRight)
            pr.moveRight(pictureArea.right());
        else
            pr.moveLeft(pictureArea.center().x() - target.width() / 2);
        if (a & Qt::AlignTop)
            pr.moveTop(pictureArea.top());
        else if (a & Qt::AlignBottom)
            pr.moveBottom(pictureArea.bottom());
        else
            pr.moveTop(pictureArea.center().y() - target.height() / 2);
        const QIcon::Mode mode = state == Disabled ? QIcon::Disabled : QIcon::Normal;
        const QPixmap pic = icon().pixmap(pr.size().toSize(), p.device()->devicePixelRatioF(), mode);
        p.drawPixmap(pr, pic, QRectF(pic.rect()));
    }

    if (hasText && textRect.width() > 1 && textRect.height() > 1) {
        QColor c = m_textColor;
        if (state == Disabled)
            c.setAlphaF(0.45f);
        // A caption that does not fit is drawn smaller (down to 60 %) before it is cut off.
        const int smallest = std::max(6, m_fontSize * 3 / 5);
        while (m_wordWrap && f.pointSize() > smallest) {
            const QRectF need = QFontMetricsF(f).boundingRect(textRect, flags, caption);
            if (need.width() <= textRect.width() + 0.5 && need.height() <= textRect.height() + 0.5)
                break;
            f.setPointSize(f.pointSize() - 1);
        }
        p.setFont(f);
        p.setPen(c);
        if (m_wordWrap) {
            p.drawText(textRect, flags, caption);
        } else {
            const QString shown = fm.elidedText(caption, Qt::ElideRight, textRect.width());
            p.drawText(textRect, flags, shown);
        }
    }
}

void TouchButton::focusInEvent(QFocusEvent *e)
{
    m_keyboardFocus = e->reason() == Qt::TabFocusReason || e->reason() == Qt::BacktabFocusReason ||
                      e->reason() == Qt::ShortcutFocusReason;
    QAbstractButton::focusInEvent(e);
}
