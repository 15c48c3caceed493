#include "pictureview.h"

#include <QPainter>
#include <QPainterPath>

PictureView::PictureView(Source source, QWidget *parent) : QWidget(parent), m_source(std::move(source))
{
    setMinimumSize(120, 80);
}

void PictureView::paintEvent(QPaintEvent *)
{
    const qreal ratio = devicePixelRatioF();
    if (m_cache.isNull() || m_cache.size() != (QSizeF(size()) * ratio).toSize())
        m_cache = m_source(size(), ratio);
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    QPainterPath clip;
    clip.addRoundedRect(QRectF(rect()), 10, 10);
    p.setClipPath(clip);
    p.drawPixmap(0, 0, m_cache);
}
