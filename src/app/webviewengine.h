#pragma once

#include "app/webview.h"

#include <QPointer>

class QWebEngineView;

// The web view on Qt WebEngine (Chromium). The engine's view is made on the first load and
// released by closeBrowser(); the zoom level is kept here and given to every page, so that it
// holds across navigations as the panel expects. Links that ask for a new window open in this
// view (the panel has one window).
class WebViewEngine final : public WebView
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(WebViewEngine)

public:
    explicit WebViewEngine(QWidget *parent = nullptr);
    ~WebViewEngine() override;

    void load(const QUrl &url) override;
    void back() override;
    void forward() override;
    double zoomLevel() const override { return m_zoomLevel; }
    void setZoomLevel(double level) override;
    void closeBrowser() override;

private:
    QWebEngineView *view();
    void pageLoadFinished(bool ok);

    QPointer<QWebEngineView> m_view;
    double m_zoomLevel = 0.0;
};
