#pragma once

#include "app/webview.h"

#include <QList>

class QLabel;

// A web view without a browser engine: it shows the address it was asked to load as text and
// records what it was asked to do, so that tests (and builds without Qt WebEngine) can run the
// main area without Chromium. It never touches the network. Loads do not finish by themselves:
// finishLoad() reports the end of the current load.
class WebViewStub final : public WebView
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(WebViewStub)

public:
    explicit WebViewStub(QWidget *parent = nullptr);
    ~WebViewStub() override;

    void load(const QUrl &url) override;
    void back() override;
    void forward() override;
    double zoomLevel() const override { return m_zoomLevel; }
    void setZoomLevel(double level) override;
    void closeBrowser() override;

    // Every address load() was given, in order.
    const QList<QUrl> &loads() const { return m_loads; }
    // The page shown, after loads and history moves; empty when none (or closed).
    QUrl currentUrl() const;
    int closeCount() const { return m_closeCount; }
    // Ends the current load as the engine would.
    void finishLoad(bool ok);

private:
    void showCurrent();

    QLabel *m_label;
    QList<QUrl> m_loads;
    QList<QUrl> m_history;
    qsizetype m_current = -1;
    double m_zoomLevel = 0.0;
    int m_closeCount = 0;
};
