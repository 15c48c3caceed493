#include "touch/popuppanel.h"

#include "platform/logging.h"
#include "touch/touchcolors.h"
#include "touch/touchpaint.h"

#include <QKeyEvent>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>

using namespace Qt::StringLiterals;
using TouchPaint::assign;

namespace {

constexpr int kArrowHeight = 12;
constexpr int kArrowWidth = 26;
constexpr int kPadding = 10;
constexpr int kShadow = 10; // room around the card for its shadow

} // namespace

PopupPanel::PopupPanel(QWidget *parent)
    : QWidget(parent), m_color(TouchDefaults::backgroundColor()), m_headerColor(TouchDefaults::accentColor()),
      m_textColor(TouchDefaults::backgroundColor()), m_borderColor(TouchDefaults::accentColor()),
      m_dimColor(0, 0, 0, 50), m_fontSize(TouchDefaults::fontSize), m_rounding(TouchDefaults::rounding)
{
    setAttribute(Qt::WA_AcceptTouchEvents);
    setAttribute(Qt::WA_NoSystemBackground);
    setFocusPolicy(Qt::NoFocus);
    hide();
}

PopupPanel::~PopupPanel() = default;

void PopupPanel::setContentWidget(QWidget *content)
{
    if (m_content == content)
        return;
    if (m_content)
        m_content->deleteLater();
    m_content = content;
    if (content) {
        content->setParent(this);
        content->show();
    }
    invalidate();
}

// ---- showing --------------------------------------------------------------------------------

void PopupPanel::attachToWindow()
{
    QWidget *anchor = parentWidget();
    QWidget *win = anchor ? anchor->window() : nullptr;
    if (!win) {
        qCWarning(lcTouch) << "PopupPanel has no window to appear in";
        return;
    }
    if (parentWidget() != win)
        setParent(win); // hides the panel; shown again by the caller
    if (m_window != win) {
        if (m_window)
            m_window->removeEventFilter(this);
        m_window = win;
        win->installEventFilter(this);
    }
    setGeometry(win->rect());
}

void PopupPanel::popupAt(const QPoint &pos)
{
    m_requestedPos = pos;
    attachToWindow();
    if (!m_window)
        return;
    placeCard();
    m_open = true;
    show();
    raise();
}

void PopupPanel::popupBelow(const QWidget *anchor)
{
    if (!anchor)
        return;
    QWidget *win = anchor->window();
    const QPoint tip = anchor->mapTo(win, QPoint(anchor->width() / 2, anchor->height()));
    popupAt(tip - QPoint(panelSize().width() / 2, 0));
}

void PopupPanel::closePopup()
{
    if (isVisible())
        hide();
    else if (m_open) {
        m_open = false;
        emit closed();
    }
}

void PopupPanel::hideEvent(QHideEvent *e)
{
    QWidget::hideEvent(e);
    // Only an explicit hide closes; the window being hidden or minimised does not.
    if (m_open && isHidden()) {
        m_open = false;
        m_pointer.reset();
        emit closed();
    }
}

bool PopupPanel::eventFilter(QObject *watched, QEvent *e)
{
    if (watched == m_window && e->type() == QEvent::Resize) {
        setGeometry(m_window->rect());
        placeCard();
    }
    return QWidget::eventFilter(watched, e);
}

// ---- geometry -------------------------------------------------------------------------------

QSize PopupPanel::contentSize() const
{
    if (!m_content)
        return QSize(160, 40);
    QSize s = m_content->sizeHint();
    if (!s.isValid())
        s = m_content->size();
    s = s.expandedTo(m_content->minimumSize()).boundedTo(m_content->maximumSize());
    return s.expandedTo(QSize(1, 1));
}

int PopupPanel::headerHeight() const
{
    if (m_header.isEmpty())
        return 0;
    QFont f = font();
    f.setPointSize(m_fontSize);
    f.setBold(true);
    return QFontMetrics(f).height() + 14;
}

int PopupPanel::footerHeight() const
{
    if (m_footer.isEmpty())
        return 0;
    QFont f = font();
    f.setPointSize(std::max(6, m_fontSize - 2));
    return QFontMetrics(f).height() + 10;
}

QSize PopupPanel::panelSize() const
{
    const QSize c = contentSize();
    QFont f = font();
    f.setPointSize(m_fontSize);
    f.setBold(true);
    const int headerW = QFontMetrics(f).horizontalAdvance(m_header) + 4 * kPadding;
    const int w = std::max({c.width() + 2 * kPadding, headerW, 2 * kArrowWidth + 2 * m_rounding});
    const int h = kArrowHeight + headerHeight() + c.height() + 2 * kPadding + footerHeight();
    return QSize(w, h);
}

void PopupPanel::placeCard()
{
    if (!m_window)
        return;
    const QSize s = panelSize();
    QRect r(m_requestedPos, s);
    const QRect area = rect();
    // Keep the card inside the window (the arrow stays at its top centre).
    if (r.right() > area.right())
        r.moveRight(area.right());
    if (r.bottom() > area.bottom())
        r.moveBottom(area.bottom());
    if (r.left() < area.left())
        r.moveLeft(area.left());
    if (r.top() < area.top())
        r.moveTop(area.top());
    if (r != m_panelRect) {
        m_panelRect = r;
        m_cardCache = QPixmap();
    }
    if (m_content) {
        const QSize c = contentSize();
        const int top = r.top() + kArrowHeight + headerHeight() + kPadding;
        m_content->setGeometry(r.left() + (r.width() - c.width()) / 2, top, c.width(), c.height());
    }
    update();
}

// ---- input ----------------------------------------------------------------------------------

