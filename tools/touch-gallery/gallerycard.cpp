#include "gallerycard.h"

#include <QPainter>
#include <QPainterPath>
#include <QVBoxLayout>

GalleryCard::GalleryCard(const QString &title, const QString &subtitle, const QColor &face,
                         const QColor &text, QWidget *parent)
    : QWidget(parent), m_title(title), m_subtitle(subtitle), m_face(face), m_text(text),
      m_body(new QVBoxLayout(this))
{
    m_body->setContentsMargins(18, m_title.isEmpty() ? 16 : 58, 18, 16);
    m_body->setSpacing(12);
}

void GalleryCard::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF r = QRectF(rect()).adjusted(1, 1, -1, -3);
    QPainterPath shadow;
    shadow.addRoundedRect(r.translated(0, 2), 14, 14);
    p.fillPath(shadow, QColor(0, 0, 0, 70));
    QPainterPath path;
    path.addRoundedRect(r, 14, 14);
    QLinearGradient g(r.topLeft(), r.bottomLeft());
    g.setColorAt(0, m_face.lighter(106));
    g.setColorAt(1, m_face);
    p.fillPath(path, g);
    if (m_title.isEmpty())
        return;
    QFont f = font();
    f.setPixelSize(19);
    f.setWeight(QFont::DemiBold);
    p.setFont(f);
    p.setPen(m_text);
    const QRectF titleRect(r.left() + 18, r.top() + 12, r.width() - 36, 26);
    p.drawText(titleRect, Qt::AlignLeft | Qt::AlignVCenter, m_title);
    if (!m_subtitle.isEmpty()) {
        const qreal w = QFontMetricsF(f).horizontalAdvance(m_title);
        QFont s = font();
        s.setPixelSize(14);
        p.setFont(s);
        QColor faint = m_text;
        faint.setAlphaF(0.7f);
        p.setPen(faint);
        p.drawText(titleRect.adjusted(w + 14, 2, 0, 0), Qt::AlignLeft | Qt::AlignVCenter, m_subtitle);
    }
    QColor line = m_text;
    line.setAlphaF(0.18f);
    p.fillRect(QRectF(r.left() + 18, r.top() + 46, r.width() - 36, 1), line);
}
