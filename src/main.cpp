#include <QApplication>
#include <QWidget>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("HalvanescreenVCL-MainForm"));
    window.setWindowFlag(Qt::FramelessWindowHint);
    window.showFullScreen();
    return app.exec();
}
