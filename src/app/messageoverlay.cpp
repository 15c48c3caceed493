#include "app/messageoverlay.h"

#include "touch/touchbutton.h"

#include <QEvent>
#include <QLabel>
#include <QPainter>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

MessageOverlay::MessageOverlay(QWidget *window)
    : QWidget(window), m_card(new QWidget(this)), m_text(new QLabel(m_card)),
      m_ok(new TouchButton(u"OK"_s, m_card))
{
    setObjectName(u"MessageOverlay"_s);
    m_card->setObjectName(u"panMessage"_s);
    m_card->setAutoFillBackground(true);
    QPalette pal = m_card->palette();
    pal.setColor(QPalette::Window, QColor(0xF4, 0xF1, 0xEC));
    pal.setColor(QPalette::WindowText, QColor(0x2D, 0x2F, 0x39));
    m_card->setPalette(pal);
    m_text->setObjectName(u"lblMessage"_s);
    m_text->setWordWrap(true);
    m_text->setAlignment(Qt::AlignCenter);
    QFont f = m_text->font();
    f.setPointSize(16);
    m_text->setFont(f);
    m_ok->setObjectName(u"btnMessageOk"_s);
    m_ok->setFixedSize(160, 60);
    m_ok->setFontSize(16);
    auto *layout = new QVBoxLayout(m_card);
    layout->setContentsMargins(32, 28, 32, 24);
    layout->setSpacing(24);
    layout->addWidget(m_text);
    layout->addWidget(m_ok, 0, Qt::AlignHCenter);
    connect(m_ok, &TouchButton::clicked, this, [this] {
        hide();
        Q_EMIT dismissed();
    });
    window->installEventFilter(this);
    hide();
}

void MessageOverlay::showMessage(const QString &text)
{
    m_text->setText(text);
    setGeometry(parentWidget()->rect());
    const int w = qMin(width() - 40, 620);
    m_card->setFixedWidth(w);
    m_card->adjustSize();
    m_card->move((width() - m_card->width()) / 2, (height() - m_card->height()) / 2);
    raise();
    show();
}

QString MessageOverlay::text() const
{
    return m_text->text();
}

void MessageOverlay::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.fillRect(rect(), QColor(0, 0, 0, 110));
}

bool MessageOverlay::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == parentWidget() && event->type() == QEvent::Resize && isVisible())
        showMessage(m_text->text());
    return QWidget::eventFilter(watched, event);
}
