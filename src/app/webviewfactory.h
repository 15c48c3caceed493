#pragma once

#include <QByteArray>

class QWidget;
class WebView;

// Chooses and prepares the web view of the main area.
//
// The Qt WebEngine view is used when the program was built with it (CMake option HALVANE_WEBVIEW)
// and the environment variable HALVANE_WEBVIEW is not "stub"; otherwise the light stand-in
// without a browser engine.
namespace WebViewFactory {

// Call at program entry, before the QApplication is created: it adds to QTWEBENGINE_CHROMIUM_FLAGS
// (keeping what is there) the switches that keep Chromium off the network unless a page asks for
// it (no background networking, component updates, metrics, pings, safe-browsing or translate
// look-ups), and when the panel runs as root turns Chromium's sandbox off, which cannot run as
// root. Does nothing when the stand-in will be used.
void prepareEnvironment();

// The flags prepareEnvironment() sets, given the flags already in the environment: every switch
// that is missing is appended once.
QByteArray chromiumFlags(const QByteArray &existing);

// True when this build has the Qt WebEngine view.
bool engineBuilt();
// True when create() makes the Qt WebEngine view.
bool useEngine();

// A new web view, owned by parent.
WebView *create(QWidget *parent);

} // namespace WebViewFactory
