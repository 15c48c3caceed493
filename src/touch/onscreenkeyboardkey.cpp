#include "touch/onscreenkeyboardkey.h"

#include <QPainter>
#include <QPainterPath>

using namespace Qt::StringLiterals;

OnScreenKeyboardKey::OnScreenKeyboardKey(Role role, const QString &normal, const QString &shifted,
                                         QWidget *parent)
    : QAbstractButton(parent), m_role(role), m_normal(normal), m_shifted(shifted)
{
    setFocusPolicy(Qt::NoFocus);
    setAttribute(Qt::WA_OpaquePaintEvent, false);
    // Backspace repeats while held, like a hardware key.
    if (role == Role::Backspace) {
        setAutoRepeat(true);
        setAutoRepeatDelay(450);
        setAutoRepeatInterval(70);
    }
    setText(normal);
    updateAccessibleName();
}

void OnScreenKeyboardKey::setShiftState(bool shift)
{
    if (m_shift == shift)
        return;
    m_shift = shift;
    if (m_role == Role::Character)
        setText(currentText());
    updateAccessibleName();
    update();
}

void OnScreenKeyboardKey::setLit(bool lit)
{
    if (m_lit == lit)
        return;
    m_lit = lit;
    update();
}

void OnScreenKeyboardKey::setLook(const Look &look)
{
    m_look = look;
    update();
}

QSize OnScreenKeyboardKey::sizeHint() const
{
    return QSize(qRound(56 * m_units), 56);
}

void OnScreenKeyboardKey::updateAccessibleName()
{
    switch (m_role) {
    case Role::Character:
        setAccessibleName(currentText());
        break;
    case Role::Shift:
        setAccessibleName(u"Hoofdletters"_s);
        break;
    case Role::Backspace:
        setAccessibleName(u"Wissen"_s);
        break;
    case Role::Enter:
        setAccessibleName(u"Enter"_s);
        break;
    case Role::Space:
        setAccessibleName(u"Spatie"_s);
        break;
    case Role::LayoutSwitch:
        setAccessibleName(m_normal == u"123"_s ? u"Cijfers"_s : u"Letters"_s);
        break;
    }
}

void OnScreenKeyboardKey::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);

    const bool down = isDown();
    const bool special = m_role != Role::Character && m_role != Role::Space;
    QColor face = special ? m_look.special : m_look.face;
    QColor ink = m_look.text;
    if (down || m_lit) {
        face = m_look.pressed;
        ink = m_look.pressedText;
    }
    if (!isEnabled()) {
        face.setAlpha(120);
        ink.setAlpha(120);
    }

    const QRectF r = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
    const qreal radius = qMin<qreal>(m_look.rounding, qMin(r.width(), r.height()) / 2.0);

    // A soft drop edge under the key, gone while pressed so the key looks pushed in.
    if (!down) {
        QPainterPath shadow;
        shadow.addRoundedRect(r.adjusted(0, 2, 0, 0), radius, radius);
        p.fillPath(shadow, QColor(0, 0, 0, 60));
    }
    const QRectF body = down ? r.adjusted(0, 1.5, 0, 0) : r.adjusted(0, 0, 0, -2);
    QPainterPath path;
    path.addRoundedRect(body, radius, radius);
    QLinearGradient grad(body.topLeft(), body.bottomLeft());
    grad.setColorAt(0.0, face.lighter(down ? 100 : 108));
    grad.setColorAt(1.0, face.darker(down ? 100 : 104));
    p.fillPath(path, grad);
    p.setPen(QPen(face.darker(125), 1.0));
    p.drawPath(path);

    int px = m_look.fontPixelSize > 0 ? m_look.fontPixelSize
                                      : qBound(9, int(qMin(body.height() * 0.42, body.width() * 0.6)), 40);
    QFont f = font();
    f.setPixelSize(px);
    f.setWeight(special ? QFont::DemiBold : QFont::Medium);

    QString caption;
    switch (m_role) {
    case Role::Character:
        caption = currentText();
        break;
    case Role::Shift:
        caption = u"\u21E7"_s;
        break;
    case Role::Backspace:
        caption = u"\u232B"_s;
        break;
    case Role::Enter:
        caption = u"\u21B5"_s;
        break;
    case Role::Space:
        caption = QString();
        break;
    case Role::LayoutSwitch:
        caption = m_normal;
        break;
    }
    // Longer captions ("123", "ABC") shrink until they fit the key.
    while (px > 8 &&
           QFontMetricsF(f).horizontalAdvance(caption) > body.width() - 2 * qMax<qreal>(4.0, radius / 2)) {
        f.setPixelSize(--px);
    }
    p.setFont(f);
    p.setPen(ink);
    p.drawText(body, Qt::AlignCenter, caption);

    // A character key whose shifted character is not simply the capital shows it small in the
    // corner, as printed on a real keycap.
    if (m_role == Role::Character && !m_shift && m_shifted != m_normal && m_shifted != m_normal.toUpper()) {
        QFont small = f;
        small.setPixelSize(qMax(8, px * 6 / 10));
        small.setWeight(QFont::Normal);
        p.setFont(small);
        QColor faint = ink;
        faint.setAlphaF(0.6f);
        p.setPen(faint);
        const qreal pad = qMax<qreal>(3.0, radius / 2.0);
        p.drawText(body.adjusted(pad, pad / 2, -pad, -pad), Qt::AlignRight | Qt::AlignTop, m_shifted);
    }
    if (m_role == Role::Space) {
        QColor bar = ink;
        bar.setAlphaF(0.35f);
        const qreal w = body.width() * 0.3;
        p.fillRect(QRectF(body.center().x() - w / 2, body.center().y() + px * 0.3, w, qMax(1.5, px / 10.0)),
                   bar);
    }
}
