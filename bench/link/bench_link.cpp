// Link latency on loopback:
//  (a) a telegram's two bytes written by the gateway → the end of its handling on the panel;
//  (b) SendData → the two bytes arriving at the gateway.
// The gateway is a plain blocking socket on its own thread, so its side adds no event loop.
// Prints the median and the 99th percentile of each, in microseconds.

#include "app/settingsrecord.h"
#include "bus/gatewaylink.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QTimer>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <mutex>
#include <thread>
#include <vector>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <sys/socket.h>
#include <unistd.h>

using namespace Qt::StringLiterals;
using Clock = std::chrono::steady_clock;

namespace {

constexpr int Warmup = 200;
constexpr int Rounds = 5000;

double micros(Clock::duration d)
{
    return std::chrono::duration<double, std::micro>(d).count();
}

void report(const char *what, std::vector<double> samples)
{
    std::sort(samples.begin(), samples.end());
    const double median = samples[samples.size() / 2];
    const double p99 = samples[std::min(samples.size() - 1, samples.size() * 99 / 100)];
    std::printf("%-44s median %8.1f us   p99 %8.1f us   (%zu telegrams)\n", what, median, p99,
                samples.size());
}

bool readExactly(int fd, char *buffer, int count)
{
    int got = 0;
    while (got < count) {
        const ssize_t n = ::recv(fd, buffer + got, size_t(count - got), 0);
        if (n <= 0)
            return false;
        got += int(n);
    }
    return true;
}

// A counter one thread raises and the other waits on, without spinning: the machine is small
// and shared, and a spinning waiter would take the core the other side needs.
struct Progress
{
    std::mutex mutex;
    std::condition_variable changed;
    int count = 0;
    bool failed = false;

    void advance()
    {
        {
            std::lock_guard lock(mutex);
            ++count;
        }
        changed.notify_all();
    }
    void fail()
    {
        {
            std::lock_guard lock(mutex);
            failed = true;
        }
        changed.notify_all();
    }
    // Waits until count > n; false on failure or after ten seconds.
    bool waitBeyond(int n)
    {
        std::unique_lock lock(mutex);
        return changed.wait_for(lock, std::chrono::seconds(10), [&] { return count > n || failed; }) &&
               !failed;
    }
    int value()
    {
        std::lock_guard lock(mutex);
        return count;
    }
};

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);

    const int listener = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = 0;
    socklen_t length = sizeof address;
    if (listener < 0 || ::bind(listener, reinterpret_cast<sockaddr *>(&address), sizeof address) != 0 ||
        ::listen(listener, 1) != 0 ||
        ::getsockname(listener, reinterpret_cast<sockaddr *>(&address), &length) != 0) {
        std::fprintf(stderr, "bench_link: cannot listen on 127.0.0.1\n");
        return 1;
    }

    constexpr int Total = Warmup + Rounds;
    std::vector<Clock::time_point> written(Total), handled(Total), sent(Total), arrived(Total);
    Progress handledCount;
    Progress arrivedCount;

    std::thread gateway([&] {
        const int fd = ::accept(listener, nullptr, nullptr);
        if (fd < 0) {
            handledCount.fail();
            arrivedCount.fail();
            return;
        }
        const int one = 1;
        ::setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &one, sizeof one);
        // (a): one telegram at a time, the next once the panel has handled the last.
        bool ok = true;
        for (int i = 0; i < Total && ok; ++i) {
            const char telegram[2] = {char(i & 0xFF), 0x35};
            written[i] = Clock::now();
            ok = ::send(fd, telegram, 2, 0) == 2 && handledCount.waitBeyond(i);
        }
        // (b): the panel sends; note when each telegram is here.
        char buffer[2];
        for (int i = 0; i < Total && ok; ++i) {
            ok = readExactly(fd, buffer, 2);
            arrived[i] = Clock::now();
            if (ok)
                arrivedCount.advance();
        }
        if (!ok) {
            handledCount.fail();
            arrivedCount.fail();
        }
        ::close(fd);
    });

    SettingsRecord settings;
    settings.LanHost = u"127.0.0.1"_s;
    settings.LanPort = ntohs(address.sin_port);
    GatewayLink link(settings);
    QEventLoop loop;
    int next = 0;
    link.setTelegramHandler([&](Telegram) {
        handled[next] = Clock::now();
        ++next;
        handledCount.advance();
        if (next == Total)
            loop.quit();
    });
    QObject::connect(&link, &GatewayLink::stateChanged, &loop, [&](GatewayLink::State state) {
        if (state == GatewayLink::State::NotConnected)
            loop.exit(1);
    });
    QTimer::singleShot(60000, &loop, [&] { loop.exit(1); });
    link.SetConnection();
    bool ok = loop.exec() == 0;

    // SendData writes to the socket at once (it never waits for the event loop), so the panel's
    // thread can simply wait for the gateway to see each telegram.
    for (int i = 0; ok && i < Total; ++i) {
        sent[i] = Clock::now();
        link.SendData(quint8(i & 0xFF), 0x55);
        ok = arrivedCount.waitBeyond(i);
    }
    if (!ok) {
        handledCount.fail();
        arrivedCount.fail();
    }
    link.ResetConnection();
    gateway.join();
    ::close(listener);
    if (!ok) {
        std::fprintf(stderr, "bench_link: the loopback exchange did not complete (%d handled, %d arrived)\n",
                     handledCount.value(), arrivedCount.value());
        return 1;
    }

    std::vector<double> receive, send;
    for (int i = Warmup; i < Total; ++i) {
        receive.push_back(micros(handled[i] - written[i]));
        send.push_back(micros(arrived[i] - sent[i]));
    }
    std::printf("Gateway link on loopback (target: median <= 1000 us each)\n");
    report("(a) bytes written by gateway -> handled", receive);
    report("(b) SendData -> bytes at gateway", send);
    return 0;
}
