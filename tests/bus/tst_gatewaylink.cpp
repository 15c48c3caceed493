#include "app/settingsrecord.h"
#include "bus/busmonitorlog.h"
#include "bus/gatewaylink.h"
#include "bus/gatewaylinkhooks.h"

#include <QSignalSpy>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>

#include <memory>

using namespace Qt::StringLiterals;

namespace {

struct RecordingHooks : GatewayLinkHooks
{
    bool statusScreen = false;
    QStringList calls;

    bool statusScreenRunning() const override { return statusScreen; }
    void closeSubScreens(bool closeButtonScreen, bool closePlayerScreen) override
    {
        calls << u"close(button=%1, player=%2)"_s.arg(closeButtonScreen).arg(closePlayerScreen);
    }
    void showPicture() override { calls << u"picture"_s; }
    void startAutoNav() override { calls << u"autonav"_s; }
};

using Telegrams = QList<Telegram>;

} // namespace

class tst_GatewayLink : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void connectsAndShowsOk();
    void emptyHostMakesNoAttempt();
    void refusedConnectShowsCannotConnect();
    void receivesTelegramsInOrder_data();
    void receivesTelegramsInOrder();
    void lostServerNoticedByWatchdog();
    void lostServerNoticedByRunningWatchdog();
    void resetForgetsWaitingByte();
    void sendDataReachesGateway();
    void sendWhileDisconnectedIsLostSilently();
    void sendWhileConnectingIsDeliveredOnceConnected();
    void sendDSClearsMonitorAndSendsDataSelect();
    void inactivityTimeout_data();
    void inactivityTimeout();
    void dumpedLinkSendsNothingUntilReconnected();
    void telegramDuringHandlingWaitsItsTurn();
    void handlerMayResetTheLink();

private:
    // Connects the link to the in-process gateway and returns the gateway's side of the link.
    QTcpSocket *connectLink(GatewayLink &link);
    QByteArray readAtPeer(QTcpSocket *peer, qsizetype count);

    std::unique_ptr<QTcpServer> m_server;
    SettingsRecord m_settings;
};

void tst_GatewayLink::init()
{
    m_server = std::make_unique<QTcpServer>();
    QVERIFY(m_server->listen(QHostAddress::LocalHost, 0));
    m_settings = SettingsRecord();
    m_settings.LanHost = u"127.0.0.1"_s;
    m_settings.LanPort = m_server->serverPort();
}

void tst_GatewayLink::cleanup()
{
    m_server.reset();
}

QTcpSocket *tst_GatewayLink::connectLink(GatewayLink &link)
{
    link.SetConnection();
    if (!QTest::qWaitFor([&] { return link.state() == GatewayLink::State::Connected; }))
        return nullptr;
    if (!m_server->hasPendingConnections() && !m_server->waitForNewConnection(5000))
        return nullptr;
    QTcpSocket *peer = m_server->nextPendingConnection();
    peer->setSocketOption(QAbstractSocket::LowDelayOption, 1);
    return peer;
}

QByteArray tst_GatewayLink::readAtPeer(QTcpSocket *peer, qsizetype count)
{
    QByteArray got;
    (void)QTest::qWaitFor([&] {
        got += peer->readAll();
        return got.size() >= count;
    });
    return got;
}

void tst_GatewayLink::connectsAndShowsOk()
{
    GatewayLink link(m_settings);
    QSignalSpy online(&link, &GatewayLink::onlineChanged);
    QTcpSocket *peer = connectLink(link);
    QVERIFY(peer);
    QCOMPARE(link.statusText(), u"Verbinding ok."_s);
    QVERIFY(link.isOnline());
    QCOMPARE(online.count(), 1);
    QVERIFY(link.isTcpTimerActive());

    // The online logo's tap drops the link; the offline logo's tap connects again.
    link.ResetConnection();
    QCOMPARE(link.statusText(), u"Kan niet verbinden."_s);
    QVERIFY(!link.isOnline());
    QVERIFY(!link.isTcpTimerActive());
    QVERIFY(connectLink(link));
    QCOMPARE(link.statusText(), u"Verbinding ok."_s);
}

void tst_GatewayLink::emptyHostMakesNoAttempt()
{
    m_settings.LanHost.clear();
    GatewayLink link(m_settings);
    link.SetConnection();
    QCOMPARE(link.state(), GatewayLink::State::NotConnected);
    QVERIFY(!m_server->waitForNewConnection(100));
}

