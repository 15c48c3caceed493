#include "templatestrip.h"

#include "touch/touchcolors.h"

#include <QPainter>
#include <QPainterPath>

using namespace Qt::StringLiterals;

namespace {

struct Template
{
    const char *name;
    TColor background;
    TColor accent;
    TColor text;
};

// The templates of the settings screen (00BBGGRR).
constexpr Template kTemplates[] = {
    {"Zwart-Rood", 0x000000, 0x000080, 0xFFFFFF},  {"Basiskleuren", 0x7D9CAA, 0x263533, 0x392F2D},
    {"Light", 0xFFFFFF, 0xB5B5B5, 0x999493},       {"Zwart-Grijs", 0x000000, 0xFFFFFF, 0x444444},
    {"Blauw", 0xFF8000, 0xFF0000, 0xFFFF00},       {"Blauw-Wit", 0xFF8000, 0xFFFFFF, 0xFFFFFF},
    {"Grijs-Zwart", 0xFFFFFF, 0x000000, 0x444444}, {"Wit-Blauw", 0xFFFFFF, 0xFF8000, 0xFF8000},
    {"Light", 0xD7D7D7, 0xFFFFFF, 0x999493},
};

} // namespace

TemplateStrip::TemplateStrip(const IconSet &icons, int iconIndex, const QColor &text, QWidget *parent)
    : QWidget(parent), m_icons(icons), m_index(iconIndex), m_text(text)
{}

void TemplateStrip::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const int n = int(std::size(kTemplates));
    const qreal gap = 8;
    const qreal w = (width() - gap * (n - 1)) / n;
    const qreal faceH = height() - 24;
    const int side = qBound(20, int(qMin(w / 2 - 8, faceH - 16)), 48);
    const qreal ratio = devicePixelRatioF();
    QFont f = font();
    f.setPixelSize(12);
    p.setFont(f);
    for (int i = 0; i < n; ++i) {
        const Template &t = kTemplates[i];
        const QRectF r(i * (w + gap), 0, w, faceH);
        // The accent as the bevel around a face of the template's background, as on the panel.
        QPainterPath outer;
        outer.addRoundedRect(r, 9, 9);
        p.fillPath(outer, toQColor(t.accent));
        QPainterPath inner;
        inner.addRoundedRect(r.adjusted(4, 4, -4, -4), 6, 6);
        p.fillPath(inner, toQColor(t.background));
        const qreal top = r.top() + (faceH - side) / 2;
        const qreal left = r.center().x() - side - 3;
        p.drawPixmap(QPointF(left, top), m_icons.off().pixmap(m_index, QSize(side, side), ratio));
        p.drawPixmap(QPointF(left + side + 6, top), m_icons.on().pixmap(m_index, QSize(side, side), ratio));
        p.setPen(m_text);
        p.drawText(QRectF(r.left(), faceH + 4, w, 18), Qt::AlignCenter, QString::fromUtf8(t.name));
    }
}
