#include "platform/linuxprocesscontrol.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

// Lookup and termination against the live /proc (a child process of the test's own, under a
// unique name) and against a small /proc tree built by the test, where nothing real is signalled.
class tst_ProcessControl : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();

    void liveLookup_data();
    void liveLookup();
    void liveKillEndsChild();

    void procTree_data();
    void procTree();
    void killCountsDeliveredSignalsOnly();

private:
    QTemporaryDir m_dir;
    QString m_childPath; // e.g. /tmp/xyz/HvDoorSim_1234_ab12
    QProcess m_child;
};

void tst_ProcessControl::initTestCase()
{
    QVERIFY(m_dir.isValid());
    const QString sleep = QStandardPaths::findExecutable(u"sleep"_s);
    if (sleep.isEmpty())
        QSKIP("no sleep program to copy");
    // Mixed case and unique, so that no other process on the machine carries this name.
    const QString unique = QString::number(QCoreApplication::applicationPid()) + u'_' +
                           QString::number(QRandomGenerator::global()->generate(), 16);
    m_childPath = m_dir.filePath("HvDoorSim_"_L1 + unique);
    QVERIFY(QFile::copy(sleep, m_childPath));
    QVERIFY(QFile::setPermissions(m_childPath, QFileDevice::ReadOwner | QFileDevice::ExeOwner));

    m_child.start(m_childPath, {u"30"_s}); // ends by itself should the test stop early
    QVERIFY(m_child.waitForStarted(5000));
    LinuxProcessControl processes;
    const QString name = QFileInfo(m_childPath).fileName();
    QTRY_VERIFY_WITH_TIMEOUT(processes.ProcessExists(name), 5000);
}

void tst_ProcessControl::cleanupTestCase()
{
    if (m_child.state() != QProcess::NotRunning) {
        m_child.kill();
        m_child.waitForFinished(5000);
    }
}

void tst_ProcessControl::liveLookup_data()
{
    QTest::addColumn<QString>("how");
    QTest::addColumn<bool>("expected");

    QTest::newRow("file name as is") << u"name"_s << true;
    QTest::newRow("file name in upper case") << u"NAME"_s << true;
    QTest::newRow("file name in lower case") << u"name-lower"_s << true;
    QTest::newRow("full path") << u"path"_s << true;
    QTest::newRow("full path in upper case") << u"PATH"_s << true;
    QTest::newRow("file name without its last letter") << u"prefix"_s << false;
    QTest::newRow("folder of the executable") << u"folder"_s << false;
    QTest::newRow("empty name") << QString() << false;
}

void tst_ProcessControl::liveLookup()
{
    QFETCH(QString, how);
    QFETCH(bool, expected);

    const QString fileName = QFileInfo(m_childPath).fileName();
    QString name;
    if (how == "name"_L1)
        name = fileName;
    else if (how == "NAME"_L1)
        name = fileName.toUpper();
    else if (how == "name-lower"_L1)
        name = fileName.toLower();
    else if (how == "path"_L1)
        name = m_childPath;
    else if (how == "PATH"_L1)
        name = m_childPath.toUpper();
    else if (how == "prefix"_L1)
        name = fileName.chopped(1);
    else if (how == "folder"_L1)
        name = m_dir.path();

    QCOMPARE(LinuxProcessControl().ProcessExists(name), expected);
}

void tst_ProcessControl::liveKillEndsChild()
{
    LinuxProcessControl processes;
    const QString name = QFileInfo(m_childPath).fileName().toLower();
    QCOMPARE(processes.KillProcess(name), 1);
    QTRY_COMPARE_WITH_TIMEOUT(m_child.state(), QProcess::NotRunning, 5000);
    QCOMPARE(m_child.exitStatus(), QProcess::CrashExit); // killed, not asked to close
    QVERIFY(!processes.ProcessExists(name));
    QCOMPARE(processes.KillProcess(name), 0);
}

