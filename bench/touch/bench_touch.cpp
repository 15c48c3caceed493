// Prints how long the touch kit takes for the two heavy cases of the panel: a button screen of
// 100 buttons with pictures (built, laid out and painted into an image, as the first frame after
// choosing a navigation screen) and a browse list of 1,000 items (filled and painted).
// Runs offscreen unless QT_QPA_PLATFORM says otherwise.

#include "touch/touchbutton.h"
#include "touch/touchlistbox.h"

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QPixmapCache>

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <functional>
#include <vector>

using namespace Qt::StringLiterals;

namespace {

constexpr int kRuns = 15;

QIcon samplePicture(int i)
{
    // A 60 x 60 picture like the icon set's entries.
    QPixmap pm(60, 60);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setBrush(QColor::fromHsv((i * 37) % 360, 160, 220));
    p.setPen(QPen(Qt::black, 2));
    p.drawEllipse(8, 8, 44, 44);
    p.drawLine(30, 14, 30, 46);
    return QIcon(pm);
}

struct Figures
{
    double first = 0; // the very first run (nothing cached yet)
    double median = 0;
    double worst = 0;
};

Figures measure(const std::function<double()> &run)
{
    std::vector<double> times;
    for (int i = 0; i < kRuns; ++i)
        times.push_back(run());
    Figures f;
    f.first = times.front();
    f.worst = *std::max_element(times.begin(), times.end());
    std::sort(times.begin(), times.end());
    f.median = times[times.size() / 2];
    return f;
}

void print(const char *what, const Figures &f, const char *target)
{
    std::printf("%-52s first %7.2f ms   median %7.2f ms   worst %7.2f ms   %s\n", what, f.first, f.median,
                f.worst, target);
}

// The benchmark measures the CPU time of this thread: on a loaded machine the wall time also
// counts the time other processes had the CPU, which says nothing about the kit.
class Clock
{
public:
    void start() { m_start = now(); }
    void restart() { start(); }
    double ms() const { return (now() - m_start) / 1e6; }

private:
    static qint64 now()
    {
        timespec ts{};
        clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
        return qint64(ts.tv_sec) * 1000000000 + ts.tv_nsec;
    }
    qint64 m_start = 0;
};

double elapsedMs(const Clock &t)
{
    return t.ms();
}

// Builds the grid the way the button screen does: 10 columns of buttons 5 pixels apart, each
// with the common look, a caption that may wrap and its picture fitted above the caption.
double buttonGrid(const std::vector<QIcon> &pictures, bool paintTwice)
{
    Clock t;
    t.start();
    // Ten rows of ten buttons of the default row height, as in a scroll box with 100 buttons.
    QWidget area;
    const int columns = 10;
    const int h = 90;
    area.resize(1024, (h + 10) * 10);
    const int w = (area.width() - columns * 10) / columns;
    for (int i = 0; i < 100; ++i) {
        auto *b = new TouchButton(u"Lamp keuken %1"_s.arg(i + 1), &area);
        b->setObjectName(u"btn%1"_s.arg(i));
        b->setColor(QColor(0xAA, 0x9C, 0x7D));
        b->setBevelColor(QColor(0x33, 0x35, 0x26));
        b->setTextColor(QColor(0x2D, 0x2F, 0x39));
        b->setFontSize(12);
        b->setRounding(8);
        b->setGlowPercent(30);
        b->setPicturePosition(TouchButton::PictureTop);
        b->setPictureScaling(TouchButton::PictureFitted);
        b->setPicture(pictures[size_t(i) % pictures.size()]);
        b->setGeometry((w + 10) * (i % columns) + 5, (h + 10) * (i / columns) + 5, w, h);
    }
    QImage image(area.size(), QImage::Format_ARGB32_Premultiplied);
    area.render(&image);
    if (!qEnvironmentVariableIsEmpty("HALVANE_BENCH_SAVE"))
        image.save(qEnvironmentVariable("HALVANE_BENCH_SAVE") + u"/grid.png"_s);
    if (paintTwice) {
        t.restart(); // only the repaint from the controls' caches
        area.render(&image);
    }
    return elapsedMs(t);
}

double list(int items, bool paintTwice)
{
    Clock t;
    t.start();
    TouchListBox lb;
    lb.resize(420, 686);
    lb.setItemHeight(60);
    lb.setPictureSize(60);
    const QIcon pic = samplePicture(3);
    lb.beginUpdate();
    for (int i = 0; i < items; ++i) {
        if (i % 50 == 0)
            lb.addHeader(u"Albums %1"_s.arg(i / 50 + 1));
        lb.addItem(u"Nummer %1 - Een artiest met een naam"_s.arg(i + 1), u"Album, 2024"_s,
                   i % 3 == 0 ? pic : QIcon());
    }
    lb.endUpdate();
    QImage image(lb.size(), QImage::Format_ARGB32_Premultiplied);
    lb.render(&image);
    if (!qEnvironmentVariableIsEmpty("HALVANE_BENCH_SAVE"))
        image.save(qEnvironmentVariable("HALVANE_BENCH_SAVE") + u"/list.png"_s);
    if (paintTwice) {
        t.restart();
        lb.scrollToItem(lb.count() - 1);
        lb.render(&image);
    }
    return elapsedMs(t);
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);

    std::vector<QIcon> pictures;
    for (int i = 0; i < 70; ++i)
        pictures.push_back(samplePicture(i));

    std::printf("touch kit, %d runs each, CPU time of the GUI thread, device pixel ratio %.1f\n", kRuns,
                qApp->devicePixelRatio());
    // The first paint of the process also loads the fonts; that happens once at start-up, so it
    // is done here before measuring, and the face cache is emptied again.
    buttonGrid(pictures, false);
    if (qEnvironmentVariableIsSet("CLEAR"))
        QPixmapCache::clear();
    print("grid of 100 TouchButtons with pictures: build + paint",
          measure([&] { return buttonGrid(pictures, false); }), "(target < 16 ms)");
    print("grid of 100 TouchButtons: repaint from cache", measure([&] { return buttonGrid(pictures, true); }),
          "");
    print("list of 1,000 items: build + first paint", measure([] { return list(1000, false); }), "");
    print("list of 1,000 items: scroll to end + paint", measure([] { return list(1000, true); }), "");
    print("list of 10,000 items: build + first paint", measure([] { return list(10000, false); }), "");
    return 0;
}
