#pragma once

#include "bus/telegram.h"
#include "bus/telegrampairing.h"

#include <QObject>
#include <QPointer>
#include <QString>
#include <QTimer>

#include <functional>

class BusMonitorLog;
class GatewayLinkHooks;
class QTcpSocket;
struct SettingsRecord;

// The panel's one connection to the bus gateway: connecting and dropping it, the status text and
// logo it shows, sending telegrams, reading them in arrival order and handing each to the
// telegram handler, the 200 ms link watchdog and the inactivity timeout. The main screen owns it
// and binds its status label and logos to statusText() and isOnline().
//
// Everything runs on the thread that owns the object (the user-interface thread). Connecting is
// asynchronous; telegrams sent while connecting are delivered once connected and lost if the
// connect fails. Sending never blocks: a telegram that cannot be written is lost silently.
class GatewayLink final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(GatewayLink)

public:
    enum class State
    {
        NotConnected,
        Connecting,
        Connected,
        Dumped
    };
    Q_ENUM(State)

    using TelegramHandler = std::function<void(Telegram)>;

    static constexpr int TcpTimerInterval = 200;
    static constexpr int DumpTimerInterval = 1000;
    static constexpr int DefaultConnectTimeout = 5000;
    // Bytes waiting to be written beyond which a telegram is dropped instead of queued (a
    // gateway that stopped reading must not make the panel's memory grow).
    static constexpr qint64 MaxPendingWrite = 64 * 1024;

    // settings: LanHost, LanPort and the inactivity settings, read each time they are needed.
    // hooks may be null (nothing to close).
    explicit GatewayLink(const SettingsRecord &settings, GatewayLinkHooks *hooks = nullptr,
                         QObject *parent = nullptr);
    ~GatewayLink() override;

    // Receives every telegram, in order of arrival, on this thread. While it runs Receiving() is
    // true; if it lets pending events run, telegrams arriving meanwhile wait until it returns.
    void setTelegramHandler(TelegramHandler handler);
    void setHooks(GatewayLinkHooks *hooks) { m_hooks = hooks; }
    void setConnectTimeout(int ms) { m_connectTimeout = ms; }
    // The watchdog's and the inactivity timer's intervals (tests shorten or lengthen them).
    void setTimerIntervals(int tcpTimerMs, int dumpTimerMs);

    // (Re)connects to LanHost:LanPort; an empty LanHost only drops the link.
    void SetConnection();
    // Drops the link, forgets bytes not yet handled and shows the disconnected state.
    void ResetConnection();
    // Sends one telegram (KeepConAlive first). Lost silently when the link is down.
    void SendData(quint8 send0, quint8 send1);
    void SendData(Telegram telegram) { SendData(telegram.byte0, telegram.byte1); }
    // Restarts the inactivity count.
    void KeepConAlive();
    // Sets the count back to 0 without starting the inactivity timer (the main screen becoming
    // the active page again).
    void resetInactivityCount() { m_ssSec = 0; }
    // Clears the bus monitor, then sends Data [dsFunct, 0xE0] and Select [address, 0xD0 + group]
    // to the member given (the current member of the members table).
    void SendDS(int dsFunct, int address, int group);

    // Handlers, public so that the screens' taps and the tests can run them directly.
    void TcpClientConnected();
    void TcpClientDisconnected();
    void TcpTimerTimer();
    void DumpTimerTimer();

    State state() const { return m_state; }
    QString statusText() const { return m_statusText; } // lblConnStatus
    bool isOnline() const { return m_online; }          // imgLogoOn shown, imgLogoOff hidden
    bool isSocketConnected() const;                     // what the watchdog checks
    bool Receiving() const { return m_receiving; }
    int SSSec() const { return m_ssSec; }
    bool isTcpTimerActive() const { return m_tcpTimer.isActive(); }
    bool isDumpTimerActive() const { return m_dumpTimer.isActive(); }
    // Complete bytes received but not yet handled, and whether a lone byte waits for its partner.
    qsizetype pendingInputBytes() const { return m_input.pendingBytes(); }
    bool hasWaitingByte() const { return m_input.hasWaitingByte(); }
    // Bytes received and not handled yet: in the socket and in the pairing buffer.
    qint64 bytesWaiting() const;

    BusMonitorLog &busMonitor() { return *m_busMonitor; }

Q_SIGNALS:
    void stateChanged(GatewayLink::State state);
    void statusTextChanged(const QString &text);
    void onlineChanged(bool online);

private:
    void socketConnected();
    void socketErrorOccurred();
    void connectTimedOut();
    void readAvailable();
    void dropSocket();
    void setState(State state);
    void setStatusText(const QString &text);
    void setOnline(bool online);

    const SettingsRecord &m_settings;
    GatewayLinkHooks *m_hooks;
    TelegramHandler m_handler;
    QPointer<QTcpSocket> m_socket;
    TelegramPairing m_input;
    QTimer m_tcpTimer;
    QTimer m_dumpTimer;
    QTimer m_connectTimer;
    BusMonitorLog *m_busMonitor;
    int m_connectTimeout = DefaultConnectTimeout;
    State m_state = State::NotConnected;
    QString m_statusText;
    bool m_online = false;
    bool m_readerRunning = false;
    bool m_draining = false;
    bool m_receiving = false;
    int m_ssSec = 0;
};
