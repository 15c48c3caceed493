#pragma once

#include "platform/shellopener.h"

#include <QList>

// A ShellOpener that opens nothing: it records every call and answers as told.
class FakeShellOpener final : public ShellOpener
{
public:
    struct Call
    {
        QString target;
        ShowMode mode;
        bool operator==(const Call &) const = default;
    };

    bool open(const QString &target, ShowMode mode) override;

    const QList<Call> &calls() const { return m_calls; }
    void clear() { m_calls.clear(); }
    // When failing, every call is still recorded and answers false.
    void setFailing(bool failing) { m_failing = failing; }

private:
    QList<Call> m_calls;
    bool m_failing = false;
};
