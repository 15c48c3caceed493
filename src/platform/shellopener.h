#pragma once

#include <QString>

// The operating system's "open" action: a program is started, a document opens in the program
// the desktop associates with it, a web address opens in the default browser.
class ShellOpener
{
public:
    // The window the opened program should show. A hint: not every system can pass it on.
    enum class ShowMode
    {
        Normal,
        Maximized
    };

    virtual ~ShellOpener() = default;

    // False when the target cannot be opened (empty, missing, or nothing could be started).
    virtual bool open(const QString &target, ShowMode mode) = 0;
};
