#pragma once

#include <QString>

// Shutting the computer down or restarting it on a project reaction. "Forced": programs are
// not asked whether they agree; the system stops them.
class PowerControl
{
public:
    virtual ~PowerControl() = default;

    // Enables or disables a privilege of the panel's own process ("SeShutdownPrivilege"). On a
    // system without a privilege model it does nothing and reports success.
    virtual bool SetPrivilege(const QString &privilegeName, bool enable) = 0;
    // True when the system accepted the request.
    virtual bool forcedShutdown() = 0;
    virtual bool forcedRestart() = 0;
};
