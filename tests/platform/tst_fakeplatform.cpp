#include "platform/fakeplatform.h"
#include "platform/linuxplatform.h"

#include <QTest>

using namespace Qt::StringLiterals;

// The doubles other tests rely on: every call reaches the double through the services bundle,
// is recorded in order, and answers as the test told it to.
class tst_FakePlatform : public QObject
{
    Q_OBJECT

private slots:
    void shellOpenerRecords_data();
    void shellOpenerRecords();
    void processesFromList_data();
    void processesFromList();
    void powerRecords();
    void linuxSetHoldsLinuxServices();
};

using ShowMode = ShellOpener::ShowMode;

void tst_FakePlatform::shellOpenerRecords_data()
{
    QTest::addColumn<bool>("failing");
    QTest::newRow("succeeding") << false;
    QTest::newRow("failing") << true;
}

void tst_FakePlatform::shellOpenerRecords()
{
    QFETCH(bool, failing);

    FakePlatform fakes;
    fakes.shell.setFailing(failing);
    PlatformServices services = fakes.services();
    QCOMPARE(services.shell.open(u"https://www.halvane.example/"_s, ShowMode::Maximized), !failing);
    QCOMPARE(
        services.shell.open(u"C:\\Program Files (x86)\\Siedle\\BSHT 650-0\\bsht.exe"_s, ShowMode::Normal),
        !failing);
    const QList<FakeShellOpener::Call> expected = {
        {u"https://www.halvane.example/"_s, ShowMode::Maximized},
        {u"C:\\Program Files (x86)\\Siedle\\BSHT 650-0\\bsht.exe"_s, ShowMode::Normal}};
    QCOMPARE(fakes.shell.calls(), expected);
}

void tst_FakePlatform::processesFromList_data()
{
    QTest::addColumn<QStringList>("running");
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("exists");
    QTest::addColumn<int>("killed");
    QTest::addColumn<QStringList>("left");

    QTest::newRow("none running") << QStringList() << u"bsht.exe"_s << false << 0 << QStringList();
    QTest::newRow("two of one name, other case") << QStringList{u"/opt/BSHT.exe"_s, u"bash"_s, u"bsht.exe"_s}
                                                 << u"Bsht.Exe"_s << true << 2 << QStringList{u"bash"_s};
    QTest::newRow("other program only")
        << QStringList{u"bash"_s} << u"bsht.exe"_s << false << 0 << QStringList{u"bash"_s};
}

void tst_FakePlatform::processesFromList()
{
    QFETCH(QStringList, running);
    QFETCH(QString, name);
    QFETCH(bool, exists);
    QFETCH(int, killed);
    QFETCH(QStringList, left);

    FakePlatform fakes;
    fakes.processes.setRunning(running);
    PlatformServices services = fakes.services();
    QCOMPARE(services.processes.ProcessExists(name), exists);
    QCOMPARE(services.processes.KillProcess(name), killed);
    QCOMPARE(fakes.processes.running(), left);
    using Op = FakeProcessControl::Operation;
    const QList<FakeProcessControl::Call> expected = {{Op::Exists, name}, {Op::Kill, name}};
    QCOMPARE(fakes.processes.calls(), expected);
}

void tst_FakePlatform::powerRecords()
{
    FakePlatform fakes;
    PlatformServices services = fakes.services();
    QVERIFY(services.power.SetPrivilege(u"SeShutdownPrivilege"_s, true));
    QVERIFY(services.power.forcedShutdown());
    fakes.power.setFailing(true);
    QVERIFY(!services.power.forcedRestart());

    using Op = FakePowerControl::Operation;
    const QList<FakePowerControl::Call> expected = {{Op::SetPrivilege, u"SeShutdownPrivilege"_s, true},
                                                    {Op::Shutdown, {}, false},
                                                    {Op::Restart, {}, false}};
    QCOMPARE(fakes.power.calls(), expected);
}

// The panel's set must hand out the real services, not doubles. Only SetPrivilege is called: on
// Linux it touches nothing.
void tst_FakePlatform::linuxSetHoldsLinuxServices()
{
    LinuxPlatform platform;
    PlatformServices services = platform.services();
    QVERIFY(dynamic_cast<LinuxShellOpener *>(&services.shell));
    QVERIFY(dynamic_cast<LinuxProcessControl *>(&services.processes));
    QVERIFY(dynamic_cast<LinuxPowerControl *>(&services.power));
    QVERIFY(services.power.SetPrivilege(u"SeShutdownPrivilege"_s, true));
}

QTEST_GUILESS_MAIN(tst_FakePlatform)
#include "tst_fakeplatform.moc"
