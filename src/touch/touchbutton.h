#pragma once

#include "touch/pointerinput.h"

#include <QAbstractButton>
#include <QColor>
#include <QIcon>

// A custom-painted push button for a finger: a rounded face with an optional bevel ring, a soft
// shadow and a glow, a caption that may wrap and a picture at the left, on top or in the middle.
//
// pressed() fires at the moment a finger or the mouse goes down, released() at the moment it
// lifts: always as a pair, also when the pointer left the button before lifting, when the
// button is disabled or hidden while held, and when the system cancels the touch. clicked()
// fires only for a release inside the button. There is no click delay and no auto-repeat.
// A mouse click does not take the keyboard focus (an edit keeps it for the on-screen keyboard).
//
// The caption is QAbstractButton::text(); it is drawn literally ("&" is not a mnemonic). The
// picture is QAbstractButton::icon(), drawn crisp at any size from the icon's own source.
class TouchButton final : public QAbstractButton
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TouchButton)
    Q_PROPERTY(QColor color READ color WRITE setColor NOTIFY colorChanged)
    Q_PROPERTY(bool bevel READ hasBevel WRITE setBevel NOTIFY bevelChanged)
    Q_PROPERTY(QColor bevelColor READ bevelColor WRITE setBevelColor NOTIFY bevelColorChanged)
    Q_PROPERTY(int bevelWidth READ bevelWidth WRITE setBevelWidth NOTIFY bevelWidthChanged)
    Q_PROPERTY(int glowPercent READ glowPercent WRITE setGlowPercent NOTIFY glowPercentChanged)
    Q_PROPERTY(int rounding READ rounding WRITE setRounding NOTIFY roundingChanged)
    Q_PROPERTY(bool shadow READ hasShadow WRITE setShadow NOTIFY shadowChanged)
    Q_PROPERTY(int fontSize READ fontSize WRITE setFontSize NOTIFY fontSizeChanged)
    Q_PROPERTY(bool bold READ isBold WRITE setBold NOTIFY boldChanged)
    Q_PROPERTY(QColor textColor READ textColor WRITE setTextColor NOTIFY textColorChanged)
    Q_PROPERTY(
        Qt::Alignment textAlignment READ textAlignment WRITE setTextAlignment NOTIFY textAlignmentChanged)
    Q_PROPERTY(bool wordWrap READ wordWrap WRITE setWordWrap NOTIFY wordWrapChanged)
    Q_PROPERTY(QIcon picture READ picture WRITE setPicture NOTIFY pictureChanged)
    Q_PROPERTY(PicturePosition picturePosition READ picturePosition WRITE setPicturePosition NOTIFY
                   picturePositionChanged)
    Q_PROPERTY(PictureScaling pictureScaling READ pictureScaling WRITE setPictureScaling NOTIFY
                   pictureScalingChanged)
    Q_PROPERTY(Qt::Alignment pictureAlignment READ pictureAlignment WRITE setPictureAlignment NOTIFY
                   pictureAlignmentChanged)

