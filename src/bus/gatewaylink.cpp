#include "bus/gatewaylink.h"

#include "app/settingsrecord.h"
#include "bus/busmonitorlog.h"
#include "bus/gatewaylinkhooks.h"
#include "platform/logging.h"

#include <QTcpSocket>

#include <algorithm>
#include <exception>

using namespace Qt::StringLiterals;

namespace {

constexpr qint64 SocketReadBufferSize = 64 * 1024;

} // namespace

GatewayLink::GatewayLink(const SettingsRecord &settings, GatewayLinkHooks *hooks, QObject *parent)
    : QObject(parent), m_settings(settings), m_hooks(hooks), m_busMonitor(new BusMonitorLog(this))
{
    m_tcpTimer.setInterval(TcpTimerInterval);
    m_dumpTimer.setInterval(DumpTimerInterval);
    m_connectTimer.setSingleShot(true);
    connect(&m_tcpTimer, &QTimer::timeout, this, &GatewayLink::TcpTimerTimer);
    connect(&m_dumpTimer, &QTimer::timeout, this, &GatewayLink::DumpTimerTimer);
    connect(&m_connectTimer, &QTimer::timeout, this, &GatewayLink::connectTimedOut);
}

GatewayLink::~GatewayLink()
{
    dropSocket();
}

void GatewayLink::setTelegramHandler(TelegramHandler handler)
{
    m_handler = std::move(handler);
}

void GatewayLink::setTimerIntervals(int tcpTimerMs, int dumpTimerMs)
{
    m_tcpTimer.setInterval(tcpTimerMs);
    m_dumpTimer.setInterval(dumpTimerMs);
}

void GatewayLink::SetConnection()
{
    // Disconnecting a live link (or giving up a connect under way) shows the disconnected state,
    // as a dropped link does.
    const bool wasUp = m_state == State::Connected || m_state == State::Connecting;
    dropSocket();
    m_input.clear();
    if (wasUp)
        TcpClientDisconnected();

    const QString host = m_settings.LanHost.trimmed();
    if (host.isEmpty())
        return;
    if (m_settings.LanPort <= 0 || m_settings.LanPort > 65535) {
        qCDebug(lcBus) << "no valid gateway port:" << m_settings.LanPort;
        ResetConnection();
        return;
    }

    auto *socket = new QTcpSocket(this);
    socket->setReadBufferSize(SocketReadBufferSize);
    m_socket = socket;
    connect(socket, &QTcpSocket::connected, this, &GatewayLink::socketConnected);
    connect(socket, &QTcpSocket::readyRead, this, &GatewayLink::readAvailable);
    connect(socket, &QTcpSocket::errorOccurred, this, &GatewayLink::socketErrorOccurred);
    setState(State::Connecting);
    m_connectTimer.start(m_connectTimeout);
    qCDebug(lcBus) << "connecting to" << host << m_settings.LanPort;
    socket->connectToHost(host, quint16(m_settings.LanPort), QIODevice::ReadWrite,
                          QAbstractSocket::IPv4Protocol);
}

void GatewayLink::ResetConnection()
{
    dropSocket();
    m_input.clear();
    TcpClientDisconnected();
}

void GatewayLink::TcpClientConnected()
{
    m_tcpTimer.start();
    setState(State::Connected);
    setStatusText(u"Verbinding ok."_s);
    setOnline(true);
    m_readerRunning = true;
    readAvailable(); // bytes that came with the connect
}

void GatewayLink::TcpClientDisconnected()
{
    m_readerRunning = false;
    m_tcpTimer.stop();
    setState(State::NotConnected);
    setStatusText(u"Kan niet verbinden."_s);
    setOnline(false);
}

void GatewayLink::TcpTimerTimer()
{
    if (!isSocketConnected()) {
        qCDebug(lcBus) << "gateway link lost";
        ResetConnection();
    }
}

void GatewayLink::DumpTimerTimer()
{
    ++m_ssSec;
    if (m_ssSec <= m_settings.DumpConnectionTimer)
        return;
    m_ssSec = 0;

    if (m_hooks)
        m_hooks->closeSubScreens(m_settings.TouchMainNav.isEmpty(), m_settings.NuvAutoClose);
    if (m_settings.AutoCloseWeb && m_hooks)
        m_hooks->showPicture();

    if (m_settings.DumpConnection) {
        ResetConnection();
        setState(State::Dumped);
        setStatusText(u"Verbinding gedumpt"_s);
        m_dumpTimer.stop();
    } else {
        // A connect already under way is left to finish.
        if (m_state != State::Connected && m_state != State::Connecting)
            SetConnection();
        if (m_hooks && m_hooks->statusScreenRunning())
            setStatusText(u"Verbinding: Status opvragen"_s);
        else if (m_settings.DumpConnectionTimer != 0)
            setStatusText(u"Verbinding: "_s + QString::number(m_settings.DumpConnectionTimer) + u"Sec"_s);
    }

    if (m_hooks)
        m_hooks->startAutoNav();
}

