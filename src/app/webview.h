#pragma once

#include <QUrl>
#include <QWidget>

// The embedded web browser of the main area, as the panel needs it: load an address into the
// main frame, go back and forward in its history, read and set the zoom level, and close it.
//
// Zoom levels are Chromium's: 0 is 100 %, each step of 1 multiplies the size by 1.2 (factor =
// 1.2^level), so +0.5 is about 9.5 % larger. Levels are kept between minZoomLevel and
// maxZoomLevel, the range the browser engine can show; setZoomLevel clamps, zoomLevel() tells
// the level in effect.
//
// Two implementations: the Qt WebEngine one (Chromium) and a light stand-in without any browser
// engine, used by tests and by builds without Qt WebEngine. WebViewFactory picks one.
class WebView : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(WebView)

public:
    static constexpr double minZoomLevel = -7.5; // factor 0.255, just above the engine's 0.25
    static constexpr double maxZoomLevel = 8.5;  // factor 4.71, just below the engine's 5.0

    explicit WebView(QWidget *parent = nullptr);
    ~WebView() override;

    // The widget to put in a layout (the view itself).
    QWidget *widget() { return this; }

    // Loads the address into the main frame; an invalid address is ignored.
    virtual void load(const QUrl &url) = 0;
    virtual void back() = 0;
    virtual void forward() = 0;
    virtual double zoomLevel() const = 0;
    virtual void setZoomLevel(double level) = 0;
    // Stops and closes the page that is shown and releases what the engine holds for it. Safe to
    // call more than once; a later load() opens a new page.
    virtual void closeBrowser() = 0;

    static double clampZoomLevel(double level);
    static double zoomFactor(double level);

signals:
    // A load of the main frame ended: ok is false when the page could not be loaded.
    void loadFinished(bool ok);
};
