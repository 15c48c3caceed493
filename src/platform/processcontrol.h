#pragma once

#include <QString>

// The process list and process termination, as the door-station launcher needs them. A process
// matches a name when the file-name part of its executable, or the executable's full name, equals
// the name compared without regard to case.
class ProcessControl
{
public:
    virtual ~ProcessControl() = default;

    // True when a running process matches the name.
    virtual bool ProcessExists(const QString &name) = 0;
    // Terminates every matching process at once, without asking it to close; returns how many
    // were ended. The panel's own process is never ended.
    virtual int KillProcess(const QString &name) = 0;
};
