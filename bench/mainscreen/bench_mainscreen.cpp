// The main screen under a stream of Set and Reset telegrams, with a project of 4,096 buttons bound
// to bus points, spread over the navigation-screen buttons (rows only), the speed buttons and the
// communication buttons (real buttons on the main screen). The telegrams come through the panel's
// own gateway socket from a loopback peer (a server on 127.0.0.1 that the panel connects to), which
// runs on its own thread so that its timing does not depend on the panel's event loop.
//
// Prints:
//  1. telegrams handled per second, redraw included: the peer writes a large batch at once; the
//     last telegram switches a reserved speed button, and the clock stops when that button's
//     picture changes (telegrams are handled in order, so all of them were handled by then);
//  2. the time from a Set's or Reset's bytes written by the peer to the speed button's new picture
//     painted, under a steady 1,000 telegrams per second: median, p99 and max.
// Both with the machine's load (/proc/loadavg) before and after.

#include "app/mainscreen.h"
#include "app/projectdialog.h"
#include "app/settingsstore.h"
#include "boundbuttonproject.h"
#include "bus/gatewaylink.h"
#include "bus/statuspoller.h"
#include "bus/telegram.h"
#include "data/datamodulekvx.h"
#include "data/tabledeclarations.h"
#include "data/tablefiles.h"
#include "platform/fakeplatform.h"
#include "touch/touchbutton.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QHostAddress>
#include <QRandomGenerator>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>
#include <QTimer>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <memory>
#include <vector>

using namespace Qt::StringLiterals;

namespace {

constexpr int ButtonCount = BoundButtonProject::ButtonCount;
constexpr int MaxTargets = 16;
// Every MeasuredEvery-th telegram of the burst goes to a visible speed button and is timed; the
// others switch points all over the project.
constexpr int MeasuredEvery = 4;

qint64 nowNs()
{
    return std::chrono::duration_cast<std::chrono::nanoseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

QByteArray loadAverage()
{
    QFile f(u"/proc/loadavg"_s);
    return f.open(QIODevice::ReadOnly) ? f.readAll().trimmed() : QByteArray("unknown");
}

class NoProjectDialog final : public ProjectDialog
{
public:
    std::optional<QString> chooseProjectFile(QWidget *, const QString &) override { return std::nullopt; }
};

// Point n: address n / 16, group n % 16. Button n goes to the navigation-screen buttons, the speed
// buttons or the communication buttons by n % 3, so speed button k (from 0, in table order) is
// point 3k + 1.
int speedPoint(int k)
{
    return 3 * k + 1;
}

Telegram telegramFor(int point, bool set)
{
    return Telegram::make(point / 16, set ? FunctionCode::Set : FunctionCode::Reset, point % 16);
}

bool faceOf(const TouchButton *b)
{
    return b->property("faceActive").toBool();
}

// The gateway's side: a server on 127.0.0.1 and the one connection the panel makes to it, on the
// peer thread. Bytes the panel sends are read and dropped.
struct Peer
{
    QThread thread;
    QObject *context = nullptr;
    QTcpServer *server = nullptr;
    QTcpSocket *socket = nullptr;
    quint16 port = 0;
    std::atomic<bool> connected{false};

    void start()
    {
        thread.start();
        context = new QObject;
        context->moveToThread(&thread);
        QMetaObject::invokeMethod(
            context,
            [this] {
                server = new QTcpServer(context);
                if (!server->listen(QHostAddress::LocalHost))
                    return;
                port = server->serverPort();
                QObject::connect(server, &QTcpServer::newConnection, context, [this] {
                    socket = server->nextPendingConnection();
                    socket->setSocketOption(QAbstractSocket::LowDelayOption, 1);
                    QObject::connect(socket, &QTcpSocket::readyRead, context, [this] { socket->readAll(); });
                    connected = true;
                });
            },
            Qt::BlockingQueuedConnection);
    }

    void stop()
    {
        QMetaObject::invokeMethod(
            context, [this] { delete context; }, Qt::BlockingQueuedConnection);
        thread.quit();
        thread.wait();
    }
};

// Records, for each visible target speed button, when the paint that shows each of its timed
// telegrams' pictures ended.
class PaintProbe final : public QObject
{
public:
    struct Target
    {
        TouchButton *button = nullptr;
        bool initialFace = false;
        int nextTelegram = 0; // k: the button's k-th timed telegram is the next not yet painted
    };

    std::vector<Target> targets;
    // Telegram i of the burst: written at sentNs[i] (0 while not written).
    const std::vector<std::atomic<qint64>> *sentNs = nullptr;
    int telegramCount = 0;
    std::vector<double> latenciesMs;
    std::vector<double> setToPaintMs;   // picture set (in SetFonts) -> painted, same telegrams
    std::vector<double> writtenToSetMs; // bytes written -> picture set, same telegrams
    std::vector<qint64> pictureSetNs;   // per target: when its picture last changed

    // The picture the button's k-th timed telegram leaves (they alternate from the initial face).
    static bool faceAfter(const Target &t, int k) { return (k % 2 == 0) != t.initialFace; }
    int telegramIndex(int target, int k) const { return MeasuredEvery * (k * int(targets.size()) + target); }

    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() != QEvent::Paint || m_inPaint)
            return false;
        const auto it = std::find_if(targets.begin(), targets.end(),
                                     [watched](const Target &t) { return t.button == watched; });
        if (it == targets.end())
            return false;
        // Paint now, and take the time once the picture is drawn.
        m_inPaint = true;
        QCoreApplication::sendEvent(watched, event);
        m_inPaint = false;
        const qint64 painted = nowNs();
        if (sentNs) {
            const int target = int(it - targets.begin());
            const int i = telegramIndex(target, it->nextTelegram);
            if (i < telegramCount && faceOf(it->button) == faceAfter(*it, it->nextTelegram)) {
                const qint64 sent = (*sentNs)[size_t(i)].load(std::memory_order_acquire);
                if (sent != 0) {
                    latenciesMs.push_back(double(painted - sent) / 1e6);
                    setToPaintMs.push_back(double(painted - pictureSetNs[size_t(target)]) / 1e6);
                    writtenToSetMs.push_back(double(pictureSetNs[size_t(target)] - sent) / 1e6);
                    ++it->nextTelegram;
                }
            }
        }
        return true;
    }

private:
    bool m_inPaint = false;
};

