#include "platform/singleinstanceguard.h"

#include "platform/logging.h"

#include <QDir>
#include <QLockFile>

using namespace Qt::StringLiterals;

SingleInstanceGuard::SingleInstanceGuard(QString lockFolder)
    : m_folder(lockFolder.isEmpty() ? defaultFolder() : std::move(lockFolder))
{}

SingleInstanceGuard::~SingleInstanceGuard() = default;

QString SingleInstanceGuard::defaultFolder()
{
    const QString folder = qEnvironmentVariable("HALVANE_LOCK_DIR");
    return folder.isEmpty() ? QDir::tempPath() : folder;
}

QString SingleInstanceGuard::lockFileName() const
{
    return QDir(m_folder).filePath(QLatin1StringView(name) + ".lock"_L1);
}

SingleInstanceGuard::State SingleInstanceGuard::acquire()
{
    if (m_lock && m_lock->isLocked())
        return State::Acquired;
    if (!QDir().mkpath(m_folder)) {
        qCWarning(lcPlatform) << "single-instance guard unavailable: cannot create" << m_folder;
        return State::Unavailable;
    }
    m_lock = std::make_unique<QLockFile>(lockFileName());
    // The lock is held for the whole run: it must never be judged stale by its age, only by its
    // owner having gone. (QLockFile's default takes over a lock older than 30 s wherever the file
    // system lacks the native lock that otherwise still protects it.)
    m_lock->setStaleLockTime(0);
    if (m_lock->tryLock(0))
        return State::Acquired;
    switch (m_lock->error()) {
    case QLockFile::LockFailedError:
        qCInfo(lcPlatform) << "another copy holds" << lockFileName();
        return State::AlreadyRunning;
    case QLockFile::NoError:
    case QLockFile::PermissionError:
    case QLockFile::UnknownError:
        break;
    }
    qCWarning(lcPlatform) << "single-instance guard unavailable:" << lockFileName() << "error"
                          << int(m_lock->error());
    m_lock.reset();
    return State::Unavailable;
}
