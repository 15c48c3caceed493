// The panel against the bus simulator on loopback, with a copy of the demo project: the start-up
// poll in table order, the members' replies on the buttons, a reaction's web page, and the
// button states in the project files after the panel ends (in-process close and SIGTERM of the
// real program).
#include "mainscreenfixture.h"

#include "app/mainarea.h"
#include "app/webviewstub.h"
#include "touch/iconset.h"
#include "touch/touchcolors.h"

#include <QFile>
#include <QProcess>
#include <QRegularExpression>

#include <csignal>

using namespace Qt::StringLiterals;
using namespace MainScreenFixture;

namespace {

struct LogLine
{
    bool in; // from a client to the bus
    int client;
    Telegram telegram;
};

// The simulator, started as a process of its own on a free loopback port.
class Simulator
{
public:
    explicit Simulator(const QString &project, const QString &logFile) : m_logFile(logFile)
    {
        m_process.setProgram(QStringLiteral(HALVANE_BUILD_DIR "/bin/halvane-bus-sim"));
        m_process.setArguments({u"--port"_s, u"0"_s, u"--project"_s, project, u"--max-seconds"_s, u"120"_s,
                                u"--log"_s, logFile});
        m_process.start();
        if (!m_process.waitForStarted(10000))
            return;
        if (!QTest::qWaitFor([this] { return m_process.canReadLine(); }, 10000))
            return;
        m_port = m_process.readLine().trimmed().toInt();
    }
    ~Simulator()
    {
        if (m_process.state() != QProcess::NotRunning) {
            m_process.kill(); // our own child, by its handle
            m_process.waitForFinished(5000);
        }
    }
    int port() const { return m_port; }

    QList<LogLine> log() const
    {
        static const QRegularExpression re(
            u"^\\S+ (in |out) client (\\d+): .*\\[([0-9a-f]{2}) ([0-9a-f]{2})\\]$"_s);
        QFile f(m_logFile);
        QList<LogLine> lines;
        if (!f.open(QIODevice::ReadOnly | QIODevice::Text))
            return lines;
        while (!f.atEnd()) {
            const auto m = re.match(QString::fromUtf8(f.readLine()).trimmed());
            if (m.hasMatch())
                lines.append({m.captured(1) == u"in "_s, m.captured(2).toInt(),
                              Telegram{quint8(m.captured(3).toUInt(nullptr, 16)),
                                       quint8(m.captured(4).toUInt(nullptr, 16))}});
        }
        return lines;
    }

    // The Status telegrams the clients sent, in order.
    QList<Telegram> statusAsked() const
    {
        QList<Telegram> asked;
        for (const LogLine &l : log())
            if (l.in && (l.telegram.byte1 & 0xF0) == 0x50)
                asked.append(l.telegram);
        return asked;
    }

private:
    QProcess m_process;
    QString m_logFile;
    int m_port = 0;
};

// A second client of the simulator: a switch somewhere else in the house.
class OtherClient
{
public:
    explicit OtherClient(int port) { m_socket.connectToHost(QHostAddress::LocalHost, quint16(port)); }
    bool connected() { return m_socket.waitForConnected(5000); }
    // Sends a telegram and waits for the bus's report back.
    bool send(Telegram t)
    {
        const qint64 before = m_received.size();
        const char b[2] = {char(t.byte0), char(t.byte1)};
        m_socket.write(b, 2);
        return QTest::qWaitFor(
            [&] {
                m_received += m_socket.readAll();
                return m_received.size() >= before + 2;
            },
            5000);
    }

private:
    QTcpSocket m_socket;
    QByteArray m_received;
};

// The Status telegrams of the demo's buttons: the speed buttons in table order, then the
// communication buttons from left to right.
const QList<Telegram> kDemoPoll = {
    {10, 0x50}, {10, 0x54}, {10, 0x53}, {30, 0x50}, {30, 0x51}, {12, 0x50}, {12, 0x55}, {10, 0x50}, // speed
    {70, 0x52}, {0, 0x50},  {0, 0x50},  {70, 0x51}, {12, 0x57},                                     // comm
};

constexpr Telegram kSetGaragepoort{12, 0x35}; // M22: SpdPoort
constexpr Telegram kSetKeuken{10, 0x34};      // M05: SpdKeuken
constexpr Telegram kSetDeurbel{70, 0x31};     // M42: ComDeurbel, with a reaction
constexpr Telegram kSetOprit{70, 0x32};       // M43: ComCamera, with a reaction

QString rowActive(const QString &file, const QString &name)
{
    QFile f(file);
    if (!f.open(QIODevice::ReadOnly))
        return u"unreadable"_s;
    const QString text = QString::fromUtf8(f.readAll());
    const QRegularExpression re(u"<ROW Name=\"%1\"[^>]* Active=\"(\\w+)\""_s.arg(name));
    const auto m = re.match(text);
    return m.hasMatch() ? m.captured(1) : u"no row"_s;
}

} // namespace