double percentile(std::vector<double> sorted, double p)
{
    if (sorted.empty())
        return 0;
    std::sort(sorted.begin(), sorted.end());
    const size_t index = std::min(sorted.size() - 1, size_t(p * double(sorted.size() - 1) + 0.5));
    return sorted[index];
}

void settle(int ms)
{
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < ms)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
}

// Run 1: `count` telegrams over `points`, written at once; the last one switches the sentinel.
void runThroughput(const char *title, Peer &peer, TouchButton *sentinel, int sentinelPoint,
                   const std::vector<int> &points, int count)
{
    QRandomGenerator random(4096);
    const bool sentinelSet = !faceOf(sentinel);
    QByteArray bytes;
    bytes.reserve(2 * (count + 1));
    for (int i = 0; i < count; ++i) {
        const Telegram t = telegramFor(points[random.bounded(int(points.size()))], i % 2 == 0);
        bytes.append(char(t.byte0));
        bytes.append(char(t.byte1));
    }
    const Telegram last = telegramFor(sentinelPoint, sentinelSet);
    bytes.append(char(last.byte0));
    bytes.append(char(last.byte1));

    const QByteArray loadBefore = loadAverage();
    std::atomic<qint64> startNs{0};
    qint64 endNs = 0;
    QEventLoop loop;
    const auto done = QObject::connect(sentinel, &TouchButton::pictureChanged, &loop, [&] {
        endNs = nowNs();
        loop.quit();
    });
    QTimer::singleShot(120000, &loop, [&] { loop.quit(); }); // bounded
    QMetaObject::invokeMethod(peer.context, [&] {
        startNs = nowNs();
        peer.socket->write(bytes);
    });
    loop.exec();
    QObject::disconnect(done);
    if (endNs == 0) {
        std::printf("%s: not all telegrams were handled within 120 s\n", title);
        return;
    }
    const double seconds = double(endNs - startNs) / 1e9;
    std::printf("%-44s %8d telegrams in %6.3f s = %9.0f /s  (target >= 100000)  load %s -> %s\n", title,
                count + 1, seconds, double(count + 1) / seconds, loadBefore.constData(),
                loadAverage().constData());
    std::fflush(stdout);
}

