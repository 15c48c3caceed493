#include "simserver.h"

#include "bussimulator.h"

#include <QDateTime>
#include <QTcpServer>
#include <QTcpSocket>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace {

constexpr qint64 MaxQueuedBytes = 1024 * 1024; // per client; a client that stops reading loses telegrams
constexpr int FloodTick = 10;                  // ms
constexpr qint64 MaxFloodBurst = 10000;        // reports in one tick at most

} // namespace

SimServer::SimServer(BusSimulator &bus, const Options &options, QObject *parent)
    : QObject(parent), m_bus(bus), m_options(options), m_server(new QTcpServer(this))
{
    m_clock.start();
    m_pumpTimer.setSingleShot(true);
    connect(&m_pumpTimer, &QTimer::timeout, this, &SimServer::pump);
    connect(m_server, &QTcpServer::newConnection, this, &SimServer::acceptClients);
    if (!m_options.logFile.isEmpty()) {
        m_log.setFileName(m_options.logFile);
        if (!m_log.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Text))
            m_error = u"cannot write the log file %1: %2"_s.arg(m_options.logFile, m_log.errorString());
    }
    if (m_options.floodRate > 0) {
        m_floodTimer.setInterval(FloodTick);
        connect(&m_floodTimer, &QTimer::timeout, this, &SimServer::flood);
        m_floodStart = m_clock.elapsed();
        m_floodTimer.start();
    }
}

SimServer::~SimServer() = default;

bool SimServer::listen(quint16 port)
{
    if (!m_error.isEmpty())
        return false;
    if (!m_server->listen(QHostAddress::LocalHost, port)) {
        m_error = m_server->errorString();
        return false;
    }
    return true;
}

quint16 SimServer::port() const
{
    return m_server->serverPort();
}

void SimServer::acceptClients()
{
    while (QTcpSocket *socket = m_server->nextPendingConnection()) {
        auto client = std::make_unique<Client>();
        client->id = m_nextId++;
        client->socket = socket;
        socket->setParent(this);
        socket->setSocketOption(QAbstractSocket::LowDelayOption, 1);
        const int id = client->id;
        connect(socket, &QTcpSocket::readyRead, this, [this, id] { readClient(id); });
        // Queued: a write to one client can find it gone while the clients are being walked.
        connect(
            socket, &QTcpSocket::disconnected, this, [this, id] { dropClient(id); }, Qt::QueuedConnection);
        m_clients.emplace(id, std::move(client));
        if (m_log.isOpen()) {
            m_log.write(
                u"%1 client %2 connected\n"_s.arg(QDateTime::currentDateTime().toString(Qt::ISODateWithMs))
                    .arg(id)
                    .toUtf8());
            m_log.flush();
        }
    }
}

void SimServer::readClient(int id)
{
    auto it = m_clients.find(id);
    if (it == m_clients.end())
        return;
    Client &client = *it->second;
    while (client.socket->bytesAvailable() > 0) {
        char chunk[4096];
        const qint64 got =
            client.socket->read(chunk, std::min<qint64>(qint64(sizeof chunk), client.input.room()));
        if (got <= 0)
            break;
        client.input.append(QByteArrayView(chunk, got));
        while (const auto telegram = client.input.takeNext()) {
            log("in ", id, *telegram);
            broadcast(*telegram, id); // the other clients see it on the bus
            const QList<Telegram> answers = m_bus.receive(id, *telegram);
            for (const Telegram &answer : answers)
                broadcast(answer, 0);
        }
    }
}

void SimServer::dropClient(int id)
{
    auto it = m_clients.find(id);
    if (it == m_clients.end())
        return;
    it->second->socket->deleteLater();
    m_clients.erase(it);
    m_bus.forgetClient(id);
    if (m_log.isOpen()) {
        m_log.write(
            u"%1 client %2 disconnected\n"_s.arg(QDateTime::currentDateTime().toString(Qt::ISODateWithMs))
                .arg(id)
                .toUtf8());
        m_log.flush();
    }
}

void SimServer::broadcast(Telegram telegram, int exceptClient)
{
    for (auto &[id, client] : m_clients) {
        if (id != exceptClient)
            send(*client, telegram);
    }
}

void SimServer::send(Client &client, Telegram telegram)
{
    log("out", client.id, telegram);
    if (!m_options.split && m_options.latencyMs <= 0 && client.output.empty()) {
        if (client.socket->bytesToWrite() > MaxQueuedBytes)
            return;
        client.socket->write(TelegramPairing::encode(telegram));
        client.socket->flush();
        return;
    }
    if (client.queuedBytes > MaxQueuedBytes)
        return;
    const qint64 due = m_clock.elapsed() + std::max(0, m_options.latencyMs);
    const QByteArray bytes = TelegramPairing::encode(telegram);
    if (m_options.split) {
        client.output.emplace_back(due, bytes.left(1));
        client.output.emplace_back(due + 2, bytes.mid(1)); // a later write: its own segment
    } else {
        client.output.emplace_back(due, bytes);
    }
    client.queuedBytes += bytes.size();
    schedulePump();
}

void SimServer::pump()
{
    const qint64 now = m_clock.elapsed();
    for (auto &[id, client] : m_clients) {
        bool wrote = false;
        // Strictly in order: a chunk that is not due holds back the ones behind it.
        while (!client->output.empty() && client->output.front().first <= now) {
            client->socket->write(client->output.front().second);
            client->queuedBytes -= client->output.front().second.size();
            client->output.pop_front();
            wrote = true;
            if (m_options.split)
                break; // at most one write per client and pass, so the halves go apart
        }
        if (wrote)
            client->socket->flush();
    }
    schedulePump();
}

void SimServer::schedulePump()
{
    qint64 next = -1;
    for (const auto &[id, client] : m_clients) {
        if (!client->output.empty())
            next = next < 0 ? client->output.front().first : std::min(next, client->output.front().first);
    }
    if (next < 0)
        return;
    const qint64 wait = std::max<qint64>(0, next - m_clock.elapsed());
    if (!m_pumpTimer.isActive() || m_pumpTimer.remainingTime() > wait)
        m_pumpTimer.start(int(wait));
}

void SimServer::flood()
{
    // As many reports as the rate owes since the flood began, bounded per tick.
    const double seconds = double(m_clock.elapsed() - m_floodStart) / 1000.0;
    const qint64 owed = qint64(seconds * m_options.floodRate);
    const qint64 batch = std::clamp<qint64>(owed - m_floodSent, 0, MaxFloodBurst);
    for (qint64 i = 0; i < batch; ++i)
        broadcast(m_bus.floodStep(), 0);
    m_floodSent += batch;
    if (owed - m_floodSent > MaxFloodBurst) // a backlog the clients cannot take is dropped
        m_floodSent = owed - MaxFloodBurst;
}

void SimServer::log(const char *direction, int client, Telegram telegram)
{
    if (!m_log.isOpen())
        return;
    const auto hex = [](quint8 byte) { return QString::number(byte, 16).rightJustified(2, u'0'); };
    const QString line = QDateTime::currentDateTime().toString(Qt::ISODateWithMs) + u' ' +
                         QLatin1StringView(direction) + u" client "_s + QString::number(client) + u": "_s +
                         m_functions.name(telegram.code()) + u' ' + QString::number(telegram.group()) + u' ' +
                         QString::number(telegram.address()) + u" ["_s + hex(telegram.byte0) + u' ' +
                         hex(telegram.byte1) + u"]\n"_s;
    m_log.write(line.toUtf8());
    m_log.flush();
}
