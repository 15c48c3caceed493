#include "touch/touchlistbox.h"

#include "touch/touchcolors.h"
#include "touch/touchpaint.h"

#include <QApplication>
#include <QPainter>
#include <QPainterPath>
#include <QResizeEvent>
#include <QScrollBar>
#include <QStyleHints>

#include <algorithm>
#include <cmath>

using namespace Qt::StringLiterals;
using TouchPaint::assign;

namespace {

constexpr int kHeaderPadding = 8; // above and below a header's text
constexpr int kSidePadding = 12;
constexpr int kCardGap = 2; // between two item cards
constexpr int kFrameMs = 16;

} // namespace

TouchListBox::TouchListBox(QWidget *parent)
    : QAbstractScrollArea(parent), m_captionFontSize(TouchDefaults::fontSize),
      m_selectedCaptionFontSize(TouchDefaults::fontSize + 4), m_color(TouchDefaults::backgroundColor()),
      m_itemColor(TouchDefaults::backgroundColor()), m_selectedColor(TouchDefaults::accentColor()),
      m_itemBorderColor(TouchDefaults::accentColor()), m_captionColor(TouchDefaults::textColor()),
      m_selectedCaptionColor(TouchDefaults::backgroundColor()), m_noteColor(TouchDefaults::textColor()),
      m_selectedNoteColor(TouchDefaults::backgroundColor()), m_headerColor(TouchDefaults::accentColor())
{
    setFrameShape(QFrame::NoFrame);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    viewport()->setAttribute(Qt::WA_AcceptTouchEvents);
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_AcceptTouchEvents);
    setFocusPolicy(Qt::NoFocus);
    setAccessibleName(u"Lijst"_s);
    m_kinetic.setInterval(kFrameMs);
    connect(&m_kinetic, &QTimer::timeout, this, &TouchListBox::kineticStep);
}

TouchListBox::~TouchListBox() = default;

// ---- filling -------------------------------------------------------------------------------

int TouchListBox::addItem(const QString &caption, const QString &note, const QIcon &picture)
{
    return addItem(TouchListItem{caption, note, picture, TouchListItem::Normal});
}

int TouchListBox::addItem(const TouchListItem &item)
{
    return insertItem(count(), item);
}

int TouchListBox::addHeader(const QString &caption)
{
    return addItem(TouchListItem{caption, {}, {}, TouchListItem::Header});
}

int TouchListBox::addFooter(const QString &caption)
{
    return addItem(TouchListItem{caption, {}, {}, TouchListItem::Footer});
}

void TouchListBox::addItems(const QList<TouchListItem> &items)
{
    if (items.isEmpty())
        return;
    m_items.reserve(m_items.size() + items.size());
    const int from = count();
    for (const TouchListItem &it : items)
        m_items.append(Row{it, 0, 0});
    changed(from);
    emit countChanged(count());
}

int TouchListBox::insertItem(int index, const TouchListItem &item)
{
    index = std::clamp(index, 0, count());
    m_items.insert(index, Row{item, 0, 0});
    if (m_selected >= index) {
        ++m_selected;
        emit selectedIndexChanged(m_selected);
    }
    changed(index);
    emit countChanged(count());
    return index;
}

void TouchListBox::removeItem(int index)
{
    if (index < 0 || index >= count())
        return;
    m_items.removeAt(index);
    if (m_pressedIndex == index)
        m_pressedIndex = -1;
    if (m_selected == index) {
        m_selected = -1;
        emit selectedIndexChanged(-1);
    } else if (m_selected > index) {
        --m_selected;
        emit selectedIndexChanged(m_selected);
    }
    changed(index);
    emit countChanged(count());
}

void TouchListBox::clear()
{
    if (m_items.isEmpty() && m_selected < 0)
        return;
    m_items.clear();
    m_pressedIndex = -1;
    stopKinetic();
    m_scrollPos = 0;
    verticalScrollBar()->setValue(0);
    if (m_selected != -1) {
        m_selected = -1;
        emit selectedIndexChanged(-1);
    }
    changed();
    emit countChanged(0);
}

