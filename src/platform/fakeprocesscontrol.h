#pragma once

#include "platform/processcontrol.h"

#include <QList>
#include <QStringList>

// A ProcessControl over a list of pretend executables: it records every call, answers from the
// list and removes what KillProcess ends. Nothing real is looked at or signalled.
class FakeProcessControl final : public ProcessControl
{
public:
    enum class Operation
    {
        Exists,
        Kill
    };
    struct Call
    {
        Operation operation;
        QString name;
        bool operator==(const Call &) const = default;
    };

    bool ProcessExists(const QString &name) override;
    int KillProcess(const QString &name) override;

    // Pretend executables, full paths or file names; one entry per process.
    void setRunning(const QStringList &executables) { m_running = executables; }
    const QStringList &running() const { return m_running; }
    const QList<Call> &calls() const { return m_calls; }
    void clear() { m_calls.clear(); }

private:
    QStringList m_running;
    QList<Call> m_calls;
};
