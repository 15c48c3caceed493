#include "commands.h"

#include "app/settingsrecord.h"
#include "bus/busmonitorlog.h"
#include "bus/functionlist.h"
#include "bus/gatewaylink.h"
#include "platform/programfolder.h"

#include <QEventLoop>
#include <QTcpSocket>
#include <QTime>

#include <optional>

using namespace Qt::StringLiterals;

namespace {

struct Endpoint
{
    QString host;
    quint16 port = 0;
};

void busUsage(QTextStream &err)
{
    err << "usage: halvanectl bus monitor HOST:PORT [--count N]\n"
           "       halvanectl bus send HOST:PORT BYTE0 BYTE1   (bytes decimal or 0x hex)\n";
}

// HOST:PORT, both given: there is no default gateway to fall back on.
std::optional<Endpoint> parseEndpoint(const QString &text)
{
    const qsizetype colon = text.lastIndexOf(u':');
    if (colon <= 0)
        return std::nullopt;
    QString host = text.left(colon).trimmed();
    if (host.startsWith(u'[') && host.endsWith(u']'))
        host = host.mid(1, host.size() - 2);
    bool ok = false;
    const uint port = text.mid(colon + 1).toUInt(&ok);
    if (host.isEmpty() || !ok || port == 0 || port > 65535)
        return std::nullopt;
    return Endpoint{host, quint16(port)};
}

std::optional<quint8> parseByte(const QString &text)
{
    bool ok = false;
    const uint value =
        text.startsWith(u"0x"_s, Qt::CaseInsensitive) ? text.mid(2).toUInt(&ok, 16) : text.toUInt(&ok, 10);
    if (!ok || value > 255)
        return std::nullopt;
    return quint8(value);
}

int monitor(const Endpoint &endpoint, qint64 count, CommandIo io)
{
    SettingsRecord settings;
    settings.LanHost = endpoint.host;
    settings.LanPort = endpoint.port;
    const FunctionList functions(ProgramFolder::file(u"Functions.ini"_s));
    GatewayLink link(settings);
    QEventLoop loop;
    qint64 seen = 0;
    bool everConnected = false;
    link.setTelegramHandler([&](Telegram telegram) {
        io.out << BusMonitorLog::formatLine(functions, telegram, QString(), QTime::currentTime()) << '\n';
        io.out.flush();
        if (count > 0 && ++seen >= count)
            loop.exit(0);
    });
    QObject::connect(&link, &GatewayLink::stateChanged, &loop, [&](GatewayLink::State state) {
        if (state == GatewayLink::State::Connected) {
            everConnected = true;
        } else if (state == GatewayLink::State::NotConnected) {
            if (everConnected) {
                io.err << "halvanectl: the gateway closed the connection\n";
                loop.exit(0);
            } else {
                io.err << "halvanectl: cannot connect to " << endpoint.host << ':' << endpoint.port << '\n';
                loop.exit(1);
            }
        }
    });
    link.SetConnection();
    const int result = loop.exec();
    link.ResetConnection();
    return result;
}

int send(const Endpoint &endpoint, quint8 byte0, quint8 byte1, CommandIo io)
{
    QTcpSocket socket;
    socket.connectToHost(endpoint.host, endpoint.port);
    if (!socket.waitForConnected(GatewayLink::DefaultConnectTimeout)) {
        io.err << "halvanectl: cannot connect to " << endpoint.host << ':' << endpoint.port << ": "
               << socket.errorString() << '\n';
        return 1;
    }
    const char bytes[2] = {char(byte0), char(byte1)};
    socket.write(bytes, 2);
    while (socket.bytesToWrite() > 0) {
        if (!socket.waitForBytesWritten(GatewayLink::DefaultConnectTimeout)) {
            io.err << "halvanectl: cannot send: " << socket.errorString() << '\n';
            return 1;
        }
    }
    socket.disconnectFromHost();
    if (socket.state() != QAbstractSocket::UnconnectedState)
        socket.waitForDisconnected(1000);
    return 0;
}

} // namespace

// halvanectl bus monitor HOST:PORT [--count N]: every telegram from the gateway as a bus-monitor
// line (without member names). halvanectl bus send HOST:PORT BYTE0 BYTE1: one telegram.
int runBusCommand(const QStringList &args, CommandIo io)
{
    if (args.isEmpty()) {
        busUsage(io.err);
        return 2;
    }
    const QString sub = args.first();
    const auto endpoint = args.size() >= 2 ? parseEndpoint(args.at(1)) : std::nullopt;
    if (sub == u"monitor"_s) {
        qint64 count = 0;
        bool ok = args.size() == 2;
        if (args.size() == 4 && args.at(2) == u"--count"_s)
            count = args.at(3).toLongLong(&ok);
        if (!ok || count < 0 || !endpoint) {
            busUsage(io.err);
            return 2;
        }
        return monitor(*endpoint, count, io);
    }
    if (sub == u"send"_s) {
        const auto byte0 = args.size() == 4 ? parseByte(args.at(2)) : std::nullopt;
        const auto byte1 = args.size() == 4 ? parseByte(args.at(3)) : std::nullopt;
        if (!endpoint || !byte0 || !byte1) {
            busUsage(io.err);
            return 2;
        }
        return send(*endpoint, *byte0, *byte1, io);
    }
    busUsage(io.err);
    return 2;
}