// One process folder of a pretend /proc, and a name to look for.
void tst_ProcessControl::procTree_data()
{
    QTest::addColumn<QString>("pid"); // "own" = this test's process id
    QTest::addColumn<QString>("exe"); // link target; empty: the link cannot be read
    QTest::addColumn<QByteArray>("cmdline");
    QTest::addColumn<QByteArray>("comm");
    QTest::addColumn<QByteArray>("stat"); // after "PID "
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("exists");
    QTest::addColumn<bool>("killed");

    const QByteArray running = "(bsht.exe) S 1 1 1 0 -1 4194304 0 0"_ba;
    const QByteArray cmd = "/opt/door/BSHT.exe\0--station\0"_ba;

    QTest::newRow("exe file name in other case")
        << u"100"_s << u"/opt/door/BSHT.exe"_s << cmd << "bsht.exe\n"_ba << running << u"bsht.EXE"_s << true
        << true;
    QTest::newRow("exe full path in other case")
        << u"100"_s << u"/opt/door/BSHT.exe"_s << cmd << "bsht.exe\n"_ba << running << u"/OPT/DOOR/bsht.exe"_s
        << true << true;
    QTest::newRow("exe replaced on disk") << u"100"_s << u"/opt/door/BSHT.exe (deleted)"_s << cmd
                                          << "bsht.exe\n"_ba << running << u"bsht.exe"_s << true << true;
    QTest::newRow("exe of an interpreter, script named in cmdline")
        << u"100"_s << u"/usr/bin/python3"_s << "/opt/door/bsht.exe\0"_ba
        << "bsht.exe\n"_ba << running << u"bsht.exe"_s << false << false;
    QTest::newRow("exe unreadable, cmdline full path")
        << u"100"_s << QString() << cmd << "bsht.exe\n"_ba << running << u"bsht.exe"_s << true << true;
    QTest::newRow("exe unreadable, cmdline bare name")
        << u"100"_s << QString() << "Bsht.exe\0-x\0"_ba
        << "x\n"_ba << running << u"BSHT.EXE"_s << true << true;
    QTest::newRow("exe unreadable, cmdline empty, comm")
        << u"100"_s << QString() << QByteArray() << "bsht.exe\n"_ba << running << u"bsht.exe"_s << true
        << true;
    QTest::newRow("name is only a prefix") << u"100"_s << u"/opt/door/bsht.exe"_s << cmd << "bsht.exe\n"_ba
                                           << running << u"bsht"_s << false << false;
    QTest::newRow("empty name") << u"100"_s << u"/opt/door/bsht.exe"_s << cmd << "bsht.exe\n"_ba << running
                                << QString() << false << false;
    QTest::newRow("zombie") << u"100"_s << QString() << QByteArray() << "bsht.exe\n"_ba
                            << "(bsht.exe) Z 1 1 1 0 -1 4194308 0 0"_ba << u"bsht.exe"_s << false << false;
    QTest::newRow("kernel thread") << u"100"_s << QString() << QByteArray() << "kdoor\n"_ba
                                   << "(kdoor) I 2 0 0 0 -1 69238880 0 0"_ba << u"kdoor"_s << false << false;
    QTest::newRow("command name that looks like a zombie")
        << u"100"_s << QString() << QByteArray() << "x) Z (y\n"_ba
        << "(x) Z (y) S 1 1 1 0 -1 4194304 0 0"_ba << u"x) Z (y"_s << true << true;
    QTest::newRow("init is never ended")
        << u"1"_s << u"/usr/lib/systemd/systemd"_s << "/sbin/init\0"_ba
        << "systemd\n"_ba
        << "(systemd) S 0 1 1 0 -1 4194560 0 0"_ba << u"systemd"_s << true << false;
    QTest::newRow("own process is never ended")
        << u"own"_s << u"/opt/halvane/halvane"_s << "halvane\0"_ba
        << "halvane\n"_ba
        << "(halvane) S 1 1 1 0 -1 4194304 0 0"_ba << u"HALVANE"_s << true << false;
    QTest::newRow("folder that is no process id")
        << u"self"_s << u"/opt/door/bsht.exe"_s << cmd << "bsht.exe\n"_ba << running << u"bsht.exe"_s << false
        << false;
}

void tst_ProcessControl::procTree()
{
    QFETCH(QString, pid);
    QFETCH(QString, exe);
    QFETCH(QByteArray, cmdline);
    QFETCH(QByteArray, comm);
    QFETCH(QByteArray, stat);
    QFETCH(QString, name);
    QFETCH(bool, exists);
    QFETCH(bool, killed);

    QTemporaryDir proc;
    QVERIFY(proc.isValid());
    if (pid == "own"_L1)
        pid = QString::number(QCoreApplication::applicationPid());
    const QString folder = proc.filePath(pid);
    QVERIFY(QDir().mkpath(folder));
    if (!exe.isEmpty())
        QVERIFY(QFile::link(exe, folder + "/exe"_L1));
    const auto write = [&folder](const char *file, const QByteArray &content) {
        QFile f(folder + u'/' + QLatin1StringView(file));
        return f.open(QIODevice::WriteOnly) && f.write(content) == content.size();
    };
    QVERIFY(write("cmdline", cmdline));
    QVERIFY(write("comm", comm));
    QVERIFY(write("stat", pid.toLatin1() + ' ' + stat + '\n'));

    QList<qint64> signalled;
    LinuxProcessControl processes(proc.path(), [&signalled](qint64 p) {
        signalled.append(p);
        return true;
    });
    QCOMPARE(processes.ProcessExists(name), exists);
    QCOMPARE(processes.KillProcess(name), killed ? 1 : 0);
    QCOMPARE(signalled, killed ? QList<qint64>{pid.toLongLong()} : QList<qint64>{});
}

void tst_ProcessControl::killCountsDeliveredSignalsOnly()
{
    QTemporaryDir proc;
    QVERIFY(proc.isValid());
    const QList<std::pair<int, QString>> tree = {{200, u"/opt/door/bsht.exe"_s},
                                                 {201, u"/usr/bin/bash"_s},
                                                 {202, u"/home/a/BSHT.EXE"_s},
                                                 {203, u"/opt/door/bsht.exe"_s}};
    for (const auto &[pid, exe] : tree) {
        const QString folder = proc.filePath(QString::number(pid));
        QVERIFY(QDir().mkpath(folder));
        QVERIFY(QFile::link(exe, folder + "/exe"_L1));
    }

    QList<qint64> signalled;
    LinuxProcessControl processes(proc.path(), [&signalled](qint64 pid) {
        signalled.append(pid);
        return pid != 203; // another user's process: not allowed
    });
    QCOMPARE(processes.KillProcess(u"bsht.exe"_s), 2);
    std::sort(signalled.begin(), signalled.end());
    QCOMPARE(signalled, (QList<qint64>{200, 202, 203}));
}

QTEST_GUILESS_MAIN(tst_ProcessControl)
#include "tst_processcontrol.moc"
