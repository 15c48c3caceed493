#include "gallerywindow.h"

#include "pages.h"
#include "touch/assets.h"
#include "touch/popuppanel.h"
#include "touch/touchbutton.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QStackedWidget>
#include <QTime>
#include <QTimer>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace {
constexpr int TopBarHeight = 62;
constexpr int StripHeight = 8;

} // namespace

GalleryWindow::GalleryWindow(QWidget *parent) : QWidget(parent), m_theme(GalleryTheme::defaults())
{
    setWindowTitle(u"Halvane Panel · touch kit"_s);
    setAttribute(Qt::WA_OpaquePaintEvent);

    auto *outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->setSpacing(0);

    // Top bar: logo and name at the left, clock, link state and connection logo at the right.
    auto *topBar = new QWidget;
    topBar->setFixedHeight(TopBarHeight);
    auto *top = new QHBoxLayout(topBar);
    top->setContentsMargins(14, 6, 18, 6);
    top->setSpacing(12);
    auto *logo = new QLabel;
    logo->setPixmap(Assets::projectLogo(QSize(44, 44), devicePixelRatioF()));
    top->addWidget(logo);
    auto *titles = new QVBoxLayout;
    titles->setSpacing(0);
    titles->addWidget(GalleryPages::label(m_theme.text, u"Halvane Panel"_s, 20, true));
    titles->addWidget(GalleryPages::label(m_theme.text, u"Touch kit gallery"_s, 13));
    top->addLayout(titles);
    top->addStretch();
    m_clock = GalleryPages::label(m_theme.text, QString(), 26, true);
    top->addWidget(m_clock);
    top->addStretch();
    top->addWidget(GalleryPages::label(m_theme.text, u"Verbinding ok."_s, 15));
    auto *link = new QLabel;
    link->setPixmap(Assets::logoOn(QSize(38, 38), devicePixelRatioF()));
    top->addWidget(link);
    auto *linkOff = new QLabel;
    linkOff->setPixmap(Assets::logoOff(QSize(38, 38), devicePixelRatioF()));
    linkOff->setToolTip(u"imgLogoOff"_s);
    top->addWidget(linkOff);
    outer->addWidget(topBar);
    outer->addSpacing(StripHeight);

    auto *body = new QHBoxLayout;
    body->setContentsMargins(14, 14, 14, 14);
    body->setSpacing(14);
    m_navigation = new QWidget;
    m_navigation->setFixedWidth(224);
    auto *nav = new QVBoxLayout(m_navigation);
    nav->setContentsMargins(0, 0, 0, 0);
    nav->setSpacing(10);
    nav->addStretch();
    body->addWidget(m_navigation);
    m_pages = new QStackedWidget;
    body->addWidget(m_pages, 1);
    outer->addLayout(body, 1);

    addPage(u"Knoppen"_s, u"Lamp"_s, GalleryPages::buttons(m_theme, m_icons));
    addPage(u"Lijsten"_s, u"Status"_s, GalleryPages::lists(m_theme, m_icons));
    addPage(u"Instellers"_s, u"Dimmer"_s, GalleryPages::setters(m_theme, m_icons));
    addPage(u"Toetsenbord"_s, u"Bureau"_s, GalleryPages::keyboard(m_theme));
    addPage(u"Iconen"_s, u"HuisAlgemeen"_s, GalleryPages::iconSet(m_theme, m_icons));
    addPage(u"Beelden"_s, u"Camera"_s, GalleryPages::pictures(m_theme));
    setPage(0);

    auto *clockTimer = new QTimer(this);
    connect(clockTimer, &QTimer::timeout, this, &GalleryWindow::updateClock);
    clockTimer->start(1000);
    updateClock();
}

GalleryWindow::~GalleryWindow() = default;

void GalleryWindow::addPage(const QString &title, const QString &iconName, QWidget *page)
{
    const int index = m_pages->addWidget(page);
    TouchButton *b = GalleryPages::themedButton(m_theme, title);
    b->setObjectName(u"page"_s + QString::number(index + 1));
    b->setMinimumHeight(70);
    b->setTextAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    b->setPicturePosition(TouchButton::PictureLeft);
    b->setPictureScaling(TouchButton::PictureFitted);
    b->setPicture(m_icons.off().icon(m_icons.off().indexOf(iconName)));
    b->setProperty("iconIndex", m_icons.off().indexOf(iconName));
    connect(b, &TouchButton::pressed, this, [this, index] { setPage(index); });
    auto *nav = static_cast<QVBoxLayout *>(m_navigation->layout());
    nav->insertWidget(nav->count() - 1, b);
    m_pageButtons.append(b);
}

int GalleryWindow::pageCount() const
{
    return m_pages->count();
}

int GalleryWindow::currentPage() const
{
    return m_pages->currentIndex();
}

void GalleryWindow::setPage(int index)
{
    if (index < 0 || index >= m_pages->count())
        return;
    m_pages->setCurrentIndex(index);
    for (int i = 0; i < m_pageButtons.size(); ++i) {
        TouchButton *b = m_pageButtons.at(i);
        const bool current = i == index;
        b->setColor(current ? m_theme.background.lighter(118) : m_theme.background);
        b->setBevelColor(current ? QColor(0xf5, 0xa5, 0x24) : m_theme.accent);
        b->setBold(current);
        b->setPicture(m_icons.forState(current).icon(b->property("iconIndex").toInt()));
    }
}

void GalleryWindow::openDemoPopup()
{
    setPage(SettersPage);
    auto *anchor = findChild<QWidget *>(u"popupDemo"_s);
    auto *popup = findChild<PopupPanel *>(u"comfortPopup"_s);
    if (anchor && popup)
        popup->popupBelow(anchor);
}

void GalleryWindow::setClockText(const QString &text)
{
    m_fixedClock = text;
    updateClock();
}

void GalleryWindow::updateClock()
{
    m_clock->setText(m_fixedClock.isEmpty() ? QTime::currentTime().toString(u"HH:mm"_s) : m_fixedClock);
}

void GalleryWindow::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.fillRect(rect(), m_theme.accent);
    p.fillRect(QRect(0, 0, width(), TopBarHeight), m_theme.background);
    // The accent strip under the top bar, with a faint highlight line.
    p.fillRect(QRect(0, TopBarHeight, width(), StripHeight), m_theme.accent.darker(115));
    p.fillRect(QRect(0, TopBarHeight + StripHeight - 1, width(), 1), QColor(255, 255, 255, 25));
}
