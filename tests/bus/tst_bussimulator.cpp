#include "app/settingsrecord.h"
#include "bus/gatewaylink.h"
#include "bussimulator.h"
#include "simprojectreader.h"
#include "simserver.h"

#include <QProcess>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

using Telegrams = QList<Telegram>;

class tst_BusSimulator : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void answers_data();
    void answers();
    void readsProjectFolder();
    void badProjectFileIsAnError();
    void clientsShareTheBus();
    void floodSendsReports();
    void simulatorProcessAnswersStatusAndToggle_data();
    void simulatorProcessAnswersStatusAndToggle();

private:
    SimProject m_project;
};

void tst_BusSimulator::initTestCase()
{
    QString error;
    const auto project = SimProjectReader::read(QStringLiteral(HALVANE_BUS_TEST_DATA "/sim-project"), &error);
    QVERIFY2(project, qPrintable(error));
    m_project = *project;
}

void tst_BusSimulator::answers_data()
{
    QTest::addColumn<Telegrams>("input");
    QTest::addColumn<Telegrams>("expected");

    // The fixture project: Keuken (12, group 5), Woonkamer (7, 2), thermostat (40, 1), RGB module
    // (50, 0), clock module RTC_82 (60, 2) whose switch 1 lives at register 10 and is set to 6:30,
    // Monday to Friday, enabled, pulse.
    QTest::newRow("status of an ordinary member that is off")
        << Telegrams{{12, 0x55}} << Telegrams{{12, 0x15}};
    QTest::newRow("set, then status")
        << Telegrams{{12, 0x35}, {12, 0x55}} << Telegrams{{12, 0x35}, {12, 0x35}};
    QTest::newRow("toggle twice reports each state")
        << Telegrams{{12, 0x25}, {12, 0x25}} << Telegrams{{12, 0x35}, {12, 0x15}};
    QTest::newRow("reset reports off") << Telegrams{{7, 0x32}, {7, 0x12}} << Telegrams{{7, 0x32}, {7, 0x12}};
    QTest::newRow("nobody at the point stays silent")
        << Telegrams{{99, 0x55}, {12, 0x54}, {99, 0x25}} << Telegrams{};
    QTest::newRow("thermostat status: value, settings, system")
        << Telegrams{{40, 0x51}} << Telegrams{{41, 0x70}, {42, 0xC1}, {40, 0xB1}};
    QTest::newRow("heating question answers system group 15")
        << Telegrams{{26, 0xE0}, {40, 0xD1}} << Telegrams{{17, 0xBF}};
    QTest::newRow("choosing comfort 3 reports it")
        << Telegrams{{13, 0xE0}, {40, 0xD1}} << Telegrams{{41, 0x70}, {36, 0xC3}, {40, 0xB1}};
    QTest::newRow("manual set-point is manual in the next status")
        << Telegrams{{43, 0x70}, {43, 0xC0}, {40, 0xB1}, {40, 0x51}}
        << Telegrams{{41, 0x70}, {43, 0xC0}, {40, 0xB1}};
    QTest::newRow("stored comfort becomes active when chosen")
        << Telegrams{{38, 0x72}, {38, 0xC2}, {40, 0xB1}, {12, 0xE0}, {40, 0xD1}}
        << Telegrams{{41, 0x70}, {38, 0xC2}, {40, 0xB1}};
    QTest::newRow("select without data does nothing") << Telegrams{{40, 0xD1}} << Telegrams{};
    QTest::newRow("colour question after a faded colour")
        << Telegrams{{255, 0xE1}, {50, 0x60}, {128, 0xE2}, {50, 0x60}, {0, 0xE3},
                     {50, 0x60},  {10, 0xE4}, {50, 0x60},  {3, 0xE0},  {50, 0xD0}}
        << Telegrams{{255, 0x71}, {128, 0x72}, {0, 0x73}, {10, 0x74}, {50, 0xB0}};
    QTest::newRow("direct colour, loop, then reset")
        << Telegrams{{9, 0xEB},  {50, 0x60}, {8, 0xEC}, {50, 0x60}, {7, 0xE5},
                     {50, 0x60}, {50, 0x10}, {3, 0xE0}, {50, 0xD0}}
        << Telegrams{{0, 0x71}, {0, 0x72}, {0, 0x73}, {0, 0x74}, {50, 0xB0}};
    QTest::newRow("read-out of switch 1 from the project")
        << Telegrams{{18, 0xE0}, {60, 0xD2}}
        << Telegrams{{0, 0x90},  {10, 0x91}, {0, 0x92},  {10, 0x93},  {0, 0x90},  {11, 0x91}, {0, 0x92},
                     {11, 0x93}, {30, 0x90}, {12, 0x91}, {198, 0x92}, {12, 0x93}, {8, 0x90},  {13, 0x91},
                     {0, 0x92},  {13, 0x93}, {0, 0x90},  {14, 0x91},  {0, 0x92}};
    // The data pairs of a programme are taken as data whatever they look like (7 + 64 = 0x47 is
    // a Misc telegram, 0x03 a Null one).
    QTest::newRow("programmed switch reads back")
        << Telegrams{{60, 0xF2}, {5, 0x47}, {12, 0}, {60, 0xF2}, {9, 3},    {13, 0},
                     {60, 0xF2}, {4, 0},    {14, 0}, {18, 0xE0}, {60, 0xD2}}
        << Telegrams{{0, 0x90},  {10, 0x91}, {0, 0x92},  {10, 0x93},   {0, 0x90},  {11, 0x91}, {0, 0x92},
                     {11, 0x93}, {5, 0x90},  {12, 0x91}, {0x47, 0x92}, {12, 0x93}, {9, 0x90},  {13, 0x91},
                     {3, 0x92},  {13, 0x93}, {4, 0x90},  {14, 0x91},   {0, 0x92}};
    QTest::newRow("broken programme sequence: the telegram counts as itself")
        << Telegrams{{60, 0xF2}, {1, 2}, {12, 0x55}} << Telegrams{{12, 0x15}};
}

