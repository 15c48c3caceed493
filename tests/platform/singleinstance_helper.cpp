// Takes the single-instance guard exactly as the panel's main() does (lock folder from
// HALVANE_LOCK_DIR) and, when it got it, holds it for at most the given number of milliseconds.
// A copy that finds the guard taken ends at once with exit code 0 and prints nothing.
#include "platform/singleinstanceguard.h"

#include <QCoreApplication>
#include <QTimer>

#include <cstdio>

int main(int argc, char *argv[])
{
    SingleInstanceGuard guard;
    const SingleInstanceGuard::State state = guard.acquire();
    if (state == SingleInstanceGuard::State::AlreadyRunning)
        return 0;

    QCoreApplication app(argc, argv);
    std::puts(state == SingleInstanceGuard::State::Acquired ? "acquired" : "unavailable");
    std::fflush(stdout);
    const int holdMs = argc > 1 ? QByteArray(argv[1]).toInt() : 20000;
    QTimer::singleShot(qBound(0, holdMs, 60000), &app, &QCoreApplication::quit);
    return app.exec();
}
