#include "platform/fakeprocesscontrol.h"

#include "platform/linuxprocesscontrol.h"

bool FakeProcessControl::ProcessExists(const QString &name)
{
    m_calls.append({Operation::Exists, name});
    return std::any_of(m_running.cbegin(), m_running.cend(), [&name](const QString &executable) {
        return LinuxProcessControl::matches(executable, name);
    });
}

int FakeProcessControl::KillProcess(const QString &name)
{
    m_calls.append({Operation::Kill, name});
    return int(m_running.removeIf(
        [&name](const QString &executable) { return LinuxProcessControl::matches(executable, name); }));
}
