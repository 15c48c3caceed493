#include "platform/singleinstanceguard.h"

#include <QApplication>
#include <QWidget>

int main(int argc, char *argv[])
{
    // Refuse a second copy before anything else: it then ends silently without ever reaching the
    // display server. A guard that cannot be created does not stop the panel.
    SingleInstanceGuard instanceGuard;
    if (instanceGuard.acquire() == SingleInstanceGuard::State::AlreadyRunning)
        return 0;

    QApplication app(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("HalvanescreenVCL-MainForm"));
    window.setWindowFlag(Qt::FramelessWindowHint);
    window.showFullScreen();
    return app.exec();
}
