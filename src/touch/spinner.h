#pragma once

#include "touch/pointerinput.h"

#include <QColor>
#include <QList>
#include <QStringList>
#include <QWidget>

// A drum picker with one or more columns side by side. Each column has a range, a step, may wrap
// round at its ends, and may show a text per value instead of the number (day names, comfort
// names). The user changes a column by swiping it up or down or by tapping the arrow above or
// below it; each such change emits valueChanged(column, value) at once.
//
// setValue() from the program changes the column quietly unless notify is true. A value outside
// the column's range is refused: the column stays as it was and nothing is emitted.
class Spinner final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(Spinner)
    Q_PROPERTY(int columnCount READ columnCount)
    Q_PROPERTY(QColor color READ color WRITE setColor NOTIFY colorChanged)
    Q_PROPERTY(QColor borderColor READ borderColor WRITE setBorderColor NOTIFY borderColorChanged)
    Q_PROPERTY(QColor textColor READ textColor WRITE setTextColor NOTIFY textColorChanged)
    Q_PROPERTY(QColor selectedColor READ selectedColor WRITE setSelectedColor NOTIFY selectedColorChanged)
    Q_PROPERTY(int fontSize READ fontSize WRITE setFontSize NOTIFY fontSizeChanged)
    Q_PROPERTY(int rounding READ rounding WRITE setRounding NOTIFY roundingChanged)

public:
    explicit Spinner(QWidget *parent = nullptr);
    ~Spinner() override;

    // Adds a column and returns its index. The column starts at minimum. texts[i] is shown for
    // the value minimum + i * step; values past the list show as numbers.
    int addColumn(int minimum, int maximum, int step = 1, bool wrap = true, const QStringList &texts = {});
    void clearColumns();
    int columnCount() const { return int(m_columns.size()); }

    // Column settings; a column index out of range is ignored (reads give 0 or empty).
    int minimum(int column) const;
    int maximum(int column) const;
    // Changes the range; a value that falls outside is moved to the nearest end (quietly).
    void setRange(int column, int minimum, int maximum);
    void setMaximum(int column, int maximum);
    int step(int column) const;
    void setStep(int column, int step); // >= 1
    bool wraps(int column) const;
    void setWrap(int column, bool wrap);
    QStringList texts(int column) const;
    void setTexts(int column, const QStringList &texts);
    // Relative width of the column (default 1).
    void setColumnStretch(int column, int stretch);

    int value(int column = 0) const;
    // Returns false, changing nothing, when the column or the value is out of range.
    bool setValue(int column, int value, bool notify = false);
    // The text the column shows for its value.
    QString text(int column = 0) const;
    // One step up or down as a tap on an arrow does (wrapping or stopping at the end); emits.
    void stepUp(int column);
    void stepDown(int column);

    QColor color() const { return m_color; }
    void setColor(const QColor &color);
    QColor borderColor() const { return m_borderColor; }
    void setBorderColor(const QColor &color);
    QColor textColor() const { return m_textColor; }
    void setTextColor(const QColor &color);
    QColor selectedColor() const { return m_selectedColor; } // the band behind the chosen values
    void setSelectedColor(const QColor &color);
    int fontSize() const { return m_fontSize; }
    void setFontSize(int pointSize);
    int rounding() const { return m_rounding; }
    void setRounding(int radius);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

    // Geometry, for tests and for screens that place labels: a column's rectangle and its
    // arrow areas in widget coordinates.
    QRect columnRect(int column) const;
    QRect upArrowRect(int column) const;
    QRect downArrowRect(int column) const;

signals:
    void valueChanged(int column, int value);
    void colorChanged(const QColor &color);
    void borderColorChanged(const QColor &color);
    void textColorChanged(const QColor &color);
    void selectedColorChanged(const QColor &color);
    void fontSizeChanged(int pointSize);
    void roundingChanged(int radius);

protected:
    bool event(QEvent *e) override;
    void paintEvent(QPaintEvent *e) override;
    void resizeEvent(QResizeEvent *e) override;
    void changeEvent(QEvent *e) override;
    void mousePressEvent(QMouseEvent *e) override;
    void mouseMoveEvent(QMouseEvent *e) override;
    void mouseReleaseEvent(QMouseEvent *e) override;
    void wheelEvent(QWheelEvent *e) override;

private:
    struct Column
    {
        int minimum = 0;
        int maximum = 0;
        int step = 1;
        bool wrap = true;
        QStringList texts;
        int value = 0;
        int stretch = 1;
    };

    void handlePointer(const PointerInput::Event &pe);
    int columnAt(const QPointF &pos) const;
    int rowHeight() const;
    int arrowHeight() const;
    // The value `steps` steps away from the column's value (wrapping or clamped).
    int offsetValue(const Column &c, int steps) const;
    QString textFor(const Column &c, int value) const;
    void userStep(int column, int steps);
    void invalidate();

    QList<Column> m_columns;
    QColor m_color;
    QColor m_borderColor;
    QColor m_textColor;
    QColor m_selectedColor;
    int m_fontSize;
    int m_rounding;

    PointerInput m_pointer;
    int m_dragColumn = -1;
    double m_dragOffset = 0; // pixels the dragged column is shifted, less whole steps taken
    QPointF m_lastPos;
    QPointF m_pressPos;
    bool m_dragging = false;
    QPixmap m_frameCache; // background and frame of all columns
};
