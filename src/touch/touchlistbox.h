#pragma once

#include "touch/pointerinput.h"

#include <QAbstractScrollArea>
#include <QColor>
#include <QElapsedTimer>
#include <QIcon>
#include <QList>
#include <QTimer>

// One entry of a TouchListBox.
struct TouchListItem
{
    // Normal items have a fixed height and can be selected; header and footer items size to
    // their (wrapped) caption, are drawn in headerColor and cannot be selected.
    enum Kind
    {
        Normal,
        Header,
        Footer
    };

    QString caption;
    QString note;  // a second, smaller line under the caption; empty for none
    QIcon picture; // shown at the left; null for none
    Kind kind = Normal;
};

// A finger-scrolled list: items with a caption, an optional note line and an optional picture at
// the left. Only the rows in view are painted, so lists of thousands of items fill and scroll
// without delay; there is no widget per item.
//
// A tap (press and lift without dragging) on a normal item selects it and emits itemSelected();
// a tap on its picture emits itemPictureTouched() instead and leaves the selection to the
// caller. Dragging scrolls, and a flick keeps scrolling and slows down. Header and footer items
// react to nothing. setSelectedIndex() selects without emitting itemSelected();
// selectedIndexChanged() reports every change of the selection.
//
// Item indexes are 0-based positions in the list, header and footer items included.
class TouchListBox final : public QAbstractScrollArea
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TouchListBox)
    Q_PROPERTY(int count READ count NOTIFY countChanged)
    Q_PROPERTY(int selectedIndex READ selectedIndex WRITE setSelectedIndex NOTIFY selectedIndexChanged)
    Q_PROPERTY(int itemHeight READ itemHeight WRITE setItemHeight NOTIFY itemHeightChanged)
    Q_PROPERTY(
        int captionFontSize READ captionFontSize WRITE setCaptionFontSize NOTIFY captionFontSizeChanged)
    Q_PROPERTY(int selectedCaptionFontSize READ selectedCaptionFontSize WRITE setSelectedCaptionFontSize
                   NOTIFY selectedCaptionFontSizeChanged)
    Q_PROPERTY(int noteFontSize READ noteFontSize WRITE setNoteFontSize NOTIFY noteFontSizeChanged)
    Q_PROPERTY(Qt::Alignment captionAlignment READ captionAlignment WRITE setCaptionAlignment NOTIFY
                   captionAlignmentChanged)
    Q_PROPERTY(QColor color READ color WRITE setColor NOTIFY colorChanged)
    Q_PROPERTY(QColor itemColor READ itemColor WRITE setItemColor NOTIFY itemColorChanged)
    Q_PROPERTY(QColor selectedColor READ selectedColor WRITE setSelectedColor NOTIFY selectedColorChanged)
    Q_PROPERTY(
        QColor itemBorderColor READ itemBorderColor WRITE setItemBorderColor NOTIFY itemBorderColorChanged)
    Q_PROPERTY(QColor captionColor READ captionColor WRITE setCaptionColor NOTIFY captionColorChanged)
    Q_PROPERTY(QColor selectedCaptionColor READ selectedCaptionColor WRITE setSelectedCaptionColor NOTIFY
                   selectedCaptionColorChanged)
    Q_PROPERTY(QColor noteColor READ noteColor WRITE setNoteColor NOTIFY noteColorChanged)
    Q_PROPERTY(QColor selectedNoteColor READ selectedNoteColor WRITE setSelectedNoteColor NOTIFY
                   selectedNoteColorChanged)
    Q_PROPERTY(QColor headerColor READ headerColor WRITE setHeaderColor NOTIFY headerColorChanged)
    Q_PROPERTY(int pictureSize READ pictureSize WRITE setPictureSize NOTIFY pictureSizeChanged)
    Q_PROPERTY(int pictureMargin READ pictureMargin WRITE setPictureMargin NOTIFY pictureMarginChanged)