public:
    // Where the picture goes: a square at the left of the caption, an area above the caption, or
    // the whole face behind the caption.
    enum PicturePosition
    {
        PictureLeft,
        PictureTop,
        PictureCenter
    };
    Q_ENUM(PicturePosition)
    // How the picture fills its area: at its own size (only shrunk when it does not fit), fitted
    // (scaled up or down to the area, aspect kept), or stretched to the whole area.
    enum PictureScaling
    {
        PictureOriginal,
        PictureFitted,
        PictureStretched
    };
    Q_ENUM(PictureScaling)

    explicit TouchButton(QWidget *parent = nullptr);
    explicit TouchButton(const QString &caption, QWidget *parent = nullptr);
    ~TouchButton() override;

    // Sets the caption without turning "&x" into a keyboard shortcut.
    void setText(const QString &text);

    QColor color() const { return m_color; }
    void setColor(const QColor &color);
    bool hasBevel() const { return m_bevel; }
    void setBevel(bool on);
    QColor bevelColor() const { return m_bevelColor; }
    void setBevelColor(const QColor &color);
    int bevelWidth() const { return m_bevelWidth; }
    void setBevelWidth(int width);
    int glowPercent() const { return m_glowPercent; }
    void setGlowPercent(int percent); // 0..100, clamped
    int rounding() const { return m_rounding; }
    void setRounding(int radius); // corner radius in pixels, >= 0
    bool hasShadow() const { return m_shadow; }
    void setShadow(bool on);
    int fontSize() const { return m_fontSize; }
    void setFontSize(int pointSize);
    bool isBold() const { return m_bold; }
    void setBold(bool bold);
    QColor textColor() const { return m_textColor; }
    void setTextColor(const QColor &color);
    Qt::Alignment textAlignment() const { return m_textAlignment; }
    void setTextAlignment(Qt::Alignment alignment);
    bool wordWrap() const { return m_wordWrap; }
    void setWordWrap(bool on);
    QIcon picture() const { return icon(); }
    void setPicture(const QIcon &picture);
    void setPicture(const QPixmap &picture);
    PicturePosition picturePosition() const { return m_picturePosition; }
    void setPicturePosition(PicturePosition position);
    PictureScaling pictureScaling() const { return m_pictureScaling; }
    void setPictureScaling(PictureScaling scaling);
    Qt::Alignment pictureAlignment() const { return m_pictureAlignment; }
    void setPictureAlignment(Qt::Alignment alignment);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

signals:
    void colorChanged(const QColor &color);
    void bevelChanged(bool on);
    void bevelColorChanged(const QColor &color);
    void bevelWidthChanged(int width);
    void glowPercentChanged(int percent);
    void roundingChanged(int radius);
    void shadowChanged(bool on);
    void fontSizeChanged(int pointSize);
    void boldChanged(bool bold);
    void textColorChanged(const QColor &color);
    void textAlignmentChanged(Qt::Alignment alignment);
    void wordWrapChanged(bool on);
    void pictureChanged();
    void picturePositionChanged(PicturePosition position);
    void pictureScalingChanged(PictureScaling scaling);
    void pictureAlignmentChanged(Qt::Alignment alignment);

protected:
    bool event(QEvent *e) override;
    void paintEvent(QPaintEvent *e) override;
    void focusInEvent(QFocusEvent *e) override;
    void changeEvent(QEvent *e) override;
    void hideEvent(QHideEvent *e) override;
    void focusOutEvent(QFocusEvent *e) override;

private:
    void handlePointer(const PointerInput::Event &pe);
    void pressDown();
    void liftUp(bool inside);
    void invalidate();
    QPixmap renderLook(int state) const;
    void paintContent(QPainter &p, const QRectF &face, int state) const;
    QRectF faceRect(bool down) const;

    QColor m_color;
    QColor m_bevelColor;
    QColor m_textColor;
    Qt::Alignment m_textAlignment = Qt::AlignCenter;
    Qt::Alignment m_pictureAlignment = Qt::AlignCenter;
    PicturePosition m_picturePosition = PictureTop;
    PictureScaling m_pictureScaling = PictureFitted;
    int m_bevelWidth = 2;
    int m_glowPercent = 0;
    int m_rounding;
    int m_fontSize;
    bool m_bevel = true;
    bool m_shadow = true;
    bool m_bold = false;
    bool m_wordWrap = true;
    bool m_held = false; // between pressed() and released()

    PointerInput m_pointer;
    bool m_keyboardFocus = false; // the focus ring shows only for focus given by the keyboard
    // Rendered looks (face and content) for the up and down state; emptied when anything that
    // shows changes, rebuilt at the next paint.
    mutable QPixmap m_cache[3]; // up, down, disabled
    mutable qint64 m_cachedIconKey = 0;
    mutable QString m_cachedText;
};
