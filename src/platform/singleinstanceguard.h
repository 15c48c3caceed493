#pragma once

#include <QString>

#include <memory>

class QLockFile;

// The guard named "MY_APPLICATION_IS_RUNNING" that keeps a second copy of the panel from
// starting: a lock file of that name in a folder every copy on the machine shares. The lock is
// held for as long as the guard lives. A lock left behind by a copy that died (its process no
// longer runs) is taken over; a lock of a running copy is never taken over, however old.
class SingleInstanceGuard
{
public:
    enum class State
    {
        Acquired,       // this is the only copy
        AlreadyRunning, // another copy holds the guard: end silently
        Unavailable,    // the guard could not be created: run as usual
    };

    static constexpr auto name = "MY_APPLICATION_IS_RUNNING";

    // lockFolder empty: defaultFolder().
    explicit SingleInstanceGuard(QString lockFolder = {});
    ~SingleInstanceGuard();
    Q_DISABLE_COPY_MOVE(SingleInstanceGuard)

    // Takes the guard; asking again once it is held answers Acquired.
    State acquire();
    QString lockFileName() const;

    // The folder named by HALVANE_LOCK_DIR when set (tests and the demo use their own), otherwise
    // the system's temporary folder, which every user of the machine shares.
    static QString defaultFolder();

private:
    QString m_folder;
    std::unique_ptr<QLockFile> m_lock;
};