void TouchListBox::beginUpdate()
{
    if (m_updating++ == 0)
        viewport()->setUpdatesEnabled(false);
}

void TouchListBox::endUpdate()
{
    if (m_updating == 0)
        return;
    if (--m_updating == 0) {
        relayout();
        viewport()->setUpdatesEnabled(true);
        viewport()->update();
    }
}

TouchListItem TouchListBox::item(int index) const
{
    if (index < 0 || index >= count())
        return {};
    return m_items.at(index).item;
}

void TouchListBox::setItem(int index, const TouchListItem &item)
{
    if (index < 0 || index >= count())
        return;
    m_items[index].item = item;
    if (!isSelectable(index) && m_selected == index) {
        m_selected = -1;
        emit selectedIndexChanged(-1);
    }
    changed(index);
}

void TouchListBox::setItemCaption(int index, const QString &caption)
{
    if (index < 0 || index >= count())
        return;
    m_items[index].item.caption = caption;
    changed(index);
}

void TouchListBox::setItemNote(int index, const QString &note)
{
    if (index < 0 || index >= count())
        return;
    m_items[index].item.note = note;
    viewport()->update();
}

void TouchListBox::setItemPicture(int index, const QIcon &picture)
{
    if (index < 0 || index >= count())
        return;
    m_items[index].item.picture = picture;
    viewport()->update();
}

bool TouchListBox::isSelectable(int index) const
{
    return index >= 0 && index < count() && m_items.at(index).item.kind == TouchListItem::Normal;
}

void TouchListBox::setSelectedIndex(int index)
{
    if (!isSelectable(index))
        index = -1;
    if (assign(m_selected, index)) {
        viewport()->update();
        emit selectedIndexChanged(index);
    }
}

// ---- layout ---------------------------------------------------------------------------------

void TouchListBox::changed(int from)
{
    from = std::max(0, from);
    m_dirtyFrom = m_dirtyFrom < 0 ? from : std::min(m_dirtyFrom, from);
    if (m_updating > 0)
        return;
    relayout();
    viewport()->update();
}

void TouchListBox::ensureLayout() const
{
    if (m_dirtyFrom >= 0)
        const_cast<TouchListBox *>(this)->relayout();
}

int TouchListBox::rowHeight(const TouchListItem &item) const
{
    if (item.kind == TouchListItem::Normal)
        return std::max(1, m_itemHeight);
    // Header and footer items take the height of their wrapped caption.
    QFont f = font();
    f.setPointSize(m_captionFontSize);
    f.setBold(true);
    const QFontMetrics fm(f);
    const int w = std::max(20, viewport()->width() - 2 * kSidePadding);
    const QRect need = fm.boundingRect(QRect(0, 0, w, 100000), Qt::TextWordWrap, item.caption);
    return std::max(need.height(), fm.height()) + 2 * kHeaderPadding;
}

void TouchListBox::relayout()
{
    if (m_dirtyFrom >= 0) {
        const int from = std::min<int>(m_dirtyFrom, count());
        int top = from > 0 ? m_items.at(from - 1).top + m_items.at(from - 1).height : 0;
        for (int i = from; i < count(); ++i) {
            Row &r = m_items[i];
            r.top = top;
            r.height = rowHeight(r.item);
            top += r.height;
        }
        m_dirtyFrom = -1;
    }
    const int top = contentHeight();
    const int range = std::max(0, top - viewport()->height());
    verticalScrollBar()->setPageStep(viewport()->height());
    verticalScrollBar()->setSingleStep(std::max(1, m_itemHeight / 2));
    verticalScrollBar()->setRange(0, range);
    m_scrollPos = std::clamp(m_scrollPos, 0.0, double(range));
}