bool PopupPanel::event(QEvent *e)
{
    if (PointerInput::isPointerEvent(e)) {
        if (const auto pe = m_pointer.filter(e)) {
            if (pe->phase == PointerInput::Phase::Press && !m_panelRect.contains(pe->pos.toPoint()))
                closePopup();
        }
        e->accept();
        return true;
    }
    if (e->type() == QEvent::LayoutRequest && isVisible())
        placeCard(); // the content's size hint changed
    return QWidget::event(e);
}

void PopupPanel::keyPressEvent(QKeyEvent *e)
{
    if (e->key() == Qt::Key_Escape) {
        closePopup();
        return;
    }
    QWidget::keyPressEvent(e);
}

// ---- painting -------------------------------------------------------------------------------

void PopupPanel::invalidate()
{
    m_cardCache = QPixmap();
    if (isVisible())
        placeCard();
    update();
}

void PopupPanel::changeEvent(QEvent *e)
{
    if (e->type() == QEvent::PaletteChange || e->type() == QEvent::FontChange)
        invalidate();
    QWidget::changeEvent(e);
}

void PopupPanel::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    if (m_dimColor.alpha() > 0)
        p.fillRect(rect(), m_dimColor);
    if (m_panelRect.isEmpty())
        return;
    const qreal dpr = devicePixelRatioF();
    const QSize canvasSize = m_panelRect.size() + QSize(2 * kShadow, 2 * kShadow);
    if (m_cardCache.isNull() || m_cardCache.devicePixelRatio() != dpr) {
        m_cardCache = TouchPaint::canvas(canvasSize, dpr);
        QPainter cp(&m_cardCache);
        cp.setRenderHint(QPainter::Antialiasing);
        cp.setRenderHint(QPainter::TextAntialiasing);
        const QRectF card(kShadow, kShadow + kArrowHeight, m_panelRect.width(),
                          m_panelRect.height() - kArrowHeight);
        const qreal cx = card.center().x();
        QPainterPath shape = TouchPaint::roundedRect(card, m_rounding);
        QPainterPath arrow;
        arrow.moveTo(cx - kArrowWidth / 2.0, card.top() + 1);
        arrow.lineTo(cx, card.top() - kArrowHeight);
        arrow.lineTo(cx + kArrowWidth / 2.0, card.top() + 1);
        arrow.closeSubpath();
        shape = shape.united(arrow);

        TouchPaint::softShadow(cp, card, m_rounding, 8, 80);
        cp.fillPath(shape, m_color);
        const int hh = headerHeight();
        if (hh > 0) {
            // The header band includes the arrow, so the arrow reads as part of the header.
            cp.save();
            cp.setClipRect(QRectF(0, 0, canvasSize.width(), card.top() + hh));
            cp.fillPath(shape, m_headerColor);
            cp.restore();
            QFont f = font();
            f.setPointSize(m_fontSize);
            f.setBold(true);
            cp.setFont(f);
            cp.setPen(m_textColor);
            cp.drawText(QRectF(card.left() + kPadding, card.top(), card.width() - 2 * kPadding, hh),
                        Qt::AlignCenter, m_header);
        }
        const int fh = footerHeight();
        if (fh > 0) {
            cp.save();
            cp.setClipRect(QRectF(0, card.bottom() - fh, canvasSize.width(), fh + kShadow));
            cp.fillPath(shape, m_headerColor);
            cp.restore();
            QFont f = font();
            f.setPointSize(std::max(6, m_fontSize - 2));
            cp.setFont(f);
            cp.setPen(m_textColor);
            cp.drawText(QRectF(card.left() + kPadding, card.bottom() - fh, card.width() - 2 * kPadding, fh),
                        Qt::AlignCenter, m_footer);
        }
        cp.setPen(QPen(m_borderColor, 1.5));
        cp.setBrush(Qt::NoBrush);
        cp.drawPath(shape);
    }
    p.drawPixmap(m_panelRect.topLeft() - QPoint(kShadow, kShadow), m_cardCache);
}

// ---- properties ------------------------------------------------------------------------------

void PopupPanel::setHeader(const QString &header)
{
    if (assign(m_header, header)) {
        setAccessibleName(header);
        invalidate();
        emit headerChanged(header);
    }
}

void PopupPanel::setFooter(const QString &footer)
{
    if (assign(m_footer, footer)) {
        invalidate();
        emit footerChanged(footer);
    }
}

void PopupPanel::setColor(const QColor &color)
{
    if (assign(m_color, color)) {
        invalidate();
        emit colorChanged(color);
    }
}

void PopupPanel::setHeaderColor(const QColor &color)
{
    if (assign(m_headerColor, color)) {
        invalidate();
        emit headerColorChanged(color);
    }
}

void PopupPanel::setTextColor(const QColor &color)
{
    if (assign(m_textColor, color)) {
        invalidate();
        emit textColorChanged(color);
    }
}

void PopupPanel::setBorderColor(const QColor &color)
{
    if (assign(m_borderColor, color)) {
        invalidate();
        emit borderColorChanged(color);
    }
}

void PopupPanel::setFontSize(int pointSize)
{
    if (assign(m_fontSize, std::max(1, pointSize))) {
        invalidate();
        emit fontSizeChanged(m_fontSize);
    }
}

void PopupPanel::setRounding(int radius)
{
    if (assign(m_rounding, std::max(0, radius))) {
        invalidate();
        emit roundingChanged(m_rounding);
    }
}

void PopupPanel::setDimColor(const QColor &color)
{
    if (assign(m_dimColor, color)) {
        update();
        emit dimColorChanged(color);
    }
}
