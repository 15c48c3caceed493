#include "platform/singleinstanceguard.h"

#include <QDateTime>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using namespace Qt::StringLiterals;

class tst_SingleInstanceGuard : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void secondCopyEndsSilently_data();
    void secondCopyEndsSilently();
    void lockOfDeadCopyIsTakenOver();
    void acquireInProcess_data();
    void acquireInProcess();
    void releasedWhenGuardEnds();
    void lockFolderFromEnvironment();

private:
    // Starts a helper copy that shares m_dir's lock folder and holds the guard up to holdMs.
    QProcess *startCopy(int holdMs = 20000);
    // Waits until the copy has printed its first line and returns it.
    QByteArray firstLine(QProcess *copy);

    std::unique_ptr<QTemporaryDir> m_dir;
    QList<QProcess *> m_copies;
};

void tst_SingleInstanceGuard::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
}

void tst_SingleInstanceGuard::cleanup()
{
    // Only the copies this test started, by their own process id.
    for (QProcess *copy : std::as_const(m_copies)) {
        if (copy->state() != QProcess::NotRunning) {
            copy->kill();
            copy->waitForFinished(5000);
        }
        delete copy;
    }
    m_copies.clear();
    m_dir.reset();
}

QProcess *tst_SingleInstanceGuard::startCopy(int holdMs)
{
    auto *copy = new QProcess;
    m_copies.append(copy);
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(u"HALVANE_LOCK_DIR"_s, m_dir->path());
    copy->setProcessEnvironment(env);
    copy->start(QStringLiteral(SINGLEINSTANCE_HELPER), {QString::number(holdMs)});
    return copy;
}

QByteArray tst_SingleInstanceGuard::firstLine(QProcess *copy)
{
    QDeadlineTimer deadline(10000);
    while (!copy->canReadLine() && !deadline.hasExpired() && copy->state() != QProcess::NotRunning)
        copy->waitForReadyRead(100);
    return copy->readLine().trimmed();
}

void tst_SingleInstanceGuard::secondCopyEndsSilently_data()
{
    QTest::addColumn<int>("lockAgeSeconds");

    QTest::newRow("fresh lock") << 0;
    // A panel runs for months: the lock's age must never make it look abandoned.
    QTest::newRow("lock held for a day") << 24 * 3600;
}

void tst_SingleInstanceGuard::secondCopyEndsSilently()
{
    QFETCH(int, lockAgeSeconds);

    QProcess *first = startCopy();
    QCOMPARE(firstLine(first), "acquired"_ba);

    if (lockAgeSeconds > 0) {
        QFile lock(SingleInstanceGuard(m_dir->path()).lockFileName());
        QVERIFY(lock.open(QIODevice::ReadWrite));
        QVERIFY(lock.setFileTime(QDateTime::currentDateTimeUtc().addSecs(-lockAgeSeconds),
                                 QFileDevice::FileModificationTime));
    }

    QProcess *second = startCopy();
    QVERIFY(second->waitForFinished(10000));
    QCOMPARE(second->exitStatus(), QProcess::NormalExit);
    QCOMPARE(second->exitCode(), 0);
    QCOMPARE(second->readAllStandardOutput(), QByteArray());

    QCOMPARE(first->state(), QProcess::Running);
}

void tst_SingleInstanceGuard::lockOfDeadCopyIsTakenOver()
{
    QProcess *crashed = startCopy();
    QCOMPARE(firstLine(crashed), "acquired"_ba);
    crashed->kill(); // no chance to remove its lock file
    QVERIFY(crashed->waitForFinished(5000));
    QVERIFY(QFile::exists(SingleInstanceGuard(m_dir->path()).lockFileName()));

    QProcess *next = startCopy();
    QCOMPARE(firstLine(next), "acquired"_ba);
    QCOMPARE(next->state(), QProcess::Running);
}

void tst_SingleInstanceGuard::acquireInProcess_data()
{
    QTest::addColumn<QString>("subFolder");
    QTest::addColumn<bool>("blockWithFile");
    QTest::addColumn<SingleInstanceGuard::State>("expected");

    QTest::newRow("existing folder") << QString() << false << SingleInstanceGuard::State::Acquired;
    QTest::newRow("missing folder is made")
        << u"run/halvane"_s << false << SingleInstanceGuard::State::Acquired;
    // A plain file where the folder should be: even root cannot create the guard there.
    QTest::newRow("folder cannot be made")
        << u"blocked/halvane"_s << true << SingleInstanceGuard::State::Unavailable;
}

void tst_SingleInstanceGuard::acquireInProcess()
{
    QFETCH(QString, subFolder);
    QFETCH(bool, blockWithFile);
    QFETCH(SingleInstanceGuard::State, expected);

    if (blockWithFile) {
        QFile blocker(m_dir->filePath(u"blocked"_s));
        QVERIFY(blocker.open(QIODevice::WriteOnly));
    }
    SingleInstanceGuard guard(subFolder.isEmpty() ? m_dir->path() : m_dir->filePath(subFolder));
    QCOMPARE(guard.acquire(), expected);
    QCOMPARE(guard.acquire(), expected); // asking again changes nothing
}

void tst_SingleInstanceGuard::releasedWhenGuardEnds()
{
    auto held = std::make_unique<SingleInstanceGuard>(m_dir->path());
    QCOMPARE(held->acquire(), SingleInstanceGuard::State::Acquired);
    {
        SingleInstanceGuard other(m_dir->path());
        QCOMPARE(other.acquire(), SingleInstanceGuard::State::AlreadyRunning);
    }
    held.reset();
    QVERIFY(!QFile::exists(SingleInstanceGuard(m_dir->path()).lockFileName()));

    QProcess *copy = startCopy();
    QCOMPARE(firstLine(copy), "acquired"_ba);
}

void tst_SingleInstanceGuard::lockFolderFromEnvironment()
{
    const QByteArray saved = qgetenv("HALVANE_LOCK_DIR");
    qputenv("HALVANE_LOCK_DIR", m_dir->path().toLocal8Bit());
    const QString fromEnv = SingleInstanceGuard::defaultFolder();
    const QString fileName = SingleInstanceGuard().lockFileName();
    qunsetenv("HALVANE_LOCK_DIR");
    const QString fallback = SingleInstanceGuard::defaultFolder();
    if (!saved.isNull())
        qputenv("HALVANE_LOCK_DIR", saved);

    QCOMPARE(fromEnv, m_dir->path());
    QCOMPARE(fileName, m_dir->filePath(u"MY_APPLICATION_IS_RUNNING.lock"_s));
    QCOMPARE(fallback, QDir::tempPath());
}

QTEST_GUILESS_MAIN(tst_SingleInstanceGuard)
#include "tst_singleinstanceguard.moc"
