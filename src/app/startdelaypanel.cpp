#include "app/startdelaypanel.h"

#include "touch/assets.h"

#include <QEvent>
#include <QLabel>
#include <QPainter>
#include <QProgressBar>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

StartDelayPanel::StartDelayPanel(QWidget *parent)
    : QWidget(parent), m_caption(new QLabel(u"Loading..."_s, this)), m_logo(new QLabel(this)),
      m_progress(new QProgressBar(this)), m_background(0x2D, 0x2F, 0x39)
{
    setObjectName(u"panStartDelay"_s);
    setAttribute(Qt::WA_AcceptTouchEvents);
    m_caption->setObjectName(u"lblLoading"_s);
    m_caption->setAlignment(Qt::AlignCenter);
    QFont f = m_caption->font();
    f.setPointSize(28);
    m_caption->setFont(f);

    m_logo->setObjectName(u"imgStartLogo"_s);
    m_logo->setAlignment(Qt::AlignCenter);
    m_logo->setPixmap(Assets::projectLogo(QSize(220, 220)));
    m_logo->setAccessibleName(u"Halvane"_s);

    m_progress->setObjectName(u"pbStartDelay"_s);
    m_progress->setTextVisible(false);
    m_progress->setFixedHeight(28);
    m_progress->setMinimumWidth(360);
    m_progress->setAccessibleName(u"Opstarten"_s);
    m_progress->setAttribute(Qt::WA_AcceptTouchEvents);
    m_progress->installEventFilter(this);

    auto *layout = new QVBoxLayout(this);
    layout->addStretch(2);
    layout->addWidget(m_logo, 0, Qt::AlignHCenter);
    layout->addSpacing(24);
    layout->addWidget(m_caption, 0, Qt::AlignHCenter);
    layout->addSpacing(24);
    layout->addWidget(m_progress, 0, Qt::AlignHCenter);
    layout->addStretch(3);
}

void StartDelayPanel::setMaximum(int maximum)
{
    m_progress->setRange(0, qMax(0, maximum));
}

void StartDelayPanel::setPosition(int position)
{
    m_progress->setValue(qBound(m_progress->minimum(), position, m_progress->maximum()));
}

int StartDelayPanel::position() const
{
    return m_progress->value();
}

int StartDelayPanel::maximum() const
{
    return m_progress->maximum();
}

void StartDelayPanel::setColors(const QColor &background, const QColor &text, const QColor &accent)
{
    m_background = background;
    QPalette pal = m_caption->palette();
    pal.setColor(QPalette::WindowText, text);
    m_caption->setPalette(pal);
    QPalette bar = m_progress->palette();
    bar.setColor(QPalette::Highlight, accent);
    m_progress->setPalette(bar);
    update();
}

bool StartDelayPanel::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_progress &&
        (event->type() == QEvent::MouseButtonPress || event->type() == QEvent::TouchBegin)) {
        Q_EMIT progressTapped();
        event->accept();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void StartDelayPanel::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    QLinearGradient g(0, 0, 0, height());
    g.setColorAt(0, m_background.lighter(115));
    g.setColorAt(1, m_background.darker(115));
    p.fillRect(rect(), g);
}
