#pragma once

#include "platform/shellopener.h"

#include <QStringList>

#include <functional>

// "Open" on Linux, never through a shell: every argument reaches the started program as given.
//  - an existing executable file is started directly;
//  - an existing document or folder, and a file:// address of an existing file, go to xdg-open;
//  - any other address with a scheme (http, https, mailto, ...) goes to xdg-open;
//  - anything else (a missing file, a Windows path) cannot be opened.
// When an executable file cannot be started (a document on a file system that marks every file
// executable), it is handed to xdg-open instead.
// Linux has no way to pass a window state to a started program or to xdg-open, so the
// maximised hint is dropped.
class LinuxShellOpener final : public ShellOpener
{
public:
    // Starts a program detached with its arguments; true when it started.
    using Starter = std::function<bool(const QString &program, const QStringList &arguments)>;

    // Starts programs with QProcess::startDetached.
    LinuxShellOpener();
    // Starts programs through the given starter (tests record the would-be command here).
    explicit LinuxShellOpener(Starter starter);

    bool open(const QString &target, ShowMode mode) override;

private:
    Starter m_start;
};