int TouchListBox::contentHeight() const
{
    return m_items.isEmpty() ? 0 : m_items.last().top + m_items.last().height;
}

int TouchListBox::indexAt(const QPoint &viewportPos) const
{
    ensureLayout();
    if (m_items.isEmpty())
        return -1;
    const int y = viewportPos.y() + verticalScrollBar()->value();
    if (y < 0 || y >= contentHeight() || viewportPos.x() < 0 || viewportPos.x() >= viewport()->width())
        return -1;
    const auto it =
        std::upper_bound(m_items.cbegin(), m_items.cend(), y, [](int v, const Row &r) { return v < r.top; });
    return int(it - m_items.cbegin()) - 1;
}

QRect TouchListBox::itemRect(int index) const
{
    if (index < 0 || index >= count())
        return {};
    ensureLayout();
    const Row &r = m_items.at(index);
    return QRect(0, r.top - verticalScrollBar()->value(), viewport()->width(), r.height);
}

int TouchListBox::pictureSide() const
{
    if (m_pictureSize > 0)
        return m_pictureSize;
    return std::max(0, m_itemHeight - 2 * m_pictureMargin);
}

bool TouchListBox::reservesPicture(const TouchListItem &item) const
{
    return item.kind == TouchListItem::Normal && (m_pictureSize > 0 || !item.picture.isNull());
}

QRect TouchListBox::pictureRect(int index) const
{
    if (index < 0 || index >= count() || !reservesPicture(m_items.at(index).item))
        return {};
    const QRect r = itemRect(index);
    const int side = std::min(pictureSide(), r.height());
    return QRect(r.left() + m_pictureMargin, r.top() + (r.height() - side) / 2, side, side);
}

void TouchListBox::scrollToItem(int index)
{
    if (index < 0 || index >= count())
        return;
    ensureLayout();
    const Row &r = m_items.at(index);
    const int top = verticalScrollBar()->value();
    const int h = viewport()->height();
    int target = top;
    if (r.top < top)
        target = r.top;
    else if (r.top + r.height > top + h)
        target = r.top + r.height - h;
    stopKinetic();
    m_scrollPos = target;
    verticalScrollBar()->setValue(target);
}

void TouchListBox::resizeEvent(QResizeEvent *e)
{
    QAbstractScrollArea::resizeEvent(e);
    if (e->oldSize().width() != e->size().width())
        m_dirtyFrom = 0; // header heights follow the width
    if (m_updating == 0)
        relayout();
}

void TouchListBox::changeEvent(QEvent *e)
{
    if (e->type() == QEvent::FontChange)
        changed();
    else if (e->type() == QEvent::PaletteChange || e->type() == QEvent::EnabledChange)
        viewport()->update();
    QAbstractScrollArea::changeEvent(e);
}

void TouchListBox::scrollContentsBy(int, int)
{
    viewport()->update();
}

// ---- painting --------------------------------------------------------------------------------

bool TouchListBox::viewportEvent(QEvent *e)
{
    if (PointerInput::isPointerEvent(e)) {
        if (isEnabled()) {
            if (const auto pe = m_pointer.filter(e))
                handlePointer(*pe);
        }
        e->accept();
        return true;
    }
    if (e->type() == QEvent::Paint) {
        paintViewport(static_cast<QPaintEvent *>(e));
        return true;
    }
    return QAbstractScrollArea::viewportEvent(e);
}

