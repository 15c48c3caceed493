#pragma once

#include "platform/powercontrol.h"

#include <QStringList>

#include <functional>

// Power-off and restart on Linux: systemd-logind's Manager.PowerOff / Manager.Reboot over the
// system D-Bus, non-interactive (no password prompt can appear on a wall panel); when logind is
// not there or refuses, "systemctl poweroff" / "systemctl reboot", started without a shell.
// Whether the panel may do this is decided by polkit (or by running as root), not by a process
// privilege: SetPrivilege has nothing to enable and reports success.
class LinuxPowerControl final : public PowerControl
{
public:
    // Calls a logind Manager method ("PowerOff", "Reboot") with interactive = false; true when
    // logind answered without an error.
    using LogindCaller = std::function<bool(const QString &method)>;
    // Runs a program with its arguments; true when it ran and exited with 0.
    using CommandRunner = std::function<bool(const QString &program, const QStringList &arguments)>;

    // The real system bus and the real systemctl.
    LinuxPowerControl();
    // Other callers (tests record the requests here). An empty function counts as unavailable,
    // never as the real one.
    LinuxPowerControl(LogindCaller logind, CommandRunner runner);

    bool SetPrivilege(const QString &privilegeName, bool enable) override;
    bool forcedShutdown() override;
    bool forcedRestart() override;

private:
    bool request(const QString &logindMethod, const QString &systemctlVerb);

    LogindCaller m_logind;
    CommandRunner m_run;
};
