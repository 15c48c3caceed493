#include "app/webviewengine.h"

#include "platform/logging.h"

#include <QVBoxLayout>
#include <QWebEngineNewWindowRequest>
#include <QWebEnginePage>
#include <QWebEngineView>

using namespace Qt::StringLiterals;

WebViewEngine::WebViewEngine(QWidget *parent) : WebView(parent)
{
    setObjectName(u"webViewEngine"_s);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
}

WebViewEngine::~WebViewEngine() = default;

QWebEngineView *WebViewEngine::view()
{
    if (!m_view) {
        m_view = new QWebEngineView(this);
        m_view->setObjectName(u"webEngineView"_s);
        m_view->setZoomFactor(zoomFactor(m_zoomLevel));
        connect(m_view, &QWebEngineView::loadFinished, this, &WebViewEngine::pageLoadFinished);
        // The panel has one window: a link that asks for a new one opens in this view instead.
        // Pop-ups that a page opens by itself are dropped.
        connect(m_view->page(), &QWebEnginePage::newWindowRequested, this,
                [this](QWebEngineNewWindowRequest &request) {
                    if (request.isUserInitiated() && m_view)
                        m_view->load(request.requestedUrl());
                });
        layout()->addWidget(m_view);
    }
    return m_view;
}

void WebViewEngine::load(const QUrl &url)
{
    if (!url.isValid())
        return;
    qCDebug(lcApp) << "web view loads" << url.toDisplayString();
    view()->load(url);
}

void WebViewEngine::back()
{
    if (m_view)
        m_view->back();
}

void WebViewEngine::forward()
{
    if (m_view)
        m_view->forward();
}

void WebViewEngine::setZoomLevel(double level)
{
    m_zoomLevel = clampZoomLevel(level);
    if (m_view)
        m_view->setZoomFactor(zoomFactor(m_zoomLevel));
}

void WebViewEngine::closeBrowser()
{
    if (!m_view)
        return;
    // The view goes once pending events have run (the caller lets them run), so that the engine
    // is never deleted inside one of its own callbacks.
    m_view->stop();
    m_view->hide();
    m_view->disconnect(this);
    m_view->deleteLater();
    m_view = nullptr;
}

void WebViewEngine::pageLoadFinished(bool ok)
{
    // Chromium may reset the zoom when a page of another site is shown: give the page the level
    // this view reports.
    if (m_view)
        m_view->setZoomFactor(zoomFactor(m_zoomLevel));
    emit loadFinished(ok);
}
