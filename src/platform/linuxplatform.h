#pragma once

#include "platform/linuxpowercontrol.h"
#include "platform/linuxprocesscontrol.h"
#include "platform/linuxshellopener.h"
#include "platform/platformservices.h"

// The panel's real operating-system services on Linux.
class LinuxPlatform
{
public:
    LinuxPlatform() = default;
    Q_DISABLE_COPY_MOVE(LinuxPlatform)

    PlatformServices services() { return {m_shell, m_processes, m_power}; }

private:
    LinuxShellOpener m_shell;
    LinuxProcessControl m_processes;
    LinuxPowerControl m_power;
};
