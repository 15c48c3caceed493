#pragma once

#include "touch/onscreenkeyboardkey.h"

#include <QColor>
#include <QList>
#include <QWidget>

class QAbstractButton;

// An AZERTY touch keyboard that types into whichever control has the focus. Each key sends a
// real key press and release (with its text) to QApplication::focusWidget(), so every edit reacts
// exactly as to a hardware keyboard (validators, masks, returnPressed, text-changed handlers).
// The keys never take the focus themselves.
//
// Two layouts: "Standard", a Belgian AZERTY with its number row (é è ç à unshifted, digits with
// shift, ù beside m) and the euro sign; "NumPad", digits with a few signs. A key on each layout
// switches to the other. Shift holds for the next character only.
class OnScreenKeyboard final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(OnScreenKeyboard)
    Q_PROPERTY(Layout layout READ layout WRITE setLayout NOTIFY layoutChanged)
    Q_PROPERTY(QString layoutName READ layoutName WRITE setLayoutName NOTIFY layoutChanged)
    Q_PROPERTY(bool shifted READ isShifted WRITE setShifted NOTIFY shiftedChanged)
    Q_PROPERTY(QColor color READ color WRITE setColor NOTIFY appearanceChanged)
    Q_PROPERTY(QColor keyColor READ keyColor WRITE setKeyColor NOTIFY appearanceChanged)
    Q_PROPERTY(QColor specialKeyColor READ specialKeyColor WRITE setSpecialKeyColor NOTIFY appearanceChanged)
    Q_PROPERTY(QColor textColor READ textColor WRITE setTextColor NOTIFY appearanceChanged)
    Q_PROPERTY(QColor pressedColor READ pressedColor WRITE setPressedColor NOTIFY appearanceChanged)
    Q_PROPERTY(int rounding READ rounding WRITE setRounding NOTIFY appearanceChanged)
    Q_PROPERTY(int keySpacing READ keySpacing WRITE setKeySpacing NOTIFY appearanceChanged)
    Q_PROPERTY(int fontPixelSize READ fontPixelSize WRITE setFontPixelSize NOTIFY appearanceChanged)

public:
    enum class Layout
    {
        Standard,
        NumPad
    };
    Q_ENUM(Layout)

    explicit OnScreenKeyboard(QWidget *parent = nullptr);
    ~OnScreenKeyboard() override;

    Layout layout() const { return m_layout; }
    void setLayout(Layout layout);
    // "Standard" or "NumPad"; another name leaves the layout as it is.
    QString layoutName() const;
    void setLayoutName(const QString &name);

    bool isShifted() const { return m_shifted; }

    // Background behind the keys; faces of character keys and of the other keys; their text;
    // a pressed (or active shift) key's face.
    QColor color() const { return m_color; }
    void setColor(const QColor &color);
    QColor keyColor() const { return m_keyColor; }
    void setKeyColor(const QColor &color);
    QColor specialKeyColor() const { return m_specialKeyColor; }
    void setSpecialKeyColor(const QColor &color);
    QColor textColor() const { return m_textColor; }
    void setTextColor(const QColor &color);
    QColor pressedColor() const { return m_pressedColor; }
    void setPressedColor(const QColor &color);
    int rounding() const { return m_rounding; }
    void setRounding(int rounding);
    int keySpacing() const { return m_keySpacing; }
    void setKeySpacing(int spacing);
    // 0 (the default) sizes the captions from the key height.
    int fontPixelSize() const { return m_fontPixelSize; }
    void setFontPixelSize(int pixels);

    // The keys of the layout shown, for assistive tools and tests (their accessible names are
    // the characters they type now, or "Hoofdletters", "Wissen", "Enter", "Spatie", "Cijfers",
    // "Letters").
    QList<QAbstractButton *> keys() const;
    // The key of the layout shown with this accessible name, or null.
    QAbstractButton *key(const QString &accessibleName) const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

public slots:
    void toggleLayout();
    void setShifted(bool shifted);

signals:
    void layoutChanged(OnScreenKeyboard::Layout layout);
    void shiftedChanged(bool shifted);
    // After a key event went to the focused control (or to no one when nothing has the focus).
    void keyTyped(int key, const QString &text);
    void appearanceChanged();

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    struct Row
    {
        QList<OnScreenKeyboardKey *> keys;
    };

    QList<Row> buildStandard();
    QList<Row> buildNumPad();
    OnScreenKeyboardKey *makeKey(OnScreenKeyboardKey::Role role, const QString &normal,
                                 const QString &shifted, qreal units);
    void keyClicked(OnScreenKeyboardKey *key);
    void sendKey(int key, Qt::KeyboardModifiers modifiers, const QString &text);
    const QList<Row> &currentRows() const;
    void applyLook();
    void layoutKeys();

    Layout m_layout = Layout::Standard;
    bool m_shifted = false;
    QList<Row> m_standard;
    QList<Row> m_numPad;

    QColor m_color;
    QColor m_keyColor;
    QColor m_specialKeyColor;
    QColor m_textColor;
    QColor m_pressedColor;
    int m_rounding = 8;
    int m_keySpacing = 6;
    int m_fontPixelSize = 0;
};
