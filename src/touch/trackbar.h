#pragma once

#include "touch/pointerinput.h"

#include <QColor>
#include <QWidget>

// A slider for a finger: a rounded track filled with a gradient from trackStartColor to
// trackEndColor and a round thumb. Touching the track moves the thumb there; dragging moves it
// along. positionChanged() reports every change of the position (program or user);
// released(position) fires once when the finger or mouse lifts, which is when screens send.
class TrackBar final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TrackBar)
    Q_PROPERTY(int minimum READ minimum WRITE setMinimum NOTIFY rangeChanged)
    Q_PROPERTY(int maximum READ maximum WRITE setMaximum NOTIFY rangeChanged)
    Q_PROPERTY(int step READ step WRITE setStep NOTIFY stepChanged)
    Q_PROPERTY(int position READ position WRITE setPosition NOTIFY positionChanged)
    Q_PROPERTY(Qt::Orientation orientation READ orientation WRITE setOrientation NOTIFY orientationChanged)
    Q_PROPERTY(
        QColor trackStartColor READ trackStartColor WRITE setTrackStartColor NOTIFY trackStartColorChanged)
    Q_PROPERTY(QColor trackEndColor READ trackEndColor WRITE setTrackEndColor NOTIFY trackEndColorChanged)
    Q_PROPERTY(QColor thumbColor READ thumbColor WRITE setThumbColor NOTIFY thumbColorChanged)
    Q_PROPERTY(QColor borderColor READ borderColor WRITE setBorderColor NOTIFY borderColorChanged)

public:
    explicit TrackBar(QWidget *parent = nullptr);
    TrackBar(Qt::Orientation orientation, QWidget *parent = nullptr);
    ~TrackBar() override;

    int minimum() const { return m_minimum; }
    void setMinimum(int minimum);
    int maximum() const { return m_maximum; }
    void setMaximum(int maximum);
    // Sets both ends; maximum below minimum is taken as minimum. The position is kept inside.
    void setRange(int minimum, int maximum);
    int step() const { return m_step; }
    void setStep(int step); // >= 1; positions are minimum + k * step (and maximum)
    int position() const { return m_position; }
    void setPosition(int position); // clamped to the range and snapped to the step
    Qt::Orientation orientation() const { return m_orientation; }
    void setOrientation(Qt::Orientation orientation);
    QColor trackStartColor() const { return m_startColor; }
    void setTrackStartColor(const QColor &color);
    QColor trackEndColor() const { return m_endColor; }
    void setTrackEndColor(const QColor &color);
    QColor thumbColor() const { return m_thumbColor; }
    void setThumbColor(const QColor &color);
    QColor borderColor() const { return m_borderColor; }
    void setBorderColor(const QColor &color);

    bool isSliding() const { return m_sliding; }
    // The position a point of the widget stands for.
    int positionAt(const QPointF &pos) const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

signals:
    void positionChanged(int position);
    // The finger or mouse that moved the thumb has lifted.
    void released(int position);
    void rangeChanged(int minimum, int maximum);
    void stepChanged(int step);
    void orientationChanged(Qt::Orientation orientation);
    void trackStartColorChanged(const QColor &color);
    void trackEndColorChanged(const QColor &color);
    void thumbColorChanged(const QColor &color);
    void borderColorChanged(const QColor &color);

protected:
    bool event(QEvent *e) override;
    void paintEvent(QPaintEvent *e) override;
    void focusInEvent(QFocusEvent *e) override;
    void focusOutEvent(QFocusEvent *e) override;
    void resizeEvent(QResizeEvent *e) override;
    void changeEvent(QEvent *e) override;
    void keyPressEvent(QKeyEvent *e) override;
    void wheelEvent(QWheelEvent *e) override;
    void mousePressEvent(QMouseEvent *e) override;
    void mouseMoveEvent(QMouseEvent *e) override;
    void mouseReleaseEvent(QMouseEvent *e) override;

private:
    void handlePointer(const PointerInput::Event &pe);
    int snapped(int position) const;
    QRectF grooveRect() const;
    double thumbRadius() const;
    QPointF thumbCenter() const;
    void invalidate();

    int m_minimum = 0;
    int m_maximum = 100;
    int m_step = 1;
    int m_position = 0;
    Qt::Orientation m_orientation = Qt::Horizontal;
    QColor m_startColor;
    QColor m_endColor;
    QColor m_thumbColor;
    QColor m_borderColor;
    bool m_sliding = false;
    PointerInput m_pointer;
    bool m_keyboardFocus = false; // the focus ring shows only for focus given by the keyboard
    QPixmap m_grooveCache;
    QPixmap m_thumbCache[2]; // resting, held
};
