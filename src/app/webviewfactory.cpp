#include "app/webviewfactory.h"

#include "app/webviewstub.h"
#include "platform/logging.h"

#ifdef HALVANE_HAVE_WEBENGINE
#include "app/webviewengine.h"
#endif

#include <QCoreApplication>
#include <QList>

#include <unistd.h>

namespace WebViewFactory {

namespace {

// Switches that keep Chromium quiet on the network: only pages the panel loads reach out.
const QList<QByteArray> &quietFlags()
{
    static const QList<QByteArray> flags = {
        QByteArrayLiteral("--disable-background-networking"),
        QByteArrayLiteral("--disable-component-update"),
        QByteArrayLiteral("--disable-domain-reliability"),
        QByteArrayLiteral("--disable-client-side-phishing-detection"),
        QByteArrayLiteral("--disable-breakpad"),
        QByteArrayLiteral("--disable-sync"),
        QByteArrayLiteral("--metrics-recording-only"),
        QByteArrayLiteral("--no-pings"),
        QByteArrayLiteral("--no-default-browser-check"),
        QByteArrayLiteral("--no-first-run"),
    };
    return flags;
}

} // namespace

QByteArray chromiumFlags(const QByteArray &existing)
{
    QByteArray result = existing.trimmed();
    const QList<QByteArray> present = result.split(' ');
    for (const QByteArray &flag : quietFlags()) {
        if (present.contains(flag))
            continue;
        if (!result.isEmpty())
            result += ' ';
        result += flag;
    }
    return result;
}

bool engineBuilt()
{
#ifdef HALVANE_HAVE_WEBENGINE
    return true;
#else
    return false;
#endif
}

bool useEngine()
{
    return engineBuilt() && qgetenv("HALVANE_WEBVIEW").trimmed().toLower() != "stub";
}

void prepareEnvironment()
{
    if (!useEngine())
        return;
    qputenv("QTWEBENGINE_CHROMIUM_FLAGS", chromiumFlags(qgetenv("QTWEBENGINE_CHROMIUM_FLAGS")));
    if (geteuid() == 0 && !qEnvironmentVariableIsSet("QTWEBENGINE_DISABLE_SANDBOX")) {
        qCWarning(lcApp) << "running as root: the web view runs without Chromium's sandbox";
        qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
    }
    // Qt WebEngine shares OpenGL contexts with the widgets; this must be set before the
    // application object exists.
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
}

WebView *create(QWidget *parent)
{
#ifdef HALVANE_HAVE_WEBENGINE
    if (useEngine())
        return new WebViewEngine(parent);
#endif
    return new WebViewStub(parent);
}

} // namespace WebViewFactory
