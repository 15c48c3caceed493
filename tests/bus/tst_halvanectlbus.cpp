#include <QProcess>
#include <QRegularExpression>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>

using namespace Qt::StringLiterals;

// halvanectl's bus commands, run as the installer runs them, against a gateway in this process.
class tst_HalvanectlBus : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void refusesWithoutExplicitEndpoint_data();
    void refusesWithoutExplicitEndpoint();
    void sendWritesOneTelegram_data();
    void sendWritesOneTelegram();
    void monitorPrintsBusMonitorLines();
    void monitorReportsRefusedConnect();

private:
    static QString program() { return QStringLiteral(HALVANE_BUILD_DIR "/bin/halvanectl"); }
    // The process has ended (it may have ended while the test's loop ran).
    static bool finished(QProcess &process)
    {
        return process.state() == QProcess::NotRunning || process.waitForFinished(10000);
    }
};

void tst_HalvanectlBus::refusesWithoutExplicitEndpoint_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::newRow("send without endpoint") << QStringList{u"bus"_s, u"send"_s, u"12"_s, u"0x35"_s};
    QTest::newRow("send with host only")
        << QStringList{u"bus"_s, u"send"_s, u"127.0.0.1"_s, u"12"_s, u"53"_s};
    QTest::newRow("send with port only") << QStringList{u"bus"_s, u"send"_s, u":10001"_s, u"12"_s, u"53"_s};
    QTest::newRow("send with port out of range")
        << QStringList{u"bus"_s, u"send"_s, u"127.0.0.1:70000"_s, u"12"_s, u"53"_s};
    QTest::newRow("send with byte out of range")
        << QStringList{u"bus"_s, u"send"_s, u"127.0.0.1:1"_s, u"256"_s, u"53"_s};
    QTest::newRow("send with bad hex")
        << QStringList{u"bus"_s, u"send"_s, u"127.0.0.1:1"_s, u"12"_s, u"0xg1"_s};
    QTest::newRow("monitor without endpoint") << QStringList{u"bus"_s, u"monitor"_s};
    QTest::newRow("monitor with host only") << QStringList{u"bus"_s, u"monitor"_s, u"localhost"_s};
    QTest::newRow("unknown bus command") << QStringList{u"bus"_s, u"listen"_s, u"127.0.0.1:1"_s};
}

void tst_HalvanectlBus::refusesWithoutExplicitEndpoint()
{
    QFETCH(QStringList, args);
    QProcess ctl;
    ctl.start(program(), args);
    QVERIFY(finished(ctl));
    QCOMPARE(ctl.exitCode(), 2);
    QVERIFY(ctl.readAllStandardError().contains("usage: halvanectl bus"));
}

void tst_HalvanectlBus::sendWritesOneTelegram_data()
{
    QTest::addColumn<QString>("byte0");
    QTest::addColumn<QString>("byte1");
    QTest::addColumn<QByteArray>("expected");
    QTest::newRow("decimal") << u"12"_s << u"53"_s << QByteArray("\x0c\x35", 2);
    QTest::newRow("hex") << u"0x0C"_s << u"0x35"_s << QByteArray("\x0c\x35", 2);
    QTest::newRow("extremes") << u"0"_s << u"255"_s << QByteArray("\x00\xff", 2);
}

void tst_HalvanectlBus::sendWritesOneTelegram()
{
    QFETCH(QString, byte0);
    QFETCH(QString, byte1);
    QFETCH(QByteArray, expected);

    QTcpServer gateway;
    QVERIFY(gateway.listen(QHostAddress::LocalHost, 0));
    QProcess ctl;
    ctl.start(program(), {u"bus"_s, u"send"_s, u"127.0.0.1:%1"_s.arg(gateway.serverPort()), byte0, byte1});
    QTRY_VERIFY(gateway.hasPendingConnections());
    QTcpSocket *peer = gateway.nextPendingConnection();
    QByteArray got;
    QTRY_COMPARE((got += peer->readAll()), expected);
    QVERIFY(finished(ctl));
    QCOMPARE(ctl.exitCode(), 0);
}

void tst_HalvanectlBus::monitorPrintsBusMonitorLines()
{
    QTcpServer gateway;
    QVERIFY(gateway.listen(QHostAddress::LocalHost, 0));
    QProcess ctl;
    ctl.start(program(),
              {u"bus"_s, u"monitor"_s, u"127.0.0.1:%1"_s.arg(gateway.serverPort()), u"--count"_s, u"2"_s});
    QTRY_VERIFY(gateway.hasPendingConnections());
    QTcpSocket *peer = gateway.nextPendingConnection();
    peer->write(QByteArray("\x0c\x35\x0c", 3));
    peer->flush();
    peer->write(QByteArray("\x15", 1));
    QVERIFY(peer->waitForBytesWritten(5000));
    QVERIFY(finished(ctl));
    QCOMPARE(ctl.exitCode(), 0);
    const QStringList lines = QString::fromUtf8(ctl.readAllStandardOutput()).split(u'\n', Qt::SkipEmptyParts);
    QCOMPARE(lines.size(), 2);
    QVERIFY2(QRegularExpression(u"^Set 5 12 -  \\(.+\\)$"_s).match(lines.at(0)).hasMatch(),
             qPrintable(lines.at(0)));
    QVERIFY2(QRegularExpression(u"^Reset 5 12 -  \\(.+\\)$"_s).match(lines.at(1)).hasMatch(),
             qPrintable(lines.at(1)));
}

void tst_HalvanectlBus::monitorReportsRefusedConnect()
{
    QTcpServer gateway;
    QVERIFY(gateway.listen(QHostAddress::LocalHost, 0));
    const quint16 port = gateway.serverPort();
    gateway.close();
    QProcess ctl;
    ctl.start(program(), {u"bus"_s, u"monitor"_s, u"127.0.0.1:%1"_s.arg(port)});
    QVERIFY(finished(ctl));
    QCOMPARE(ctl.exitCode(), 1);
    QVERIFY(ctl.readAllStandardError().contains("cannot connect"));
}

QTEST_GUILESS_MAIN(tst_HalvanectlBus)
#include "tst_halvanectlbus.moc"