void tst_GatewayLink::refusedConnectShowsCannotConnect()
{
    m_server->close(); // the port is free now: connecting is refused
    GatewayLink link(m_settings);
    link.SetConnection();
    QCOMPARE(link.state(), GatewayLink::State::Connecting);
    QTRY_COMPARE(link.state(), GatewayLink::State::NotConnected);
    QCOMPARE(link.statusText(), u"Kan niet verbinden."_s);
    QVERIFY(!link.isOnline());
}

void tst_GatewayLink::receivesTelegramsInOrder_data()
{
    QTest::addColumn<QList<QByteArray>>("segments");
    QTest::addColumn<Telegrams>("expected");
    QTest::addColumn<bool>("byteWaits");

    QTest::newRow("split over two segments")
        << QList<QByteArray>{QByteArray("\x0c", 1), QByteArray("\x35", 1)} << Telegrams{{12, 0x35}} << false;
    QTest::newRow("three bytes: one telegram and a waiting byte")
        << QList<QByteArray>{QByteArray("\x0c\x35\x0c", 3)} << Telegrams{{12, 0x35}} << true;
    QTest::newRow("waiting byte completed by the next segment")
        << QList<QByteArray>{QByteArray("\x0c\x35\x0c", 3), QByteArray("\x15", 1)}
        << Telegrams{{12, 0x35}, {12, 0x15}} << false;
    QTest::newRow("many telegrams in one segment")
        << QList<QByteArray>{QByteArray("\x01\x31\x02\x32\x03\x33\x04\x34", 8)}
        << Telegrams{{1, 0x31}, {2, 0x32}, {3, 0x33}, {4, 0x34}} << false;
}

void tst_GatewayLink::receivesTelegramsInOrder()
{
    QFETCH(QList<QByteArray>, segments);
    QFETCH(Telegrams, expected);
    QFETCH(bool, byteWaits);

    GatewayLink link(m_settings);
    Telegrams got;
    link.setTelegramHandler([&](Telegram t) {
        QVERIFY(link.Receiving());
        got.append(t);
    });
    QTcpSocket *peer = connectLink(link);
    QVERIFY(peer);

    qsizetype written = 0;
    for (const QByteArray &segment : segments) {
        peer->write(segment);
        peer->flush();
        written += segment.size();
        // Each segment has arrived before the next is written.
        QTRY_COMPARE(2 * got.size() + link.bytesWaiting(), written);
    }
    QCOMPARE(got, expected);
    QCOMPARE(link.hasWaitingByte(), byteWaits);
    QVERIFY(!link.Receiving());
}

void tst_GatewayLink::lostServerNoticedByWatchdog()
{
    GatewayLink link(m_settings);
    link.setTimerIntervals(3600 * 1000, GatewayLink::DumpTimerInterval); // ticks driven by hand
    QTcpSocket *peer = connectLink(link);
    QVERIFY(peer);

    peer->close();
    m_server->close();
    QTRY_VERIFY(!link.isSocketConnected());
    QCOMPARE(link.statusText(), u"Verbinding ok."_s); // not noticed before the watchdog's tick

    link.TcpTimerTimer();
    QCOMPARE(link.state(), GatewayLink::State::NotConnected);
    QCOMPARE(link.statusText(), u"Kan niet verbinden."_s);
    QVERIFY(!link.isOnline());
    QVERIFY(!link.isTcpTimerActive());
}

void tst_GatewayLink::lostServerNoticedByRunningWatchdog()
{
    GatewayLink link(m_settings);
    QTcpSocket *peer = connectLink(link);
    QVERIFY(peer);
    peer->close();
    // The watchdog ticks every 200 ms by itself.
    QTRY_COMPARE(link.statusText(), u"Kan niet verbinden."_s);
}

void tst_GatewayLink::resetForgetsWaitingByte()
{
    GatewayLink link(m_settings);
    Telegrams got;
    link.setTelegramHandler([&](Telegram t) { got.append(t); });
    QTcpSocket *peer = connectLink(link);
    QVERIFY(peer);
    peer->write(QByteArray("\x0c", 1));
    peer->flush();
    QTRY_VERIFY(link.hasWaitingByte());

    link.ResetConnection();
    QVERIFY(!link.hasWaitingByte());
    peer = connectLink(link);
    QVERIFY(peer);
    peer->write(QByteArray("\x07\x52", 2));
    QTRY_COMPARE(got, (Telegrams{{7, 0x52}})); // pairing starts afresh
}

