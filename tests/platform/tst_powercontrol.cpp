#include "platform/linuxpowercontrol.h"

#include <QTest>

using namespace Qt::StringLiterals;

// Which request the Linux power control makes, through callers that only record; the real
// logind and systemctl are never reached from a test.
class tst_PowerControl : public QObject
{
    Q_OBJECT

private slots:
    void request_data();
    void request();
    void setPrivilegeHasNothingToDo();
};

void tst_PowerControl::request_data()
{
    QTest::addColumn<bool>("restart");
    QTest::addColumn<bool>("haveLogind"); // false: no logind caller at all
    QTest::addColumn<bool>("logindAccepts");
    QTest::addColumn<bool>("commandSucceeds");
    QTest::addColumn<QStringList>("requests");
    QTest::addColumn<bool>("expected");

    QTest::newRow("power-off through logind")
        << false << true << true << true << QStringList{u"logind PowerOff"_s} << true;
    QTest::newRow("restart through logind")
        << true << true << true << true << QStringList{u"logind Reboot"_s} << true;
    QTest::newRow("power-off, logind refuses, systemctl")
        << false << true << false << true << QStringList{u"logind PowerOff"_s, u"systemctl poweroff"_s}
        << true;
    QTest::newRow("restart, logind refuses, systemctl")
        << true << true << false << true << QStringList{u"logind Reboot"_s, u"systemctl reboot"_s} << true;
    QTest::newRow("power-off without logind")
        << false << false << false << true << QStringList{u"systemctl poweroff"_s} << true;
    QTest::newRow("everything refuses")
        << false << true << false << false << QStringList{u"logind PowerOff"_s, u"systemctl poweroff"_s}
        << false;
}

void tst_PowerControl::request()
{
    QFETCH(bool, restart);
    QFETCH(bool, haveLogind);
    QFETCH(bool, logindAccepts);
    QFETCH(bool, commandSucceeds);
    QFETCH(QStringList, requests);
    QFETCH(bool, expected);

    QStringList made;
    LinuxPowerControl::LogindCaller logind;
    if (haveLogind) {
        logind = [&](const QString &method) {
            made.append("logind "_L1 + method);
            return logindAccepts;
        };
    }
    LinuxPowerControl power(logind, [&](const QString &program, const QStringList &arguments) {
        made.append((QStringList{program} + arguments).join(u' '));
        return commandSucceeds;
    });
    QCOMPARE(restart ? power.forcedRestart() : power.forcedShutdown(), expected);
    QCOMPARE(made, requests);
}

void tst_PowerControl::setPrivilegeHasNothingToDo()
{
    int requests = 0;
    LinuxPowerControl power([&](const QString &) { return bool(++requests); },
                            [&](const QString &, const QStringList &) { return bool(++requests); });
    QVERIFY(power.SetPrivilege(u"SeShutdownPrivilege"_s, true));
    QVERIFY(power.SetPrivilege(u"SeShutdownPrivilege"_s, false));
    QCOMPARE(requests, 0);
}

QTEST_GUILESS_MAIN(tst_PowerControl)
#include "tst_powercontrol.moc"