class tst_MainScreenE2E : public QObject
{
    Q_OBJECT

private slots:
    void pollRepliesReactionAndClose();
    void sigtermKeepsTheStates();
};

void tst_MainScreenE2E::pollRepliesReactionAndClose()
{
    // The poll's ticks are an hour apart: the test runs each tick itself.
    Panel p({{u"Sett"_s, u"StatTimer"_s, u"3600000"_s}});
    Simulator sim(p.project, p.home.filePath(u"bus.log"_s));
    QVERIFY(sim.port() > 0);
    IniFile(p.home.filePath(u"kvx.ini"_s)).writeString(u"MTCom"_s, u"LanPort"_s, QString::number(sim.port()));

    // Members switched on before the panel starts.
    OtherClient other(sim.port());
    QVERIFY(other.connected());
    QVERIFY(other.send(kSetGaragepoort));
    QVERIFY(other.send(kSetKeuken));
    QVERIFY(other.send(kSetDeurbel));

    QVERIFY(p.start());
    QVERIFY(p.screen->AskingStatusScreen());
    QTRY_VERIFY_WITH_TIMEOUT(p.screen->connectionStatusLabel()->text() == u"Verbinding ok."_s, 5000);

    StatusPoller &poller = p.screen->statusPoller();
    for (qsizetype tick = 1; tick <= kDemoPoll.size(); ++tick) {
        QVERIFY2(p.screen->AskingStatusScreen(), qPrintable(u"poll ended before tick %1"_s.arg(tick)));
        if (poller.isStatusTimerActive())
            poller.StatusTimerTimer();
        else
            poller.StatusTimer1Timer();
        // One Status telegram per tick, in table order.
        QTRY_COMPARE_WITH_TIMEOUT(sim.statusAsked(), kDemoPoll.first(tick), 5000);
    }
    QVERIFY(!p.screen->AskingStatusScreen());

    // The replies turn exactly the switched-on members' buttons on.
    const auto isOn = [&](const QString &name) {
        DataView &speed = p.data->cdsMTSpeedBut;
        speed.clearFilter();
        speed.locate(u"Name"_s, name);
        const int dim = speed.fieldInt(u"Dim");
        const QImage shown = p.speedButton(name)->picture().pixmap(QSize(32, 32)).toImage();
        return shown == p.screen->iconSet().on().icon(dim).pixmap(QSize(32, 32)).toImage();
    };
    QTRY_VERIFY(isOn(u"SpdPoort"_s));
    QVERIFY(isOn(u"SpdKeuken"_s));
    for (const QString &off : {u"SpdLiving"_s, u"SpdEten"_s, u"SpdTuin"_s, u"SpdAllesUit"_s})
        QVERIFY2(!isOn(off), qPrintable(off));
    const QColor red = toQColor(ColorCodec::clRed);
    QTRY_COMPARE(p.commButton(u"ComDeurbel"_s)->bevelColor(), red);
    QVERIFY(p.commButton(u"ComCamera"_s)->bevelColor() != red);

    // A Set of a reaction's member, after the poll: its page opens in the web view.
    QVERIFY(other.send(kSetOprit));
    QTRY_VERIFY(qobject_cast<WebViewStub *>(p.screen->mainArea()->webView()));
    auto *view = qobject_cast<WebViewStub *>(p.screen->mainArea()->webView());
    QTRY_COMPARE(view->currentUrl(), QUrl(u"http://127.0.0.1/camera/oprit.html"_s));
    QVERIFY(p.screen->mainArea()->isShowingWebPage());
    QCOMPARE(p.kvx(u"MTSS"_s, u"MainUrl"_s), u"http://127.0.0.1/camera/oprit.html"_s);
    QTRY_COMPARE(p.commButton(u"ComCamera"_s)->bevelColor(), red);

    // The close saves the last states.
    p.screen->close();
    QVERIFY(p.screen->isClosed());
    QCOMPARE(rowActive(p.project + u"/MTSpeedBut.xml"_s, u"SpdPoort"_s), u"TRUE"_s);
    QCOMPARE(rowActive(p.project + u"/MTSpeedBut.xml"_s, u"SpdKeuken"_s), u"TRUE"_s);
    QCOMPARE(rowActive(p.project + u"/MTSpeedBut.xml"_s, u"SpdLiving"_s), u"FALSE"_s);
    QCOMPARE(rowActive(p.project + u"/MTCommBut.xml"_s, u"ComDeurbel"_s), u"TRUE"_s);
    QCOMPARE(rowActive(p.project + u"/MTCommBut.xml"_s, u"ComCamera"_s), u"TRUE"_s);
    QCOMPARE(rowActive(p.project + u"/MTCommBut.xml"_s, u"ComWeer"_s), u"FALSE"_s);
}

