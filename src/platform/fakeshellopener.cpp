#include "platform/fakeshellopener.h"

bool FakeShellOpener::open(const QString &target, ShowMode mode)
{
    m_calls.append({target, mode});
    return !m_failing;
}
