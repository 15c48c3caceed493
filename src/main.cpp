#include "app/application.h"
#include "app/webviewfactory.h"
#include "platform/singleinstanceguard.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    // Refuse a second copy before anything else: it then ends silently without ever reaching the
    // display server. A guard that cannot be created does not stop the panel.
    SingleInstanceGuard instanceGuard;
    if (instanceGuard.acquire() == SingleInstanceGuard::State::AlreadyRunning)
        return 0;

    // Chromium reads its switches when the application object is made.
    WebViewFactory::prepareEnvironment();
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Halvane Panel"));
    Application panel;
    return panel.run();
}