void GatewayLink::SendData(quint8 send0, quint8 send1)
{
    KeepConAlive();
    if (!m_socket)
        return;
    const auto socketState = m_socket->state();
    const bool connected = socketState == QAbstractSocket::ConnectedState;
    // While connecting the socket keeps what is written and sends it once connected.
    if (!connected && socketState != QAbstractSocket::HostLookupState &&
        socketState != QAbstractSocket::ConnectingState)
        return;
    if (m_socket->bytesToWrite() > MaxPendingWrite) {
        qCDebug(lcBus) << "telegram lost: the gateway does not take more";
        return;
    }
    const char bytes[2] = {char(send0), char(send1)};
    if (m_socket->write(bytes, 2) != 2)
        return;
    if (connected)
        m_socket->flush(); // writes what the socket takes now, never waits
}

void GatewayLink::KeepConAlive()
{
    m_ssSec = 0;
    if (!m_dumpTimer.isActive())
        m_dumpTimer.start();
}

void GatewayLink::SendDS(int dsFunct, int address, int group)
{
    m_busMonitor->clear();
    SendData(Telegram{quint8(dsFunct), 0xE0});
    SendData(Telegram::make(address, FunctionCode::Select, group));
}

bool GatewayLink::isSocketConnected() const
{
    return m_socket && m_socket->state() == QAbstractSocket::ConnectedState;
}

qint64 GatewayLink::bytesWaiting() const
{
    return m_input.pendingBytes() + (m_socket ? m_socket->bytesAvailable() : 0);
}

void GatewayLink::socketConnected()
{
    m_connectTimer.stop();
    if (m_socket)
        m_socket->setSocketOption(QAbstractSocket::LowDelayOption, 1); // telegrams are tiny
    TcpClientConnected();
}

void GatewayLink::socketErrorOccurred()
{
    // A failed connect drops the link at once; a link that was up is left to the watchdog,
    // which sees the socket no longer connected.
    if (m_state != State::Connecting)
        return;
    qCDebug(lcBus) << "cannot connect:" << (m_socket ? m_socket->errorString() : QString());
    ResetConnection();
}

void GatewayLink::connectTimedOut()
{
    if (m_state != State::Connecting)
        return;
    qCDebug(lcBus) << "connect timed out";
    ResetConnection();
}

void GatewayLink::readAvailable()
{
    // A telegram is being handled further up this stack (its handler let pending events run):
    // the new bytes wait, and that handling's loop takes them once the telegram is finished.
    if (m_draining)
        return;
    const QPointer<GatewayLink> self(this);
    m_draining = true;
    while (m_readerRunning) {
        if (m_input.pendingBytes() < 2 && m_socket && m_socket->bytesAvailable() > 0) {
            char chunk[4096];
            const qint64 wanted = std::min<qint64>(m_input.room(), qint64(sizeof chunk));
            const qint64 got = m_socket->read(chunk, wanted);
            if (got > 0)
                m_input.append(QByteArrayView(chunk, got));
        }
        const auto telegram = m_input.takeNext();
        if (!telegram)
            break;
        m_receiving = true;
        try {
            if (m_handler)
                m_handler(*telegram);
        } catch (const std::exception &error) {
            // A failing handling ends it, and the link starts afresh, as after a read error.
            if (!self)
                return;
            qCWarning(lcBus) << "telegram handling failed:" << error.what();
            m_receiving = false;
            ResetConnection();
        }
        if (!self)
            return;
        m_receiving = false;
    }
    m_draining = false;
}

void GatewayLink::dropSocket()
{
    m_connectTimer.stop();
    if (!m_socket)
        return;
    QTcpSocket *socket = m_socket;
    m_socket = nullptr;
    disconnect(socket, nullptr, this, nullptr);
    socket->abort();
    socket->deleteLater();
}

void GatewayLink::setState(State state)
{
    if (m_state == state)
        return;
    m_state = state;
    Q_EMIT stateChanged(state);
}

void GatewayLink::setStatusText(const QString &text)
{
    if (m_statusText == text)
        return;
    m_statusText = text;
    Q_EMIT statusTextChanged(text);
}

void GatewayLink::setOnline(bool online)
{
    if (m_online == online)
        return;
    m_online = online;
    Q_EMIT onlineChanged(online);
}
