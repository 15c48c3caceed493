#include "app/webview.h"

#include <algorithm>
#include <cmath>

WebView::WebView(QWidget *parent) : QWidget(parent) {}

WebView::~WebView() = default;

double WebView::clampZoomLevel(double level)
{
    if (!std::isfinite(level))
        return 0.0;
    return std::clamp(level, minZoomLevel, maxZoomLevel);
}

double WebView::zoomFactor(double level)
{
    return std::pow(1.2, clampZoomLevel(level));
}
