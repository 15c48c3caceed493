#include "platform/unixsignalwatcher.h"

#include "platform/logging.h"

#include <QSocketNotifier>

#include <csignal>
#include <sys/socket.h>
#include <unistd.h>

namespace {

int g_signalFds[2] = {-1, -1};

void handleSignal(int signalNumber)
{
    const unsigned char byte = static_cast<unsigned char>(signalNumber);
    [[maybe_unused]] const ssize_t written = ::write(g_signalFds[0], &byte, 1);
}

} // namespace

UnixSignalWatcher::UnixSignalWatcher(QObject *parent) : QObject(parent)
{
    if (g_signalFds[0] >= 0) {
        qCWarning(lcPlatform) << "only one signal watcher can exist";
        return;
    }
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, g_signalFds) != 0) {
        qCWarning(lcPlatform) << "cannot create the signal socket pair";
        g_signalFds[0] = g_signalFds[1] = -1;
        return;
    }
    m_notifier = new QSocketNotifier(g_signalFds[1], QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &UnixSignalWatcher::readSignal);

    struct sigaction action = {};
    action.sa_handler = handleSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    ::sigaction(SIGTERM, &action, nullptr);
    ::sigaction(SIGINT, &action, nullptr);
}

UnixSignalWatcher::~UnixSignalWatcher()
{
    if (!m_notifier)
        return;
    struct sigaction action = {};
    action.sa_handler = SIG_DFL;
    sigemptyset(&action.sa_mask);
    ::sigaction(SIGTERM, &action, nullptr);
    ::sigaction(SIGINT, &action, nullptr);
    delete m_notifier;
    ::close(g_signalFds[0]);
    ::close(g_signalFds[1]);
    g_signalFds[0] = g_signalFds[1] = -1;
}

void UnixSignalWatcher::readSignal()
{
    unsigned char byte = 0;
    if (::read(g_signalFds[1], &byte, 1) == 1) {
        qCInfo(lcPlatform) << "signal" << int(byte) << "received: closing";
        Q_EMIT terminationRequested(int(byte));
    }
}