void tst_MainScreenE2E::sigtermKeepsTheStates()
{
    QTemporaryDir home;
    const QString project = home.filePath(u"project"_s);
    copyFolder(demoProject(), project);
    Simulator sim(project, home.filePath(u"bus.log"_s));
    QVERIFY(sim.port() > 0);
    IniFile kvx(home.filePath(u"kvx.ini"_s));
    kvx.writeString(u"MTPath"_s, u"ProjDir"_s, project + u'/');
    kvx.writeString(u"MTCom"_s, u"LanHost"_s, u"127.0.0.1"_s);
    kvx.writeString(u"MTCom"_s, u"LanPort"_s, QString::number(sim.port()));
    kvx.writeString(u"Sett"_s, u"StartDelay"_s, u"0"_s);
    kvx.writeString(u"Sett"_s, u"StatTimer"_s, u"10"_s);
    kvx.writeString(u"MTSS"_s, u"MainUrl"_s, u"http://127.0.0.1/start/"_s);
    // A followed thermostat: the end of the poll shows in the bus log as its Status telegram.
    kvx.writeString(u"TSM"_s, u"FollowingAd"_s, u"50"_s);
    kvx.writeString(u"TSM"_s, u"FollowingGr"_s, u"1"_s);

    OtherClient other(sim.port());
    QVERIFY(other.connected());
    QVERIFY(other.send(kSetGaragepoort));

    QProcess panel;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(u"HALVANE_HOME"_s, home.path());
    env.insert(u"HALVANE_LOCK_DIR"_s, home.path());
    env.insert(u"QT_QPA_PLATFORM"_s, u"offscreen"_s);
    env.insert(u"HALVANE_WEBVIEW"_s, u"stub"_s);
    panel.setProcessEnvironment(env);
    panel.setProcessChannelMode(QProcess::MergedChannels);
    panel.start(QStringLiteral(HALVANE_BUILD_DIR "/bin/halvane"), {});
    QVERIFY(panel.waitForStarted(10000));

    // The whole poll, then the followed thermostat.
    const QList<Telegram> wholePoll = kDemoPoll + QList<Telegram>{{50, 0x51}};
    QTRY_COMPARE_WITH_TIMEOUT(sim.statusAsked(), wholePoll, 20000);
    // A reaction after the poll: its address stored as MainUrl shows that the panel has handled
    // everything the bus sent before it.
    QVERIFY(other.send(kSetDeurbel));
    QTRY_COMPARE_WITH_TIMEOUT(IniFile(home.filePath(u"kvx.ini"_s)).readString(u"MTSS"_s, u"MainUrl"_s, {}),
                              u"http://127.0.0.1/deurbel/camera.html"_s, 10000);

    ::kill(panel.processId(), SIGTERM);
    QVERIFY(panel.waitForFinished(20000));
    QCOMPARE(panel.exitStatus(), QProcess::NormalExit);
    QCOMPARE(panel.exitCode(), 0);
    QCOMPARE(rowActive(project + u"/MTSpeedBut.xml"_s, u"SpdPoort"_s), u"TRUE"_s);
    QCOMPARE(rowActive(project + u"/MTSpeedBut.xml"_s, u"SpdLiving"_s), u"FALSE"_s);
    QCOMPARE(rowActive(project + u"/MTCommBut.xml"_s, u"ComDeurbel"_s), u"TRUE"_s);
    QCOMPARE(rowActive(project + u"/MTCommBut.xml"_s, u"ComCamera"_s), u"FALSE"_s);
}

QTEST_MAIN(tst_MainScreenE2E)
#include "tst_mainscreene2e.moc"
