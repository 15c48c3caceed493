#include "platform/fakepowercontrol.h"

bool FakePowerControl::SetPrivilege(const QString &privilegeName, bool enable)
{
    m_calls.append({Operation::SetPrivilege, privilegeName, enable});
    return !m_failing;
}

bool FakePowerControl::forcedShutdown()
{
    m_calls.append({Operation::Shutdown, {}, false});
    return !m_failing;
}

bool FakePowerControl::forcedRestart()
{
    m_calls.append({Operation::Restart, {}, false});
    return !m_failing;
}