public:
    explicit TouchListBox(QWidget *parent = nullptr);
    ~TouchListBox() override;

    // Filling. Appending costs the same for the first and the ten-thousandth item (only the new
    // rows are laid out). Between beginUpdate() and endUpdate() (nestable) the list does not
    // repaint, also when the caller lets pending events run while filling.
    int count() const { return int(m_items.size()); }
    int addItem(const QString &caption, const QString &note = {}, const QIcon &picture = {});
    int addItem(const TouchListItem &item);
    int addHeader(const QString &caption);
    int addFooter(const QString &caption);
    void addItems(const QList<TouchListItem> &items);
    // Inserts before index (clamped to 0..count()); returns the index the item got.
    int insertItem(int index, const TouchListItem &item);
    void removeItem(int index);
    void clear();
    void beginUpdate();
    void endUpdate();

    // Item access; an index outside 0..count()-1 reads as an empty item and writes nothing.
    TouchListItem item(int index) const;
    QString itemCaption(int index) const { return item(index).caption; }
    void setItem(int index, const TouchListItem &item);
    void setItemCaption(int index, const QString &caption);
    void setItemNote(int index, const QString &note);
    void setItemPicture(int index, const QIcon &picture);
    bool isSelectable(int index) const;

    // -1 for none. Setting an index that is out of range or not selectable clears the selection.
    int selectedIndex() const { return m_selected; }
    void setSelectedIndex(int index);
    void scrollToItem(int index);
    // The item under a point of the viewport, or -1.
    int indexAt(const QPoint &viewportPos) const;
    // The item's rectangle in viewport coordinates, and the picture's rectangle inside it.
    QRect itemRect(int index) const;
    QRect pictureRect(int index) const;

    int itemHeight() const { return m_itemHeight; }
    void setItemHeight(int height);
    int captionFontSize() const { return m_captionFontSize; }
    void setCaptionFontSize(int pointSize);
    int selectedCaptionFontSize() const { return m_selectedCaptionFontSize; }
    void setSelectedCaptionFontSize(int pointSize);
    int noteFontSize() const { return m_noteFontSize; }
    void setNoteFontSize(int pointSize); // 0: three quarters of the caption size
    Qt::Alignment captionAlignment() const { return m_captionAlignment; }
    void setCaptionAlignment(Qt::Alignment alignment);
    QColor color() const { return m_color; } // the list's background
    void setColor(const QColor &color);
    QColor itemColor() const { return m_itemColor; }
    void setItemColor(const QColor &color);
    QColor selectedColor() const { return m_selectedColor; }
    void setSelectedColor(const QColor &color);
    QColor itemBorderColor() const { return m_itemBorderColor; }
    void setItemBorderColor(const QColor &color);
    QColor captionColor() const { return m_captionColor; }
    void setCaptionColor(const QColor &color);
    QColor selectedCaptionColor() const { return m_selectedCaptionColor; }
    void setSelectedCaptionColor(const QColor &color);
    QColor noteColor() const { return m_noteColor; }
    void setNoteColor(const QColor &color);
    QColor selectedNoteColor() const { return m_selectedNoteColor; }
    void setSelectedNoteColor(const QColor &color);
    QColor headerColor() const { return m_headerColor; } // caption colour of header/footer items
    void setHeaderColor(const QColor &color);
    // Side of the square picture area; 0 = the item height less twice the margin. A positive
    // size reserves the area on every normal item, so captions line up with or without picture.
    int pictureSize() const { return m_pictureSize; }
    void setPictureSize(int size);
    int pictureMargin() const { return m_pictureMargin; }
    void setPictureMargin(int margin);

signals:
    // The user tapped a selectable item (not its picture).
    void itemSelected(int index);
    // The user tapped the picture of a selectable item.
    void itemPictureTouched(int index);
    void selectedIndexChanged(int index);
    void countChanged(int count);
    void itemHeightChanged(int height);
    void captionFontSizeChanged(int pointSize);
    void selectedCaptionFontSizeChanged(int pointSize);
    void noteFontSizeChanged(int pointSize);
    void captionAlignmentChanged(Qt::Alignment alignment);
    void colorChanged(const QColor &color);
    void itemColorChanged(const QColor &color);
    void selectedColorChanged(const QColor &color);
    void itemBorderColorChanged(const QColor &color);
    void captionColorChanged(const QColor &color);
    void selectedCaptionColorChanged(const QColor &color);
    void noteColorChanged(const QColor &color);
    void selectedNoteColorChanged(const QColor &color);
    void headerColorChanged(const QColor &color);
    void pictureSizeChanged(int size);
    void pictureMarginChanged(int margin);

protected:
    bool viewportEvent(QEvent *e) override;
    void resizeEvent(QResizeEvent *e) override;
    void changeEvent(QEvent *e) override;
    void scrollContentsBy(int dx, int dy) override;

private:
    struct Row
    {
        TouchListItem item;
        int top = 0;
        int height = 0;
    };

    void paintViewport(QPaintEvent *e);
    void handlePointer(const PointerInput::Event &pe);
    void kineticStep();
    void stopKinetic();
    void relayout();
    void ensureLayout() const;
    void changed(int from = 0); // rows from `from` on need laying out; repaint
    int rowHeight(const TouchListItem &item) const;
    int pictureSide() const;
    bool reservesPicture(const TouchListItem &item) const;
    int contentHeight() const;

    QList<Row> m_items;
    int m_selected = -1;
    int m_updating = 0;
    int m_dirtyFrom = -1; // first row whose place is out of date; -1 when all are laid out

    int m_itemHeight = 60;
    int m_captionFontSize;
    int m_selectedCaptionFontSize;
    int m_noteFontSize = 0;
    Qt::Alignment m_captionAlignment = Qt::AlignLeft | Qt::AlignVCenter;
    QColor m_color;
    QColor m_itemColor;
    QColor m_selectedColor;
    QColor m_itemBorderColor;
    QColor m_captionColor;
    QColor m_selectedCaptionColor;
    QColor m_noteColor;
    QColor m_selectedNoteColor;
    QColor m_headerColor;
    int m_pictureSize = 0;
    int m_pictureMargin = 10;

    // Finger handling: a press becomes a drag once it moves beyond a small distance; a drag ends
    // in a flick whose speed decays on a frame timer.
    PointerInput m_pointer;
    QPointF m_pressPos;
    QPointF m_lastPos;
    double m_velocity = 0; // pixels per millisecond, positive = content moves up
    double m_scrollPos = 0;
    bool m_dragging = false;
    bool m_stoppedFling = false; // the press stopped a flick: its lift selects nothing
    int m_pressedIndex = -1;     // shown pressed until the finger lifts or starts a drag
    QElapsedTimer m_moveClock;
    QTimer m_kinetic;
};
