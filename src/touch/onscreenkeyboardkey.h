#pragma once

#include <QAbstractButton>
#include <QColor>
#include <QString>

// One key of the on-screen keyboard: a custom-painted button that never takes the focus, so the
// edit being typed into keeps it. The keyboard sets its captions, role and colours.
class OnScreenKeyboardKey final : public QAbstractButton
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(OnScreenKeyboardKey)

public:
    enum class Role
    {
        Character,
        Shift,
        Backspace,
        Enter,
        Space,
        LayoutSwitch
    };

    struct Look
    {
        QColor face;
        QColor special;
        QColor text;
        QColor pressed;
        QColor pressedText;
        int rounding = 8;
        int fontPixelSize = 0; // 0: from the key's height
    };

    OnScreenKeyboardKey(Role role, const QString &normal, const QString &shifted, QWidget *parent = nullptr);

    Role role() const { return m_role; }
    // What the key types without and with shift (character keys), or its caption.
    QString normal() const { return m_normal; }
    QString shifted() const { return m_shifted; }
    // The text the key types now (character keys): shifted or not.
    QString currentText() const { return m_shift ? m_shifted : m_normal; }

    // Width in key units relative to a plain key.
    qreal units() const { return m_units; }
    void setUnits(qreal units) { m_units = units; }

    void setShiftState(bool shift);
    // Shift and caps keys light up while active.
    void setLit(bool lit);
    void setLook(const Look &look);

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    void updateAccessibleName();

    Role m_role;
    QString m_normal;
    QString m_shifted;
    qreal m_units = 1.0;
    bool m_shift = false;
    bool m_lit = false;
    Look m_look;
};