// Run 2: `seconds` of telegrams at `rate` per second; every MeasuredEvery-th goes to a target and
// is timed to its picture painted.
void runLatency(Peer &peer, PaintProbe &probe, const std::vector<int> &targetPoints,
                const std::vector<int> &otherPoints, int rate, int seconds)
{
    const int count = rate * seconds;
    const int targets = int(probe.targets.size());
    std::vector<Telegram> schedule(size_t(count), Telegram{});
    QRandomGenerator random(1000);
    for (int i = 0; i < count; ++i) {
        if (i % MeasuredEvery == 0) {
            const int slot = i / MeasuredEvery;
            const int target = slot % targets;
            const int k = slot / targets;
            schedule[size_t(i)] = telegramFor(targetPoints[size_t(target)],
                                              PaintProbe::faceAfter(probe.targets[size_t(target)], k));
        } else {
            schedule[size_t(i)] =
                telegramFor(otherPoints[random.bounded(int(otherPoints.size()))], i % 2 == 0);
        }
    }
    const size_t sentSize = size_t(count);
    std::vector<std::atomic<qint64>> sent(sentSize);
    for (auto &s : sent)
        s = 0;
    probe.sentNs = &sent;
    probe.telegramCount = count;
    probe.latenciesMs.clear();
    probe.setToPaintMs.clear();
    probe.writtenToSetMs.clear();

    const QByteArray loadBefore = loadAverage();
    std::atomic<bool> finished{false};
    QTimer *pacer = nullptr;
    QMetaObject::invokeMethod(
        peer.context,
        [&] {
            pacer = new QTimer(peer.context);
            pacer->setTimerType(Qt::PreciseTimer);
            pacer->setInterval(1);
            const qint64 start = nowNs();
            auto next = std::make_shared<int>(0);
            QObject::connect(pacer, &QTimer::timeout, peer.context, [&, start, next] {
                const qint64 now = nowNs();
                const int due = std::min(count, int((now - start) * rate / 1000000000LL) + 1);
                for (; *next < due; ++*next) {
                    const Telegram t = schedule[size_t(*next)];
                    const char data[2] = {char(t.byte0), char(t.byte1)};
                    sent[size_t(*next)].store(nowNs(), std::memory_order_release);
                    peer.socket->write(data, 2);
                    peer.socket->flush();
                }
                if (*next >= count) {
                    pacer->stop();
                    finished = true;
                }
            });
            pacer->start();
        },
        Qt::BlockingQueuedConnection);

    QElapsedTimer bound;
    bound.start();
    while (!finished && bound.elapsed() < (seconds + 10) * 1000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    settle(200); // the last pictures painted
    QMetaObject::invokeMethod(
        peer.context, [&] { delete pacer; }, Qt::BlockingQueuedConnection);
    probe.sentNs = nullptr;

    const int timed = (count + MeasuredEvery - 1) / MeasuredEvery;
    const std::vector<double> &l = probe.latenciesMs;
    std::printf(
        "burst: %d telegrams at %d/s over %d s; %d timed on %d visible speed buttons (each switched every "
        "%d ms), %zu painted\n",
        count, rate, seconds, timed, targets, MeasuredEvery * targets * 1000 / rate, l.size());
    std::printf("Set/Reset bytes written -> new picture painted: median %.2f ms, p99 %.2f ms, max %.2f ms  "
                "(target p99 <= 16 ms)  load %s -> %s\n",
                percentile(l, 0.5), percentile(l, 0.99),
                l.empty() ? 0.0 : *std::max_element(l.begin(), l.end()), loadBefore.constData(),
                loadAverage().constData());
    const std::vector<double> &w = probe.writtenToSetMs;
    std::printf(
        "  of which bytes written -> picture set by SetFonts: median %.2f ms, p99 %.2f ms, max %.2f ms\n",
        percentile(w, 0.5), percentile(w, 0.99), w.empty() ? 0.0 : *std::max_element(w.begin(), w.end()));
    const std::vector<double> &p = probe.setToPaintMs;
    std::printf("  of which picture set by SetFonts -> painted: median %.2f ms, p99 %.2f ms, max %.2f ms\n",
                percentile(p, 0.5), percentile(p, 0.99),
                p.empty() ? 0.0 : *std::max_element(p.begin(), p.end()));
    if (int(l.size()) < timed)
        std::printf("  %d timed telegrams never showed their picture (a later one came first)\n",
                    timed - int(l.size()));
    std::fflush(stdout);
}

} // namespace

