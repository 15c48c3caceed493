#include "touch/onscreenkeyboard.h"

#include <QApplication>
#include <QKeyEvent>
#include <QPainter>
#include <QPointer>

using namespace Qt::StringLiterals;

namespace {

using Role = OnScreenKeyboardKey::Role;

// The Qt key code a hardware keyboard reports for a character: the code of its capital for
// Latin-1 letters and signs (Qt::Key_A, Qt::Key_Eacute, Qt::Key_Ampersand, ...), the character
// itself beyond Latin-1 (the euro sign).
int keyCodeFor(const QString &text)
{
    if (text.isEmpty())
        return Qt::Key_unknown;
    const QChar c = text.at(0);
    if (c == u' ')
        return Qt::Key_Space;
    // µ has its capital outside Latin-1 (Greek Mu); its key code is Qt::Key_mu, itself.
    const QChar upper = c.toUpper();
    return int(upper.unicode() <= 0xff ? upper.unicode() : c.unicode());
}

} // namespace

OnScreenKeyboard::OnScreenKeyboard(QWidget *parent)
    : QWidget(parent), m_color(QColor(0x33, 0x35, 0x26)), m_keyColor(QColor(0xaa, 0x9c, 0x7d)),
      m_specialKeyColor(QColor(0x8f, 0x83, 0x68)), m_textColor(QColor(0x2d, 0x2f, 0x39)),
      m_pressedColor(QColor(0xf5, 0xa5, 0x24))
{
    setFocusPolicy(Qt::NoFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAccessibleName(u"Toetsenbord"_s);
    m_standard = buildStandard();
    m_numPad = buildNumPad();
    applyLook();
    layoutKeys();
}

OnScreenKeyboard::~OnScreenKeyboard() = default;

OnScreenKeyboardKey *OnScreenKeyboard::makeKey(Role role, const QString &normal, const QString &shifted,
                                               qreal units)
{
    auto *key = new OnScreenKeyboardKey(role, normal, shifted, this);
    key->setUnits(units);
    connect(key, &QAbstractButton::clicked, this, [this, key] { keyClicked(key); });
    return key;
}

QList<OnScreenKeyboard::Row> OnScreenKeyboard::buildStandard()
{
    // Each pair: unshifted, shifted. Belgian AZERTY: digits with shift on the number row.
    const QStringList number = {u"&"_s, u"1"_s, u"é"_s, u"2"_s, u"\""_s, u"3"_s, u"'"_s, u"4"_s,
                                u"("_s, u"5"_s, u"§"_s, u"6"_s, u"è"_s,  u"7"_s, u"!"_s, u"8"_s,
                                u"ç"_s, u"9"_s, u"à"_s, u"0"_s, u")"_s,  u"°"_s, u"-"_s, u"_"_s};
    const QStringList top = {u"a"_s, u"z"_s, u"e"_s, u"r"_s, u"t"_s, u"y"_s, u"u"_s, u"i"_s, u"o"_s, u"p"_s};
    const QStringList home = {u"q"_s, u"s"_s, u"d"_s, u"f"_s, u"g"_s, u"h"_s, u"j"_s, u"k"_s, u"l"_s, u"m"_s};
    const QStringList bottom = {u"w"_s, u"x"_s, u"c"_s, u"v"_s, u"b"_s, u"n"_s};

    QList<Row> rows(5);
    for (qsizetype i = 0; i + 1 < number.size(); i += 2)
        rows[0].keys.append(makeKey(Role::Character, number.at(i), number.at(i + 1), 1));
    rows[0].keys.append(makeKey(Role::Backspace, QString(), QString(), 2));

    for (const QString &c : top)
        rows[1].keys.append(makeKey(Role::Character, c, c.toUpper(), 1));
    rows[1].keys.append(makeKey(Role::Character, u"^"_s, u"¨"_s, 1));
    rows[1].keys.append(makeKey(Role::Character, u"$"_s, u"*"_s, 1));
    rows[1].keys.append(makeKey(Role::Enter, QString(), QString(), 2));

    for (const QString &c : home)
        rows[2].keys.append(makeKey(Role::Character, c, c.toUpper(), 1));
    rows[2].keys.append(makeKey(Role::Character, u"ù"_s, u"%"_s, 1));
    rows[2].keys.append(makeKey(Role::Character, u"µ"_s, u"£"_s, 1));
    rows[2].keys.append(makeKey(Role::Character, u"€"_s, u"€"_s, 2));

    rows[3].keys.append(makeKey(Role::Shift, QString(), QString(), 2));
    rows[3].keys.append(makeKey(Role::Character, u"<"_s, u">"_s, 1));
    for (const QString &c : bottom)
        rows[3].keys.append(makeKey(Role::Character, c, c.toUpper(), 1));
    rows[3].keys.append(makeKey(Role::Character, u","_s, u"?"_s, 1));
    rows[3].keys.append(makeKey(Role::Character, u";"_s, u"."_s, 1));
    rows[3].keys.append(makeKey(Role::Character, u":"_s, u"/"_s, 1));
    rows[3].keys.append(makeKey(Role::Character, u"="_s, u"+"_s, 1));
    rows[3].keys.append(makeKey(Role::Shift, QString(), QString(), 1));

    rows[4].keys.append(makeKey(Role::LayoutSwitch, u"123"_s, u"123"_s, 2));
    rows[4].keys.append(makeKey(Role::Character, u"@"_s, u"@"_s, 1));
    rows[4].keys.append(makeKey(Role::Space, u" "_s, u" "_s, 9));
    rows[4].keys.append(makeKey(Role::Character, u"."_s, u"."_s, 1));
    rows[4].keys.append(makeKey(Role::Character, u"#"_s, u"#"_s, 1));
    return rows;
}

QList<OnScreenKeyboard::Row> OnScreenKeyboard::buildNumPad()
{
    auto digit = [this](const QString &c) { return makeKey(Role::Character, c, c, 1); };
    QList<Row> rows(4);
    rows[0].keys = {digit(u"7"_s), digit(u"8"_s), digit(u"9"_s),
                    makeKey(Role::Backspace, QString(), QString(), 1)};
    rows[1].keys = {digit(u"4"_s), digit(u"5"_s), digit(u"6"_s), digit(u"-"_s)};
    rows[2].keys = {digit(u"1"_s), digit(u"2"_s), digit(u"3"_s),
                    makeKey(Role::Enter, QString(), QString(), 1)};
    rows[3].keys = {makeKey(Role::LayoutSwitch, u"ABC"_s, u"ABC"_s, 1), digit(u"0"_s), digit(u","_s),
                    digit(u"."_s)};
    return rows;
}

const QList<OnScreenKeyboard::Row> &OnScreenKeyboard::currentRows() const
{
    return m_layout == Layout::Standard ? m_standard : m_numPad;
}

void OnScreenKeyboard::setLayout(Layout layout)
{
    if (m_layout == layout)
        return;
    m_layout = layout;
    setShifted(false);
    layoutKeys();
    emit layoutChanged(m_layout);
}

QString OnScreenKeyboard::layoutName() const
{
    return m_layout == Layout::Standard ? u"Standard"_s : u"NumPad"_s;
}

void OnScreenKeyboard::setLayoutName(const QString &name)
{
    if (name == u"Standard"_s)
        setLayout(Layout::Standard);
    else if (name == u"NumPad"_s)
        setLayout(Layout::NumPad);
}

void OnScreenKeyboard::toggleLayout()
{
    setLayout(m_layout == Layout::Standard ? Layout::NumPad : Layout::Standard);
}

void OnScreenKeyboard::setShifted(bool shifted)
{
    if (m_shifted == shifted)
        return;
    m_shifted = shifted;
    for (const Row &row : std::as_const(m_standard)) {
        for (OnScreenKeyboardKey *key : row.keys) {
            key->setShiftState(shifted);
            if (key->role() == Role::Shift)
                key->setLit(shifted);
        }
    }
    emit shiftedChanged(m_shifted);
}

void OnScreenKeyboard::keyClicked(OnScreenKeyboardKey *key)
{
    switch (key->role()) {
    case Role::Character: {
        const QString text = key->currentText();
        const bool shift = m_shifted;
        // Shift holds for one character; release it before the event so a handler that reads
        // the keyboard sees it as it will be.
        setShifted(false);
        sendKey(keyCodeFor(text), shift ? Qt::ShiftModifier : Qt::NoModifier, text);
        break;
    }
    case Role::Space:
        sendKey(Qt::Key_Space, Qt::NoModifier, u" "_s);
        break;
    case Role::Backspace:
        sendKey(Qt::Key_Backspace, Qt::NoModifier, u"\b"_s);
        break;
    case Role::Enter:
        sendKey(Qt::Key_Return, Qt::NoModifier, u"\r"_s);
        break;
    case Role::Shift:
        setShifted(!m_shifted);
        break;
    case Role::LayoutSwitch:
        toggleLayout();
        break;
    }
}

void OnScreenKeyboard::sendKey(int key, Qt::KeyboardModifiers modifiers, const QString &text)
{
    // The handler of the press may close a dialog or delete the edit; the release then goes
    // nowhere rather than to a dead widget.
    QPointer<QWidget> target = QApplication::focusWidget();
    if (target && !isAncestorOf(target)) {
        QKeyEvent press(QEvent::KeyPress, key, modifiers, text);
        QCoreApplication::sendEvent(target, &press);
        if (target) {
            QKeyEvent release(QEvent::KeyRelease, key, modifiers, text);
            QCoreApplication::sendEvent(target, &release);
        }
    }
    emit keyTyped(key, text);
}

QList<QAbstractButton *> OnScreenKeyboard::keys() const
{
    QList<QAbstractButton *> list;
    for (const Row &row : currentRows()) {
        for (OnScreenKeyboardKey *key : row.keys)
            list.append(key);
    }
    return list;
}

QAbstractButton *OnScreenKeyboard::key(const QString &accessibleName) const
{
    for (QAbstractButton *k : keys()) {
        if (k->accessibleName() == accessibleName)
            return k;
    }
    return nullptr;
}

void OnScreenKeyboard::setColor(const QColor &color)
{
    if (m_color == color)
        return;
    m_color = color;
    update();
    emit appearanceChanged();
}

void OnScreenKeyboard::setKeyColor(const QColor &color)
{
    if (m_keyColor == color)
        return;
    m_keyColor = color;
    applyLook();
}

void OnScreenKeyboard::setSpecialKeyColor(const QColor &color)
{
    if (m_specialKeyColor == color)
        return;
    m_specialKeyColor = color;
    applyLook();
}

void OnScreenKeyboard::setTextColor(const QColor &color)
{
    if (m_textColor == color)
        return;
    m_textColor = color;
    applyLook();
}

void OnScreenKeyboard::setPressedColor(const QColor &color)
{
    if (m_pressedColor == color)
        return;
    m_pressedColor = color;
    applyLook();
}

void OnScreenKeyboard::setRounding(int rounding)
{
    rounding = qMax(0, rounding);
    if (m_rounding == rounding)
        return;
    m_rounding = rounding;
    applyLook();
}

void OnScreenKeyboard::setKeySpacing(int spacing)
{
    spacing = qBound(0, spacing, 40);
    if (m_keySpacing == spacing)
        return;
    m_keySpacing = spacing;
    layoutKeys();
    emit appearanceChanged();
}

void OnScreenKeyboard::setFontPixelSize(int pixels)
{
    pixels = qBound(0, pixels, 200);
    if (m_fontPixelSize == pixels)
        return;
    m_fontPixelSize = pixels;
    applyLook();
}

void OnScreenKeyboard::applyLook()
{
    OnScreenKeyboardKey::Look look;
    look.face = m_keyColor;
    look.special = m_specialKeyColor;
    look.text = m_textColor;
    look.pressed = m_pressedColor;
    // Dark or light ink on the pressed face, whichever reads.
    look.pressedText = m_pressedColor.lightnessF() > 0.55 ? QColor(0x22, 0x22, 0x22) : QColor(Qt::white);
    look.rounding = m_rounding;
    look.fontPixelSize = m_fontPixelSize;
    for (const QList<Row> *rows : {&m_standard, &m_numPad}) {
        for (const Row &row : *rows) {
            for (OnScreenKeyboardKey *key : row.keys)
                key->setLook(look);
        }
    }
    update();
    emit appearanceChanged();
}

void OnScreenKeyboard::layoutKeys()
{
    const QList<Row> &shown = currentRows();
    const QList<Row> &hidden = m_layout == Layout::Standard ? m_numPad : m_standard;
    for (const Row &row : hidden) {
        for (OnScreenKeyboardKey *key : row.keys)
            key->hide();
    }
    if (shown.isEmpty())
        return;

    const int gap = m_keySpacing;
    const QRect area = rect().adjusted(gap, gap, -gap, -gap);
    qreal maxUnits = 0;
    for (const Row &row : shown) {
        qreal units = 0;
        for (const OnScreenKeyboardKey *key : row.keys)
            units += key->units();
        maxUnits = qMax(maxUnits, units);
    }
    const int rows = int(shown.size());
    const qreal rowHeight = qMax<qreal>(1.0, (area.height() - gap * (rows - 1)) / qreal(rows));
    // A key is never wider than about 2.5 times its height: a short number pad stays a compact
    // block in the middle instead of stretching flat across a wide bar.
    qreal unit = qMax<qreal>(1.0, (area.width() + gap) / maxUnits);
    unit = qMin(unit, rowHeight * 2.5 + gap);

    for (int r = 0; r < rows; ++r) {
        const Row &row = shown.at(r);
        qreal units = 0;
        for (const OnScreenKeyboardKey *key : row.keys)
            units += key->units();
        qreal x = area.left() + (area.width() + gap - units * unit) / 2.0;
        const qreal y = area.top() + r * (rowHeight + gap);
        for (OnScreenKeyboardKey *key : row.keys) {
            const qreal w = key->units() * unit - gap;
            key->setGeometry(QRectF(x, y, w, rowHeight).toRect());
            key->show();
            x += key->units() * unit;
        }
    }
}

QSize OnScreenKeyboard::sizeHint() const
{
    return QSize(900, 300);
}

QSize OnScreenKeyboard::minimumSizeHint() const
{
    return QSize(320, 120);
}

void OnScreenKeyboard::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.fillRect(rect(), m_color);
}

void OnScreenKeyboard::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    layoutKeys();
}

void OnScreenKeyboard::changeEvent(QEvent *event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::PaletteChange || event->type() == QEvent::FontChange)
        update();
}
