#include "app/webviewstub.h"

#include <QLabel>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

WebViewStub::WebViewStub(QWidget *parent) : WebView(parent), m_label(new QLabel(this))
{
    setObjectName(u"webViewStub"_s);
    m_label->setObjectName(u"lblWebViewStub"_s);
    m_label->setAlignment(Qt::AlignCenter);
    m_label->setWordWrap(true);
    m_label->setTextFormat(Qt::PlainText);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_label);
}

WebViewStub::~WebViewStub() = default;

void WebViewStub::load(const QUrl &url)
{
    if (!url.isValid())
        return;
    m_loads.append(url);
    m_history.resize(m_current + 1); // a new page drops the forward history
    m_history.append(url);
    m_current = m_history.size() - 1;
    showCurrent();
}

void WebViewStub::back()
{
    if (m_current > 0) {
        --m_current;
        showCurrent();
    }
}

void WebViewStub::forward()
{
    if (m_current + 1 < m_history.size()) {
        ++m_current;
        showCurrent();
    }
}

void WebViewStub::setZoomLevel(double level)
{
    m_zoomLevel = clampZoomLevel(level);
}

void WebViewStub::closeBrowser()
{
    ++m_closeCount;
    m_history.clear();
    m_current = -1;
    showCurrent();
}

QUrl WebViewStub::currentUrl() const
{
    return m_current >= 0 ? m_history.at(m_current) : QUrl();
}

void WebViewStub::finishLoad(bool ok)
{
    emit loadFinished(ok);
}

void WebViewStub::showCurrent()
{
    m_label->setText(currentUrl().toString());
}