int main(int argc, char **argv)
{
    qputenv("HALVANE_WEBVIEW", "stub");
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int count = argc > 1 ? QString::fromLocal8Bit(argv[1]).toInt() : 400000;
    const int burstSeconds = std::clamp(argc > 2 ? QString::fromLocal8Bit(argv[2]).toInt() : 4, 1, 30);

    std::printf("conditions: %d CPUs, load %s, Qt %s, %s build, offscreen platform\n",
                QThread::idealThreadCount(), loadAverage().constData(), qVersion(), HALVANE_BENCH_BUILD_TYPE);

    Peer peer;
    peer.start();
    if (peer.port == 0) {
        std::printf("loopback listen failed\n");
        return 1;
    }

    QTemporaryDir home;
    const QString project = home.filePath(u"project"_s);
    QDir().mkpath(project);
    BoundButtonProject::write(project);
    {
        QFile ini(home.filePath(u"kvx.ini"_s));
        if (!ini.open(QIODevice::WriteOnly))
            return 1;
        ini.write("[MTPath]\nProjDir=" + project.toUtf8() + "\n[MTCom]\nLanHost=127.0.0.1\nLanPort=" +
                  QByteArray::number(peer.port) + "\n[Sett]\nStartDelay=0\nSpeedButHeight=30\n");
    }

    FakePlatform platform;
    NoProjectDialog dialog;
    SettingsStore settings(home.filePath(u"kvx.ini"_s));
    TDataModuleKVX data(home.path());
    auto screen =
        std::make_unique<TMainScreen>(TMainScreen::Services{settings, data, platform.services(), dialog});
    screen->show();
    if (!QTest::qWaitForWindowExposed(screen.get()))
        std::printf("main screen not exposed\n");
    screen->StartDelayTimerTimer();
    // The start-up status poll would ask 2,730 buttons one by one; it is not what is measured.
    screen->statusPoller().stop();
    QElapsedTimer wait;
    wait.start();
    while ((!peer.connected || screen->link().state() != GatewayLink::State::Connected) &&
           wait.elapsed() < 10000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    if (!peer.connected) {
        std::printf("the panel did not connect to the loopback gateway\n");
        return 1;
    }
    settle(300);

    const QList<TouchButton *> speedButtons = screen->speedButtonArea()->findChildren<TouchButton *>();
    const QList<TouchButton *> commButtons = screen->commButtonArea()->findChildren<TouchButton *>();
    std::printf("project: %d buttons: %d navigation-screen rows, %d speed buttons, %d communication buttons "
                "(on screen: %lld speed, %lld communication)\n",
                ButtonCount, data.cdsMTButFont.recordCount(), data.cdsMTSpeedButFont.recordCount(),
                data.cdsMTCommButFont.recordCount(), static_cast<long long>(speedButtons.size()),
                static_cast<long long>(commButtons.size()));
    if (speedButtons.size() < 2)
        return 1;

    // The first speed button is the sentinel; the next visible ones are the burst's targets.
    TouchButton *sentinel = speedButtons.first();
    const int sentinelPoint = speedPoint(0);
    PaintProbe probe;
    std::vector<int> targetPoints;
    for (int k = 1; k < speedButtons.size() && int(probe.targets.size()) < MaxTargets; ++k) {
        TouchButton *b = speedButtons[k];
        if (b->isVisible() && !b->visibleRegion().isEmpty()) {
            probe.targets.push_back({b, false, 0});
            targetPoints.push_back(speedPoint(k));
        }
    }
    std::vector<int> allPoints, speedPoints, otherPoints;
    for (int n = 0; n < ButtonCount; ++n) {
        if (n == sentinelPoint)
            continue;
        allPoints.push_back(n);
        if (n % 3 == 1)
            speedPoints.push_back(n);
        if (std::find(targetPoints.begin(), targetPoints.end(), n) == targetPoints.end())
            otherPoints.push_back(n);
    }

    // The cost of one redraw of the buttons' faces, called directly: nothing changed, and one speed
    // button and one communication button changed (state written in the rows as the handler does).
    {
        constexpr int Rounds = 200;
        QElapsedTimer t;
        t.start();
        for (int i = 0; i < Rounds; ++i)
            screen->SetFonts();
        const double unchanged = double(t.nsecsElapsed()) / 1e6 / Rounds;
        t.restart();
        for (int i = 0; i < Rounds; ++i) {
            data.SetButtonStates(speedPoint(700) / 16, speedPoint(700) % 16, i % 2 == 0);
            data.SetButtonStates(2 / 16, 2 % 16, i % 2 == 0);
            screen->SetFonts();
        }
        const double changed = double(t.nsecsElapsed()) / 1e6 / Rounds;
        std::printf("SetFonts: %.3f ms with nothing changed, %.3f ms with two buttons changed\n", unchanged,
                    changed);
        settle(100);
    }

    runThroughput("spread over all points:", peer, sentinel, sentinelPoint, allPoints, count);
    settle(100);
    runThroughput("speed-button points only:", peer, sentinel, sentinelPoint, speedPoints, count);
    settle(100);

    if (probe.targets.empty()) {
        std::printf("no speed button visible: no latency run\n");
    } else {
        probe.pictureSetNs.assign(probe.targets.size(), 0);
        for (size_t i = 0; i < probe.targets.size(); ++i) {
            PaintProbe::Target &t = probe.targets[i];
            t.initialFace = faceOf(t.button);
            t.button->installEventFilter(&probe);
            QObject::connect(t.button, &TouchButton::pictureChanged, &probe,
                             [&probe, i] { probe.pictureSetNs[i] = nowNs(); });
        }
        runLatency(peer, probe, targetPoints, otherPoints, 1000, burstSeconds);
    }

    screen->close();
    screen.reset();
    peer.stop();
    return 0;
}
