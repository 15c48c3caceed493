#include "iconsheet.h"

#include <QPainter>
#include <QPainterPath>

namespace {
constexpr int CellWidth = 134;
constexpr int CellHeight = 92;
constexpr int Gap = 8;
constexpr int IconSide = 46;
} // namespace

IconSheet::IconSheet(const IconSet &icons, const QColor &face, const QColor &text, QWidget *parent)
    : QWidget(parent), m_icons(icons), m_face(face), m_text(text)
{
    QSizePolicy policy(QSizePolicy::Preferred, QSizePolicy::Preferred);
    policy.setHeightForWidth(true);
    setSizePolicy(policy);
}

int IconSheet::columns(int width) const
{
    return qMax(1, (width + Gap) / (CellWidth + Gap));
}

int IconSheet::heightForWidth(int width) const
{
    const int rows = (IconSet::EntryCount + columns(width) - 1) / columns(width);
    return rows * (CellHeight + Gap) - Gap;
}

QSize IconSheet::sizeHint() const
{
    const int w = 8 * (CellWidth + Gap) - Gap;
    return QSize(w, heightForWidth(w));
}

void IconSheet::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const int cols = columns(width());
    // Spread the spare width over the gaps so the grid fills the card edge to edge.
    const qreal cellW = (width() - (cols - 1) * Gap) / qreal(cols);
    const qreal ratio = devicePixelRatioF();

    QFont nameFont = font();
    nameFont.setPixelSize(13);
    QFont indexFont = font();
    indexFont.setPixelSize(11);
    indexFont.setWeight(QFont::DemiBold);
    QColor cellFace = m_face.lighter(112);
    QColor faint = m_text;
    faint.setAlphaF(0.55f);

    for (int i = 0; i < IconSet::EntryCount; ++i) {
        const int row = i / cols;
        const int col = i % cols;
        const QRectF cell(col * (cellW + Gap), row * (CellHeight + Gap), cellW, CellHeight);
        QPainterPath path;
        path.addRoundedRect(cell, 10, 10);
        p.fillPath(path, cellFace);

        const qreal iconsWidth = 2 * IconSide + 10;
        const qreal left = cell.left() + (cell.width() - iconsWidth) / 2;
        const QRectF offRect(left, cell.top() + 10, IconSide, IconSide);
        const QRectF onRect(left + IconSide + 10, cell.top() + 10, IconSide, IconSide);
        if (m_icons.off().hasPicture(i)) {
            p.drawPixmap(offRect.topLeft(), m_icons.off().pixmap(i, QSize(IconSide, IconSide), ratio));
            p.drawPixmap(onRect.topLeft(), m_icons.on().pixmap(i, QSize(IconSide, IconSide), ratio));
        } else {
            // Entry 0 has no picture: an empty slot.
            QPen dashed(faint, 1.5, Qt::DashLine);
            p.setPen(dashed);
            p.setBrush(Qt::NoBrush);
            p.drawEllipse(offRect.adjusted(4, 4, -4, -4));
            p.drawEllipse(onRect.adjusted(4, 4, -4, -4));
        }

        p.setFont(indexFont);
        p.setPen(faint);
        p.drawText(cell.adjusted(7, 5, -7, 0), Qt::AlignLeft | Qt::AlignTop, QString::number(i));
        p.setFont(nameFont);
        p.setPen(m_text);
        const QString name =
            QFontMetrics(nameFont).elidedText(m_icons.off().name(i), Qt::ElideRight, int(cell.width()) - 10);
        p.drawText(QRectF(cell.left() + 5, cell.top() + 60, cell.width() - 10, 26), Qt::AlignCenter, name);
    }
}
