#pragma once

#include "platform/powercontrol.h"

#include <QList>

// A PowerControl that never touches the machine: it records every call and answers as told.
class FakePowerControl final : public PowerControl
{
public:
    enum class Operation
    {
        SetPrivilege,
        Shutdown,
        Restart
    };
    struct Call
    {
        Operation operation;
        QString privilegeName; // SetPrivilege only
        bool enable = false;   // SetPrivilege only
        bool operator==(const Call &) const = default;
    };

    bool SetPrivilege(const QString &privilegeName, bool enable) override;
    bool forcedShutdown() override;
    bool forcedRestart() override;

    const QList<Call> &calls() const { return m_calls; }
    void clear() { m_calls.clear(); }
    // When failing, every call is still recorded and answers false.
    void setFailing(bool failing) { m_failing = failing; }

private:
    QList<Call> m_calls;
    bool m_failing = false;
};