void TouchListBox::paintViewport(QPaintEvent *)
{
    ensureLayout();
    QPainter p(viewport());
    p.fillRect(viewport()->rect(), m_color);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::SmoothPixmapTransform);

    const int scroll = verticalScrollBar()->value();
    const int viewH = viewport()->height();
    const int viewW = viewport()->width();
    const qreal dpr = devicePixelRatioF();
    const bool enabled = isEnabled();

    QFont captionFont = font();
    captionFont.setPointSize(m_captionFontSize);
    QFont selectedFont = captionFont;
    selectedFont.setPointSize(m_selectedCaptionFontSize);
    QFont headerFont = captionFont;
    headerFont.setBold(true);
    QFont noteFont = font();
    noteFont.setPointSize(m_noteFontSize > 0 ? m_noteFontSize : std::max(6, m_captionFontSize * 3 / 4));
    const QFontMetrics captionFm(captionFont);
    const QFontMetrics selectedFm(selectedFont);
    const QFontMetrics noteFm(noteFont);

    int first = indexAt(QPoint(0, 0));
    if (first < 0)
        first = 0;
    for (int i = first; i < count(); ++i) {
        const Row &row = m_items.at(i);
        const int y = row.top - scroll;
        if (y >= viewH)
            break;
        const TouchListItem &it = row.item;
        const QRect r(0, y, viewW, row.height);

        if (it.kind != TouchListItem::Normal) {
            p.setFont(headerFont);
            p.setPen(m_headerColor);
            const QRect tr = r.adjusted(kSidePadding, kHeaderPadding, -kSidePadding, -kHeaderPadding);
            p.drawText(
                tr, int(m_captionAlignment & Qt::AlignHorizontal_Mask) | Qt::AlignVCenter | Qt::TextWordWrap,
                it.caption);
            continue;
        }

        const bool selected = i == m_selected;
        const bool pressed = i == m_pressedIndex;
        const QRectF card = QRectF(r).adjusted(4, kCardGap / 2.0 + 0.5, -4, -kCardGap / 2.0 - 0.5);
        QColor fill = selected ? m_selectedColor : m_itemColor;
        if (pressed)
            fill = TouchPaint::isDark(fill) ? fill.lighter(130) : fill.darker(115);
        const QPainterPath path = TouchPaint::roundedRect(card, 6);
        p.fillPath(path, fill);
        p.setPen(QPen(m_itemBorderColor, selected ? 2 : 1));
        p.setBrush(Qt::NoBrush);
        p.drawPath(path);
        if (selected) {
            // A bar at the left edge marks the selection also when the selected colour equals
            // the item colour (as on the module lists).
            p.save();
            p.setClipPath(path);
            p.fillRect(QRectF(card.left(), card.top(), 5, card.height()), m_itemBorderColor);
            p.restore();
        }

        int textLeft = r.left() + kSidePadding;
        if (reservesPicture(it)) {
            const int side = std::min(pictureSide(), r.height());
            const QRect pr(r.left() + m_pictureMargin, r.top() + (r.height() - side) / 2, side, side);
            if (!it.picture.isNull() && side > 0) {
                const QPixmap pm =
                    it.picture.pixmap(pr.size(), dpr, enabled ? QIcon::Normal : QIcon::Disabled);
                QSizeF s = QSizeF(pm.deviceIndependentSize()).scaled(QSizeF(pr.size()), Qt::KeepAspectRatio);
                QRectF target(QPointF(), s);
                target.moveCenter(QRectF(pr).center());
                p.drawPixmap(target, pm, QRectF(pm.rect()));
            }
            textLeft = pr.right() + 1 + m_pictureMargin;
        }
        const QRect textArea(textLeft, r.top(), r.right() - kSidePadding - textLeft, r.height());
        if (textArea.width() <= 0)
            continue;

        const QFontMetrics &fm = selected ? selectedFm : captionFm;
        QColor captionColor = selected ? m_selectedCaptionColor : m_captionColor;
        QColor noteColor = selected ? m_selectedNoteColor : m_noteColor;
        if (!enabled) {
            captionColor.setAlphaF(0.5f);
            noteColor.setAlphaF(0.5f);
        }
        const int hAlign = int(m_captionAlignment & Qt::AlignHorizontal_Mask);
        if (it.note.isEmpty()) {
            p.setFont(selected ? selectedFont : captionFont);
            p.setPen(captionColor);
            p.drawText(textArea, hAlign | Qt::AlignVCenter,
                       fm.elidedText(it.caption, Qt::ElideRight, textArea.width()));
        } else {
            const int block = fm.height() + 2 + noteFm.height();
            const int top = textArea.top() + (textArea.height() - block) / 2;
            p.setFont(selected ? selectedFont : captionFont);
            p.setPen(captionColor);
            p.drawText(QRect(textArea.left(), top, textArea.width(), fm.height()), hAlign | Qt::AlignVCenter,
                       fm.elidedText(it.caption, Qt::ElideRight, textArea.width()));
            p.setFont(noteFont);
            p.setPen(noteColor);
            p.drawText(QRect(textArea.left(), top + fm.height() + 2, textArea.width(), noteFm.height()),
                       hAlign | Qt::AlignVCenter,
                       noteFm.elidedText(it.note, Qt::ElideRight, textArea.width()));
        }
    }

    // A slim position indicator instead of a scroll bar.
    const int total = contentHeight();
    if (total > viewH && viewH > 0) {
        const qreal barH = std::max(24.0, qreal(viewH) * viewH / total);
        const qreal barY = (viewH - barH) * scroll / std::max(1, total - viewH);
        QColor c = m_captionColor;
        c.setAlpha(m_dragging || m_kinetic.isActive() ? 150 : 70);
        p.setPen(Qt::NoPen);
        p.setBrush(c);
        p.drawRoundedRect(QRectF(viewW - 6, barY + 2, 4, barH - 4), 2, 2);
    }
}

