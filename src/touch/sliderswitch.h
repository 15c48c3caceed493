#pragma once

#include "touch/pointerinput.h"

#include <QAbstractButton>
#include <QColor>
#include <QVariantAnimation>

// A two-state switch: a rounded track with a knob that slides to the "on" (right) or "off" (left)
// end, and the caption of the current state written in the free part of the track.
//
// The user switches it with a tap or by sliding the knob; changed(bool) then fires at once.
// The program switches it with setChecked(on), which does not emit changed(), or with
// setChecked(on, true), which does. toggled(bool) of QAbstractButton reports every change.
class SliderSwitch final : public QAbstractButton
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(SliderSwitch)
    Q_PROPERTY(QString onCaption READ onCaption WRITE setOnCaption NOTIFY onCaptionChanged)
    Q_PROPERTY(QString offCaption READ offCaption WRITE setOffCaption NOTIFY offCaptionChanged)
    Q_PROPERTY(QColor onColor READ onColor WRITE setOnColor NOTIFY onColorChanged)
    Q_PROPERTY(QColor offColor READ offColor WRITE setOffColor NOTIFY offColorChanged)
    Q_PROPERTY(QColor borderColor READ borderColor WRITE setBorderColor NOTIFY borderColorChanged)
    Q_PROPERTY(QColor textColor READ textColor WRITE setTextColor NOTIFY textColorChanged)
    Q_PROPERTY(QColor knobColor READ knobColor WRITE setKnobColor NOTIFY knobColorChanged)
    Q_PROPERTY(int fontSize READ fontSize WRITE setFontSize NOTIFY fontSizeChanged)

public:
    explicit SliderSwitch(QWidget *parent = nullptr);
    SliderSwitch(const QString &onCaption, const QString &offCaption, QWidget *parent = nullptr);
    ~SliderSwitch() override;

    using QAbstractButton::setChecked;
    void setChecked(bool on, bool notify);

    QString onCaption() const { return m_onCaption; }
    void setOnCaption(const QString &caption);
    QString offCaption() const { return m_offCaption; }
    void setOffCaption(const QString &caption);
    // The caption of the current state.
    QString caption() const { return isChecked() ? m_onCaption : m_offCaption; }
    QColor onColor() const { return m_onColor; } // the face in the "on" state
    void setOnColor(const QColor &color);
    QColor offColor() const { return m_offColor; } // the face in the "off" state
    void setOffColor(const QColor &color);
    QColor borderColor() const { return m_borderColor; }
    void setBorderColor(const QColor &color);
    QColor textColor() const { return m_textColor; }
    void setTextColor(const QColor &color);
    QColor knobColor() const { return m_knobColor; }
    void setKnobColor(const QColor &color);
    int fontSize() const { return m_fontSize; }
    void setFontSize(int pointSize);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

signals:
    // The state was changed by the user (or by setChecked(on, true)).
    void changed(bool on);
    void onCaptionChanged(const QString &caption);
    void offCaptionChanged(const QString &caption);
    void onColorChanged(const QColor &color);
    void offColorChanged(const QColor &color);
    void borderColorChanged(const QColor &color);
    void textColorChanged(const QColor &color);
    void knobColorChanged(const QColor &color);
    void fontSizeChanged(int pointSize);

protected:
    bool event(QEvent *e) override;
    void paintEvent(QPaintEvent *e) override;
    void focusInEvent(QFocusEvent *e) override;
    void focusOutEvent(QFocusEvent *e) override;
    void changeEvent(QEvent *e) override;
    void resizeEvent(QResizeEvent *e) override;
    void mousePressEvent(QMouseEvent *e) override;
    void mouseMoveEvent(QMouseEvent *e) override;
    void mouseReleaseEvent(QMouseEvent *e) override;
    void checkStateSet() override;
    void nextCheckState() override;

private:
    void handlePointer(const PointerInput::Event &pe);
    void userSet(bool on);
    void animateKnob();
    void updateAccessibleName();
    QRectF trackRect() const;
    double knobTravel() const;
    void invalidate();

    QString m_onCaption;
    QString m_offCaption;
    QColor m_onColor;
    QColor m_offColor;
    QColor m_borderColor;
    QColor m_textColor;
    QColor m_knobColor;
    int m_fontSize;

    double m_knob = 0; // 0 = off end, 1 = on end
    QVariantAnimation m_animation;
    PointerInput m_pointer;
    bool m_keyboardFocus = false; // the focus ring shows only for focus given by the keyboard
    QPointF m_pressPos;
    double m_pressKnob = 0;
    bool m_dragging = false;
    QPixmap m_trackCache[2]; // off face, on face
    QPixmap m_knobCache;
};
