// Set and Reset telegrams handled per second by the telegram handler, with a project of 4,096
// buttons bound to bus points, spread over the navigation-screen, speed and communication button
// tables, redraw included. The redraw stands in for SetFonts: it walks the three state views and
// reads every button's name, picture index and state, as the main screen's redraw does.
//
// Three runs:
//  1. direct, redraws coalesced by RedrawCoalescer to one per 16 ms frame (the main screen's way);
//  2. direct, redraw on every telegram (SetFonts called synchronously, for comparison);
//  3. through a real GatewayLink fed by a loopback QTcpSocket peer, redraws coalesced.
// Each run is done with telegrams spread over all bound points, and with a hot set of 32 points.

#include "app/settingsrecord.h"
#include "boundbuttonproject.h"
#include "bus/exchangefields.h"
#include "bus/gatewaylink.h"
#include "bus/redrawcoalescer.h"
#include "bus/telegramhandler.h"
#include "bus/telegramhandlerhooks.h"
#include "data/datamodulekvx.h"
#include "data/opendatasets.h"
#include "data/tabledeclarations.h"
#include "data/tablefiles.h"
#include "platform/fakeplatform.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QHostAddress>
#include <QRandomGenerator>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QTimer>

#include <cstdio>

using namespace Qt::StringLiterals;

namespace {

constexpr int ButtonCount = BoundButtonProject::ButtonCount;

struct BenchHooks : TelegramHandlerHooks
{
    explicit BenchHooks(TDataModuleKVX &data) : m_data(data), frames([this] { SetFonts(); }) {}

    bool coalesce = true;
    qint64 redraws = 0;
    qint64 checksum = 0;

    bool programStarted() const override { return true; }
    bool statusPollRunning() const override { return false; }
    bool speedPhaseRunning() const override { return false; }
    bool buttonScreenExists() const override { return true; }
    void showWebPage(const QString &) override {}
    void saveAndCloseTables() override {}
    void closeMainForm() override {}

    void redrawRequested() override
    {
        if (coalesce)
            frames.request();
        else
            SetFonts();
    }

    void SetFonts() override
    {
        ++redraws;
        for (DataView *view : {&m_data.cdsMTSpeedButFont, &m_data.cdsMTCommButFont, &m_data.cdsMTButFont}) {
            view->clearFilter();
            for (view->first(); !view->eof(); view->next()) {
                checksum += view->fieldText(u"Name").size() + view->fieldInt(u"Dim");
                checksum += view->fieldBool(u"Active") ? 1 : 0;
            }
        }
    }

private:
    TDataModuleKVX &m_data;

public:
    RedrawCoalescer frames;
};

// Set and Reset alternating, over `points` bus points picked at random (fixed seed).
QList<Telegram> makeTelegrams(int count, int points)
{
    QRandomGenerator random(4096);
    QList<Telegram> telegrams;
    telegrams.reserve(count);
    for (int i = 0; i < count; ++i) {
        const int n = int(random.bounded(points)) * (ButtonCount / points);
        const FunctionCode code = (i % 2 == 0) ? FunctionCode::Set : FunctionCode::Reset;
        telegrams.append(Telegram::make(n / 16, code, n % 16));
    }
    return telegrams;
}

void report(const char *run, int points, qint64 count, qint64 nsecs, const BenchHooks &hooks)
{
    const double seconds = double(nsecs) / 1e9;
    std::printf("%-46s %5d points: %9lld telegrams in %7.3f s = %10.0f /s (%lld redraws)\n", run, points,
                static_cast<long long>(count), seconds, double(count) / seconds,
                static_cast<long long>(hooks.redraws));
    std::fflush(stdout);
}

void runDirect(TelegramHandler &handler, BenchHooks &hooks, const QList<Telegram> &telegrams, bool coalesce,
               int points)
{
    hooks.coalesce = coalesce;
    hooks.redraws = 0;
    QElapsedTimer clock;
    clock.start();
    for (Telegram telegram : telegrams)
        handler.ProcessTelegram(telegram);
    hooks.frames.flush(); // what is shown when the handling ends
    report(coalesce ? "direct, redraw once per frame" : "direct, SetFonts per telegram", points,
           telegrams.size(), clock.nsecsElapsed(), hooks);
}

void runSocket(TelegramHandler &handler, BenchHooks &hooks, const QList<Telegram> &telegrams, int points)
{
    hooks.coalesce = true;
    hooks.redraws = 0;
    QTcpServer server;
    if (!server.listen(QHostAddress::LocalHost)) {
        std::printf("loopback listen failed\n");
        return;
    }
    SettingsRecord settings;
    settings.LanHost = u"127.0.0.1"_s;
    settings.LanPort = server.serverPort();
    GatewayLink link(settings);
    link.setTimerIntervals(200, 1000000);
    qint64 handled = 0;
    QEventLoop loop;
    link.setTelegramHandler([&](Telegram telegram) {
        handler.ProcessTelegram(telegram);
        if (++handled == telegrams.size())
            loop.quit();
    });

    QByteArray bytes;
    bytes.reserve(telegrams.size() * 2);
    for (Telegram telegram : telegrams) {
        bytes.append(char(telegram.byte0));
        bytes.append(char(telegram.byte1));
    }
    QTcpSocket *peer = nullptr;
    QElapsedTimer clock;
    QObject::connect(&server, &QTcpServer::newConnection, &loop, [&] {
        peer = server.nextPendingConnection();
        clock.start();
        peer->write(bytes);
    });
    QTimer::singleShot(60000, &loop, [&] { loop.quit(); }); // bounded
    link.SetConnection();
    loop.exec();
    hooks.frames.flush();
    const qint64 nsecs = clock.isValid() ? clock.nsecsElapsed() : 1;
    if (handled != telegrams.size())
        std::printf("socket run incomplete: %lld of %lld handled\n", static_cast<long long>(handled),
                    static_cast<long long>(telegrams.size()));
    report("loopback socket + GatewayLink, redraw per frame", points, handled, nsecs, hooks);
    link.ResetConnection();
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const int count = argc > 1 ? QString::fromLocal8Bit(argv[1]).toInt() : 400000;
    // "direct": only the handler with coalesced redraws (for profiling).
    const bool directOnly = argc > 2 && QByteArray(argv[2]) == "direct";

    QTemporaryDir program;
    QTemporaryDir project;
    BoundButtonProject::write(project.path());
    TDataModuleKVX data(program.path());
    data.setProjDir(project.path());
    TOpenDataSets::OpenAllTouchXML(data);
    std::printf("buttons: %d navigation-screen, %d speed, %d communication; %d members\n",
                data.cdsMTButFont.recordCount(), data.cdsMTSpeedButFont.recordCount(),
                data.cdsMTCommButFont.recordCount(), data.cdsMembers.recordCount());

    ExchangeFields fields;
    SettingsRecord settings;
    FakePlatform platform;
    BenchHooks hooks(data);
    TelegramHandler handler(data, fields, settings, platform.services(), hooks);

    for (int points : {ButtonCount, 32}) {
        const QList<Telegram> telegrams = makeTelegrams(count, points);
        runDirect(handler, hooks, telegrams, true, points);
        if (directOnly)
            continue;
        runDirect(handler, hooks, telegrams.mid(0, qMin(count, 2000)), false, points);
        runSocket(handler, hooks, telegrams, points);
    }
    std::printf("checksum %lld\n", static_cast<long long>(hooks.checksum));
    return 0;
}