// ---- finger ---------------------------------------------------------------------------------

void TouchListBox::handlePointer(const PointerInput::Event &pe)
{
    switch (pe.phase) {
    case PointerInput::Phase::Press: {
        m_stoppedFling = m_kinetic.isActive();
        stopKinetic();
        m_pressPos = m_lastPos = pe.pos;
        m_dragging = false;
        m_velocity = 0;
        m_scrollPos = verticalScrollBar()->value();
        m_moveClock.start();
        const int idx = indexAt(pe.pos.toPoint());
        m_pressedIndex = (!m_stoppedFling && isSelectable(idx)) ? idx : -1;
        viewport()->update();
        break;
    }
    case PointerInput::Phase::Move: {
        if (!m_dragging) {
            const int threshold = QGuiApplication::styleHints()->startDragDistance();
            if (std::abs(pe.pos.y() - m_pressPos.y()) < threshold)
                break;
            m_dragging = true;
            m_pressedIndex = -1;
            viewport()->update();
        }
        const double dy = pe.pos.y() - m_lastPos.y();
        const double dt = std::max<qint64>(1, m_moveClock.restart());
        const double v = -dy / dt;
        m_velocity = 0.7 * v + 0.3 * m_velocity;
        m_lastPos = pe.pos;
        m_scrollPos = std::clamp(m_scrollPos - dy, 0.0, double(verticalScrollBar()->maximum()));
        verticalScrollBar()->setValue(qRound(m_scrollPos));
        break;
    }
    case PointerInput::Phase::Release: {
        const int pressed = m_pressedIndex;
        m_pressedIndex = -1;
        if (m_dragging) {
            m_dragging = false;
            if (m_moveClock.elapsed() > 80)
                m_velocity = 0; // the finger rested before lifting: no flick
            if (std::abs(m_velocity) > 0.05)
                m_kinetic.start();
            viewport()->update();
            break;
        }
        viewport()->update();
        if (m_stoppedFling)
            break;
        const int idx = indexAt(pe.pos.toPoint());
        if (idx < 0 || idx != pressed || !isSelectable(idx))
            break;
        if (pictureRect(idx).contains(pe.pos.toPoint())) {
            emit itemPictureTouched(idx);
        } else {
            setSelectedIndex(idx);
            emit itemSelected(idx);
        }
        break;
    }
    case PointerInput::Phase::Cancel:
        m_pressedIndex = -1;
        m_dragging = false;
        viewport()->update();
        break;
    }
}