void tst_BusSimulator::answers()
{
    QFETCH(Telegrams, input);
    QFETCH(Telegrams, expected);

    BusSimulator bus(m_project);
    Telegrams got;
    for (const Telegram &telegram : input)
        got += bus.receive(1, telegram);
    QCOMPARE(got, expected);
}

void tst_BusSimulator::readsProjectFolder()
{
    QCOMPARE(m_project.members.size(), 6); // both member lists
    QCOMPARE(m_project.members.at(0).name, u"Keuken"_s);
    QCOMPARE(m_project.members.at(4).kind(), SimMember::Kind::Rgb); // "dmx_2": case does not matter
    QCOMPARE(m_project.clockRows.size(), 2);

    // A folder without the files is an empty bus, not an error.
    QTemporaryDir empty;
    QString error;
    const auto none = SimProjectReader::read(empty.path(), &error);
    QVERIFY(none);
    QVERIFY(none->members.isEmpty());
    QVERIFY(!SimProjectReader::read(empty.filePath(u"missing"_s), &error));
}

void tst_BusSimulator::badProjectFileIsAnError()
{
    QTemporaryDir dir;
    QFile file(dir.filePath(u"Members.xml"_s));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("<DATAPACKET><ROWDATA><ROW MemberID=\"x\"");
    file.close();
    QString error;
    QVERIFY(!SimProjectReader::read(dir.path(), &error));
    QVERIFY(error.contains(u"Members.xml"_s));
}

