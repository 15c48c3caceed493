#pragma once

#include "bus/functionlist.h"
#include "bus/telegram.h"
#include "bus/telegrampairing.h"

#include <QElapsedTimer>
#include <QFile>
#include <QObject>
#include <QTimer>

#include <deque>
#include <map>
#include <memory>

class BusSimulator;
class QTcpServer;
class QTcpSocket;

// The simulated gateway: a TCP server on 127.0.0.1 whose clients share one bus. A telegram from
// one client is seen by every other client, then the members' answers go to all clients.
class SimServer final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(SimServer)

public:
    struct Options
    {
        bool split = false;   // each telegram in two writes
        int latencyMs = 0;    // delay before anything is written
        QString logFile;      // every telegram in and out, time-stamped
        double floodRate = 0; // spontaneous Set/Reset reports per second
    };

    SimServer(BusSimulator &bus, const Options &options, QObject *parent = nullptr);
    ~SimServer() override;

    // Listens on 127.0.0.1 (port 0: any free port). False with errorString() on failure.
    bool listen(quint16 port);
    quint16 port() const;
    QString errorString() const { return m_error; }
    int clientCount() const { return int(m_clients.size()); }

private:
    struct Client
    {
        int id = 0;
        QTcpSocket *socket = nullptr;
        TelegramPairing input;
        std::deque<std::pair<qint64, QByteArray>> output; // due time (ms), bytes
        qint64 queuedBytes = 0;
    };

    void acceptClients();
    void readClient(int id);
    void dropClient(int id);
    void broadcast(Telegram telegram, int exceptClient);
    void send(Client &client, Telegram telegram);
    void pump();
    void schedulePump();
    void flood();
    void log(const char *direction, int client, Telegram telegram);

    BusSimulator &m_bus;
    Options m_options;
    QTcpServer *m_server;
    std::map<int, std::unique_ptr<Client>> m_clients;
    int m_nextId = 1;
    FunctionList m_functions;
    QFile m_log;
    QElapsedTimer m_clock;
    QTimer m_pumpTimer;
    QTimer m_floodTimer;
    qint64 m_floodStart = 0;
    qint64 m_floodSent = 0;
    QString m_error;
};