void TouchListBox::kineticStep()
{
    m_scrollPos += m_velocity * kFrameMs;
    m_velocity *= 0.95;
    const double maxPos = verticalScrollBar()->maximum();
    if (m_scrollPos <= 0 || m_scrollPos >= maxPos) {
        m_scrollPos = std::clamp(m_scrollPos, 0.0, maxPos);
        m_velocity = 0;
    }
    verticalScrollBar()->setValue(qRound(m_scrollPos));
    if (std::abs(m_velocity) < 0.02)
        stopKinetic();
}

void TouchListBox::stopKinetic()
{
    if (m_kinetic.isActive()) {
        m_kinetic.stop();
        viewport()->update();
    }
    m_velocity = 0;
}

// ---- properties ------------------------------------------------------------------------------

#define TOUCHLIST_SETTER(Type, name, member, signal, relayoutNeeded)                                         \
    void TouchListBox::name(Type value)                                                                      \
    {                                                                                                        \
        if (!assign(member, value))                                                                          \
            return;                                                                                          \
        if (relayoutNeeded)                                                                                  \
            changed();                                                                                       \
        else                                                                                                 \
            viewport()->update();                                                                            \
        emit signal(member);                                                                                 \
    }

TOUCHLIST_SETTER(Qt::Alignment, setCaptionAlignment, m_captionAlignment, captionAlignmentChanged, false)
TOUCHLIST_SETTER(const QColor &, setColor, m_color, colorChanged, false)
TOUCHLIST_SETTER(const QColor &, setItemColor, m_itemColor, itemColorChanged, false)
TOUCHLIST_SETTER(const QColor &, setSelectedColor, m_selectedColor, selectedColorChanged, false)
TOUCHLIST_SETTER(const QColor &, setItemBorderColor, m_itemBorderColor, itemBorderColorChanged, false)
TOUCHLIST_SETTER(const QColor &, setCaptionColor, m_captionColor, captionColorChanged, false)
TOUCHLIST_SETTER(const QColor &, setSelectedCaptionColor, m_selectedCaptionColor, selectedCaptionColorChanged,
                 false)
TOUCHLIST_SETTER(const QColor &, setNoteColor, m_noteColor, noteColorChanged, false)
TOUCHLIST_SETTER(const QColor &, setSelectedNoteColor, m_selectedNoteColor, selectedNoteColorChanged, false)
TOUCHLIST_SETTER(const QColor &, setHeaderColor, m_headerColor, headerColorChanged, false)

#undef TOUCHLIST_SETTER

void TouchListBox::setItemHeight(int height)
{
    if (assign(m_itemHeight, std::max(1, height))) {
        changed();
        emit itemHeightChanged(m_itemHeight);
    }
}

void TouchListBox::setCaptionFontSize(int pointSize)
{
    if (assign(m_captionFontSize, std::max(1, pointSize))) {
        changed();
        emit captionFontSizeChanged(m_captionFontSize);
    }
}

void TouchListBox::setSelectedCaptionFontSize(int pointSize)
{
    if (assign(m_selectedCaptionFontSize, std::max(1, pointSize))) {
        viewport()->update();
        emit selectedCaptionFontSizeChanged(m_selectedCaptionFontSize);
    }
}

void TouchListBox::setNoteFontSize(int pointSize)
{
    if (assign(m_noteFontSize, std::max(0, pointSize))) {
        viewport()->update();
        emit noteFontSizeChanged(m_noteFontSize);
    }
}

void TouchListBox::setPictureSize(int size)
{
    if (assign(m_pictureSize, std::max(0, size))) {
        viewport()->update();
        emit pictureSizeChanged(m_pictureSize);
    }
}

void TouchListBox::setPictureMargin(int margin)
{
    if (assign(m_pictureMargin, std::max(0, margin))) {
        viewport()->update();
        emit pictureMarginChanged(m_pictureMargin);
    }
}