void tst_GatewayLink::sendDataReachesGateway()
{
    GatewayLink link(m_settings);
    QTcpSocket *peer = connectLink(link);
    QVERIFY(peer);
    link.SendData(7, 0x52);
    link.SendData(Telegram::make(12, FunctionCode::Set, 5));
    QCOMPARE(readAtPeer(peer, 4), QByteArray("\x07\x52\x0c\x35", 4));
    QCOMPARE(link.SSSec(), 0);
    QVERIFY(link.isDumpTimerActive()); // SendData keeps the connection alive
}

void tst_GatewayLink::sendWhileDisconnectedIsLostSilently()
{
    GatewayLink link(m_settings);
    QTest::failOnWarning(QRegularExpression(u".*"_s)); // no "device not open" or the like
    link.SendData(7, 0x52);
    QCOMPARE(link.state(), GatewayLink::State::NotConnected);
    QVERIFY(link.isDumpTimerActive());

    // A connect that fails loses what was sent while it was under way.
    m_server->close();
    link.SetConnection();
    link.SendData(7, 0x52);
    QTRY_COMPARE(link.state(), GatewayLink::State::NotConnected);
    QCOMPARE(link.bytesWaiting(), 0);
}

void tst_GatewayLink::sendWhileConnectingIsDeliveredOnceConnected()
{
    GatewayLink link(m_settings);
    link.SetConnection();
    QCOMPARE(link.state(), GatewayLink::State::Connecting);
    link.SendData(1, 0x31);
    link.SendData(2, 0x32);
    QVERIFY(m_server->waitForNewConnection(5000));
    QTcpSocket *peer = m_server->nextPendingConnection();
    QTRY_COMPARE(link.state(), GatewayLink::State::Connected);
    QCOMPARE(readAtPeer(peer, 4), QByteArray("\x01\x31\x02\x32", 4));
}

void tst_GatewayLink::sendDSClearsMonitorAndSendsDataSelect()
{
    GatewayLink link(m_settings);
    QTcpSocket *peer = connectLink(link);
    QVERIFY(peer);
    link.busMonitor().append(u"Set 5 12 -  (12:00:00)"_s);
    link.SendDS(20, 40, 2);
    QCOMPARE(link.busMonitor().count(), 0);
    QCOMPARE(readAtPeer(peer, 4), QByteArray("\x14\xe0\x28\xd2", 4));
}

void tst_GatewayLink::inactivityTimeout_data()
{
    QTest::addColumn<bool>("dump");
    QTest::addColumn<int>("seconds");
    QTest::addColumn<bool>("statusPoll");
    QTest::addColumn<bool>("autoCloseWeb");
    QTest::addColumn<QString>("touchMainNav");
    QTest::addColumn<QString>("expectedText");
    QTest::addColumn<QStringList>("expectedCalls");
    QTest::addColumn<bool>("timerKeepsRunning");

    const QString closeAll = u"close(button=1, player=1)"_s;
    QTest::newRow("normal mode shows the timeout")
        << false << 180 << false << false << QString() << u"Verbinding: 180Sec"_s
        << QStringList{closeAll, u"autonav"_s} << true;
    QTest::newRow("normal mode during a status poll")
        << false << 30 << true << false << QString() << u"Verbinding: Status opvragen"_s
        << QStringList{closeAll, u"autonav"_s} << true;
    QTest::newRow("normal mode, home screen set, web closes")
        << false << 5 << false << true << u"Woonkamer"_s << u"Verbinding: 5Sec"_s
        << QStringList{u"close(button=0, player=1)"_s, u"picture"_s, u"autonav"_s} << true;
    QTest::newRow("dump mode drops the link")
        << true << 180 << false << false << QString() << u"Verbinding gedumpt"_s
        << QStringList{closeAll, u"autonav"_s} << false;
    QTest::newRow("dump mode during a status poll")
        << true << 10 << true << false << QString() << u"Verbinding gedumpt"_s
        << QStringList{closeAll, u"autonav"_s} << false;
}

