#pragma once

#include "touch/pointerinput.h"

#include <QColor>
#include <QPointer>
#include <QWidget>

// A pop-up panel shown on top of the window: a rounded card with an arrow at its top centre, a
// header text, the content widget and a footer text. It lives inside the top-level window as an
// overlay that covers the whole window; a touch anywhere outside the card closes it at once and
// emits closed() (the touch does not reach the controls beneath). closePopup(), close() and
// hide() from the program emit closed() too.
//
// The card's size follows the content widget's size hint (or its fixed size) plus header and
// footer; the position names the top-left corner of the card including its arrow, in the
// coordinates of the top-level window, moved inside the window where it would stick out.
class PopupPanel final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(PopupPanel)
    Q_PROPERTY(QString header READ header WRITE setHeader NOTIFY headerChanged)
    Q_PROPERTY(QString footer READ footer WRITE setFooter NOTIFY footerChanged)
    Q_PROPERTY(QColor color READ color WRITE setColor NOTIFY colorChanged)
    Q_PROPERTY(QColor headerColor READ headerColor WRITE setHeaderColor NOTIFY headerColorChanged)
    Q_PROPERTY(QColor textColor READ textColor WRITE setTextColor NOTIFY textColorChanged)
    Q_PROPERTY(QColor borderColor READ borderColor WRITE setBorderColor NOTIFY borderColorChanged)
    Q_PROPERTY(int fontSize READ fontSize WRITE setFontSize NOTIFY fontSizeChanged)
    Q_PROPERTY(int rounding READ rounding WRITE setRounding NOTIFY roundingChanged)
    Q_PROPERTY(QColor dimColor READ dimColor WRITE setDimColor NOTIFY dimColorChanged)

public:
    // parent: any widget of the window the panel appears in (the panel attaches itself to that
    // widget's top-level window when it is shown).
    explicit PopupPanel(QWidget *parent = nullptr);
    ~PopupPanel() override;

    // The panel takes ownership of content and shows it between header and footer.
    void setContentWidget(QWidget *content);
    QWidget *contentWidget() const { return m_content; }

    QString header() const { return m_header; }
    void setHeader(const QString &header);
    QString footer() const { return m_footer; }
    void setFooter(const QString &footer);
    QColor color() const { return m_color; } // the card
    void setColor(const QColor &color);
    QColor headerColor() const { return m_headerColor; } // header and footer bands
    void setHeaderColor(const QColor &color);
    QColor textColor() const { return m_textColor; } // header and footer texts
    void setTextColor(const QColor &color);
    QColor borderColor() const { return m_borderColor; }
    void setBorderColor(const QColor &color);
    int fontSize() const { return m_fontSize; }
    void setFontSize(int pointSize);
    int rounding() const { return m_rounding; }
    void setRounding(int radius);
    QColor dimColor() const { return m_dimColor; } // laid over the window around the card
    void setDimColor(const QColor &color);

    // Size of the card including the arrow, for callers that centre it on something.
    QSize panelSize() const;
    // The card's rectangle (arrow included) in this overlay's coordinates while shown.
    QRect panelRect() const { return m_panelRect; }

    // Shows the panel with its top-left corner (arrow included) at pos, in the coordinates of
    // the top-level window.
    void popupAt(const QPoint &pos);
    // Shows the panel below anchor with the arrow's tip at the middle of its bottom edge.
    void popupBelow(const QWidget *anchor);
    bool isOpen() const { return isVisible(); }

public slots:
    // Hides the panel and emits closed() if it was open.
    void closePopup();

signals:
    void closed();
    void headerChanged(const QString &header);
    void footerChanged(const QString &footer);
    void colorChanged(const QColor &color);
    void headerColorChanged(const QColor &color);
    void textColorChanged(const QColor &color);
    void borderColorChanged(const QColor &color);
    void fontSizeChanged(int pointSize);
    void roundingChanged(int radius);
    void dimColorChanged(const QColor &color);

protected:
    bool event(QEvent *e) override;
    bool eventFilter(QObject *watched, QEvent *e) override;
    void paintEvent(QPaintEvent *e) override;
    void changeEvent(QEvent *e) override;
    void hideEvent(QHideEvent *e) override;
    void keyPressEvent(QKeyEvent *e) override;

private:
    void attachToWindow();
    void placeCard();
    int headerHeight() const;
    int footerHeight() const;
    QSize contentSize() const;
    void invalidate();

    QPointer<QWidget> m_content;
    QPointer<QWidget> m_window;
    QString m_header;
    QString m_footer;
    QColor m_color;
    QColor m_headerColor;
    QColor m_textColor;
    QColor m_borderColor;
    QColor m_dimColor;
    int m_fontSize;
    int m_rounding;
    QPoint m_requestedPos;
    QRect m_panelRect;
    PointerInput m_pointer;
    bool m_open = false;
    QPixmap m_cardCache;
};