void tst_BusSimulator::clientsShareTheBus()
{
    BusSimulator bus(m_project);
    SimServer server(bus, {});
    QVERIFY(server.listen(0));
    QTcpSocket a;
    QTcpSocket b;
    a.connectToHost(QHostAddress::LocalHost, server.port());
    b.connectToHost(QHostAddress::LocalHost, server.port());
    QVERIFY(a.waitForConnected(5000) && b.waitForConnected(5000));
    QTRY_COMPARE(server.clientCount(), 2);

    a.write(QByteArray("\x0c\x25", 2)); // A toggles Keuken
    QByteArray atA;
    QByteArray atB;
    QTRY_VERIFY((atA += a.readAll()).size() >= 2 && (atB += b.readAll()).size() >= 4);
    QCOMPARE(atA, QByteArray("\x0c\x35", 2));         // the report
    QCOMPARE(atB, QByteArray("\x0c\x25\x0c\x35", 4)); // A's telegram on the bus, then the report
}

void tst_BusSimulator::floodSendsReports()
{
    BusSimulator bus(m_project);
    SimServer::Options options;
    options.floodRate = 2000;
    SimServer server(bus, options);
    QVERIFY(server.listen(0));
    QTcpSocket client;
    client.connectToHost(QHostAddress::LocalHost, server.port());
    QVERIFY(client.waitForConnected(5000));
    QByteArray got;
    QTRY_VERIFY((got += client.readAll()).size() >= 40);
    for (const Telegram &t : TelegramPairing::pair(got.left(40)))
        QVERIFY(t.function() == FunctionCode::Set || t.function() == FunctionCode::Reset);
}

void tst_BusSimulator::simulatorProcessAnswersStatusAndToggle_data()
{
    QTest::addColumn<QStringList>("options");
    QTest::newRow("plain") << QStringList{};
    QTest::newRow("split writes with latency") << QStringList{u"--split"_s, u"--latency"_s, u"5"_s};
}

void tst_BusSimulator::simulatorProcessAnswersStatusAndToggle()
{
    QFETCH(QStringList, options);

    QTemporaryDir dir;
    const QString logFile = dir.filePath(u"bus.log"_s);
    QProcess sim;
    sim.setProgram(QStringLiteral(HALVANE_BUILD_DIR "/bin/halvane-bus-sim"));
    sim.setArguments(QStringList{u"--port"_s, u"0"_s, u"--project"_s,
                                 QStringLiteral(HALVANE_BUS_TEST_DATA "/sim-project"), u"--max-seconds"_s,
                                 u"30"_s, u"--log"_s, logFile} +
                     options);
    sim.start();
    QVERIFY(sim.waitForStarted());
    QVERIFY(QTest::qWaitFor([&] { return sim.canReadLine(); }, 10000));
    bool ok = false;
    const int port = sim.readLine().trimmed().toInt(&ok);
    QVERIFY(ok && port > 0);

    SettingsRecord settings;
    settings.LanHost = u"127.0.0.1"_s;
    settings.LanPort = port;
    GatewayLink link(settings);
    Telegrams got;
    link.setTelegramHandler([&](Telegram t) { got.append(t); });
    link.SetConnection();
    QTRY_COMPARE(link.statusText(), u"Verbinding ok."_s);

    link.SendData(12, 0x55); // Status of Keuken
    QTRY_COMPARE(got, (Telegrams{{12, 0x15}}));
    link.SendData(12, 0x25); // Toggle
    QTRY_COMPARE(got, (Telegrams{{12, 0x15}, {12, 0x35}}));
    link.SendData(12, 0x55);
    QTRY_COMPARE(got, (Telegrams{{12, 0x15}, {12, 0x35}, {12, 0x35}}));

    link.ResetConnection();
    sim.kill(); // our own child, by its handle
    QVERIFY(sim.waitForFinished(5000));
    QFile log(logFile);
    QVERIFY(log.open(QIODevice::ReadOnly));
    const QByteArray text = log.readAll();
    QVERIFY(text.contains("in  client 1: Toggle 5 12 [0c 25]"));
    QVERIFY(text.contains("out client 1: Set 5 12 [0c 35]"));
}

QTEST_GUILESS_MAIN(tst_BusSimulator)
#include "tst_bussimulator.moc"