void tst_GatewayLink::inactivityTimeout()
{
    QFETCH(bool, dump);
    QFETCH(int, seconds);
    QFETCH(bool, statusPoll);
    QFETCH(bool, autoCloseWeb);
    QFETCH(QString, touchMainNav);
    QFETCH(QString, expectedText);
    QFETCH(QStringList, expectedCalls);
    QFETCH(bool, timerKeepsRunning);

    m_settings.DumpConnection = dump;
    m_settings.DumpConnectionTimer = seconds;
    m_settings.AutoCloseWeb = autoCloseWeb;
    m_settings.TouchMainNav = touchMainNav;
    RecordingHooks hooks;
    hooks.statusScreen = statusPoll;
    GatewayLink link(m_settings, &hooks);
    QVERIFY(connectLink(link));
    link.KeepConAlive();

    for (int tick = 0; tick < seconds; ++tick)
        link.DumpTimerTimer();
    QVERIFY(hooks.calls.isEmpty()); // not greater than the setting yet
    QCOMPARE(link.statusText(), u"Verbinding ok."_s);

    link.DumpTimerTimer();
    QCOMPARE(link.statusText(), expectedText);
    QCOMPARE(hooks.calls, expectedCalls);
    QCOMPARE(link.SSSec(), 0);
    QCOMPARE(link.isDumpTimerActive(), timerKeepsRunning);
    QCOMPARE(link.state(), dump ? GatewayLink::State::Dumped : GatewayLink::State::Connected);
    QCOMPARE(link.isOnline(), !dump);

    // In the normal mode the timeout comes again after the same time without activity.
    hooks.calls.clear();
    link.KeepConAlive();
    for (int tick = 0; tick <= seconds; ++tick)
        link.DumpTimerTimer();
    QCOMPARE(hooks.calls, expectedCalls);
}

void tst_GatewayLink::dumpedLinkSendsNothingUntilReconnected()
{
    m_settings.DumpConnection = true;
    m_settings.DumpConnectionTimer = 1;
    GatewayLink link(m_settings);
    QTcpSocket *peer = connectLink(link);
    QVERIFY(peer);
    link.KeepConAlive();
    link.DumpTimerTimer();
    link.DumpTimerTimer();
    QCOMPARE(link.state(), GatewayLink::State::Dumped);
    QTRY_COMPARE(peer->state(), QAbstractSocket::UnconnectedState);

    link.SendData(12, 0x25);           // a press afterwards: nothing reaches the bus
    QVERIFY(link.isDumpTimerActive()); // the press restarts the count
    QCOMPARE(link.state(), GatewayLink::State::Dumped);

    // A lost link in the normal mode is connected again by the timeout.
    m_settings.DumpConnection = false;
    link.DumpTimerTimer();
    link.DumpTimerTimer();
    QTRY_COMPARE(link.state(), GatewayLink::State::Connected);
}

void tst_GatewayLink::telegramDuringHandlingWaitsItsTurn()
{
    GatewayLink link(m_settings);
    QStringList events;
    QTcpSocket *peer = nullptr;
    link.setTelegramHandler([&](Telegram t) {
        events << u"begin %1"_s.arg(t.byte0);
        if (t.byte0 == 1) {
            // The handling lets pending events run while two more telegrams arrive.
            peer->write(QByteArray("\x02\x32\x03\x33", 4));
            peer->flush();
            QVERIFY(QTest::qWaitFor([&] { return link.bytesWaiting() >= 4; }));
            QCoreApplication::processEvents();
            QVERIFY(link.Receiving());
        }
        events << u"end %1"_s.arg(t.byte0);
    });
    peer = connectLink(link);
    QVERIFY(peer);
    peer->write(QByteArray("\x01\x31", 2));
    QTRY_COMPARE(events.size(), 6);
    QCOMPARE(events,
             (QStringList{u"begin 1"_s, u"end 1"_s, u"begin 2"_s, u"end 2"_s, u"begin 3"_s, u"end 3"_s}));
    QVERIFY(!link.Receiving());
}

void tst_GatewayLink::handlerMayResetTheLink()
{
    GatewayLink link(m_settings);
    Telegrams got;
    link.setTelegramHandler([&](Telegram t) {
        got.append(t);
        if (t.byte0 == 1)
            link.ResetConnection();
    });
    QTcpSocket *peer = connectLink(link);
    QVERIFY(peer);
    peer->write(QByteArray("\x01\x31\x02\x32", 4));
    QTRY_COMPARE(link.state(), GatewayLink::State::NotConnected);
    QCOMPARE(got, (Telegrams{{1, 0x31}})); // the rest went with the connection
}

QTEST_GUILESS_MAIN(tst_GatewayLink)
#include "tst_gatewaylink.moc"
