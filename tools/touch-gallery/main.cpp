#include "gallerywindow.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QTimer>

#include <cstdio>

using namespace Qt::StringLiterals;

// halvane-touch-gallery: every touch control and the whole icon set in the panel's default
// colours. With --screenshot it renders one page to a PNG file and exits (for the README).
int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(u"halvane-touch-gallery"_s);
    QApplication::setApplicationVersion(QStringLiteral(HALVANE_VERSION));

    QCommandLineParser parser;
    parser.setApplicationDescription(u"Showcase of the Halvane Panel touch controls and icon set."_s);
    parser.addHelpOption();
    parser.addVersionOption();
    const QCommandLineOption shotOption(u"screenshot"_s, u"Render a page to this PNG file and exit."_s,
                                        u"file"_s);
    const QCommandLineOption pageOption(u"page"_s, u"Page to show, from 1 (default 1)."_s, u"n"_s, u"1"_s);
    const QCommandLineOption sizeOption(u"size"_s, u"Window size, e.g. 1280x800 (default)."_s, u"WxH"_s,
                                        u"1280x800"_s);
    const QCommandLineOption popupOption(u"popup"_s, u"Show the setters page with its pop-up panel open."_s);
    parser.addOptions({shotOption, pageOption, sizeOption, popupOption});
    parser.process(app);

    bool ok = false;
    const int page = parser.value(pageOption).toInt(&ok);
    const QStringList size = parser.value(sizeOption).split(u'x');
    int width = 0;
    int height = 0;
    if (size.size() == 2) {
        width = size.at(0).toInt();
        height = size.at(1).toInt();
    }
    if (width < 320 || height < 240 || width > 8000 || height > 8000) {
        std::fprintf(stderr, "halvane-touch-gallery: bad --size '%s' (expected WxH, e.g. 1280x800)\n",
                     qPrintable(parser.value(sizeOption)));
        return 2;
    }

    GalleryWindow window;
    if (!ok || page < 1 || page > window.pageCount()) {
        std::fprintf(stderr, "halvane-touch-gallery: no page '%s' (there are %d)\n",
                     qPrintable(parser.value(pageOption)), window.pageCount());
        return 2;
    }
    window.setPage(page - 1);
    window.resize(width, height);
    if (parser.isSet(popupOption))
        QTimer::singleShot(0, &window, &GalleryWindow::openDemoPopup);

    const QString shotFile = parser.value(shotOption);
    if (shotFile.isEmpty()) {
        window.show();
        return app.exec();
    }

    window.setClockText(u"10:30"_s);
    window.setAttribute(Qt::WA_DontShowOnScreen);
    window.show();
    int result = 0;
    // Let layouts settle and the first paint happen before grabbing.
    QTimer::singleShot(300, &window, [&] {
        if (!window.grab().save(shotFile, "PNG")) {
            std::fprintf(stderr, "halvane-touch-gallery: cannot write %s\n", qPrintable(shotFile));
            result = 1;
        }
        app.quit();
    });
    app.exec();
    return result;
}
