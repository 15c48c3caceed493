#pragma once

#include "platform/processcontrol.h"

#include <QList>

#include <functional>

// Processes on Linux, read from /proc. A process's executable is the target of /proc/PID/exe
// (without the " (deleted)" mark of a replaced file); where that link cannot be read (another
// user's process without the rights to see it), the first word of /proc/PID/cmdline stands in,
// and when that is empty, /proc/PID/comm. Kernel threads and processes that have already ended
// (zombies) are not in the list.
// KillProcess sends SIGKILL, the counterpart of an immediate TerminateProcess; it never signals
// the panel's own process or PID 1.
class LinuxProcessControl final : public ProcessControl
{
public:
    // Ends one process; true when the signal was delivered.
    using Terminator = std::function<bool(qint64 pid)>;

    struct Process
    {
        qint64 pid = 0;
        QString executable; // full path, or the best name that could be found
    };

    // The live system: /proc, processes ended with SIGKILL.
    LinuxProcessControl();
    // Another process folder and terminator (tests build a small /proc of their own).
    LinuxProcessControl(QString procRoot, Terminator terminator);

    bool ProcessExists(const QString &name) override;
    int KillProcess(const QString &name) override;

    // The running processes in the order of /proc.
    QList<Process> processes() const;
    static bool matches(const QString &executable, const QString &name);

private:
    QString m_procRoot;
    Terminator m_terminate;
};
