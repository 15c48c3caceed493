#pragma once

// A main screen on a copy of the demo project, offscreen, with a gateway on 127.0.0.1 that
// records every byte the panel sends and can send telegrams to it. Shared by the main-screen
// tests.
#include "app/mainscreen.h"
#include "app/projectdialog.h"
#include "app/settingsstore.h"
#include "bus/statuspoller.h"
#include "data/datamodulekvx.h"
#include "platform/fakeplatform.h"
#include "platform/inifile.h"
#include "touch/touchbutton.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QLabel>
#include <QPointer>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

Q_DECLARE_METATYPE(Telegram)

namespace QTest {
template<> inline char *toString(const Telegram &t)
{
    return qstrdup(QByteArray::number(t.byte0) + ", " + QByteArray::number(t.byte1));
}
} // namespace QTest

namespace MainScreenFixture {

using namespace Qt::StringLiterals;

class NoProjectDialog final : public ProjectDialog
{
public:
    std::optional<QString> chooseProjectFile(QWidget *, const QString &) override { return std::nullopt; }
};

// The gateway: one panel connects; what it sends is kept as telegrams (byte pairs).
class Gateway
{
public:
    Gateway()
    {
        if (!m_server.listen(QHostAddress::LocalHost, 0))
            qFatal("cannot listen on 127.0.0.1");
        QObject::connect(&m_server, &QTcpServer::newConnection, &m_server, [this] {
            while (QTcpSocket *s = m_server.nextPendingConnection()) {
                m_peer = s;
                QObject::connect(s, &QTcpSocket::readyRead, s, [this, s] { m_bytes += s->readAll(); });
            }
        });
    }
    quint16 port() const { return m_server.serverPort(); }
    bool connected() const { return m_peer && m_peer->state() == QAbstractSocket::ConnectedState; }
    QList<Telegram> telegrams() const
    {
        QList<Telegram> list;
        for (qsizetype i = 0; i + 1 < m_bytes.size(); i += 2)
            list.append(Telegram{quint8(m_bytes[i]), quint8(m_bytes[i + 1])});
        return list;
    }
    QByteArray bytes() const { return m_bytes; }
    void clear() { m_bytes.clear(); }
    void send(Telegram t)
    {
        const char b[2] = {char(t.byte0), char(t.byte1)};
        m_peer->write(b, 2);
        m_peer->flush();
    }

private:
    QTcpServer m_server;
    QPointer<QTcpSocket> m_peer;
    QByteArray m_bytes;
};

inline void copyFolder(const QString &from, const QString &to)
{
    QDir().mkpath(to);
    const QDir source(from);
    for (const QString &name : source.entryList(QDir::Files))
        QFile::copy(source.filePath(name), to + u'/' + name);
}

inline QString demoProject()
{
    return QStringLiteral(HALVANE_TEST_DATA "/../../examples/demo-project");
}

// Replaces the actions of one button in an actions table (MTSpeedAct or MTCommAct).
struct Action
{
    QString actionId;
    int function;
    int flank;
    bool onOff;
};

inline void setActions(DataView &actions, const QString &button, const QList<Action> &rows)
{
    // The actions table is a detail of its buttons table: it shows the rows of the current button.
    if (DataView *master = actions.master()) {
        master->clearFilter();
        if (!master->locate(u"Name"_s, button))
            qFatal("no button %s", qPrintable(button));
    }
    actions.clearFilter();
    actions.first();
    while (!actions.eof()) {
        if (actions.fieldText(u"Button") == button)
            actions.deleteRow();
        else
            actions.next();
    }
    int n = 0;
    for (const Action &a : rows) {
        actions.append();
        actions.setFieldValue(u"Name", button + u'_' + QString::number(++n));
        actions.setFieldValue(u"Button", button);
        actions.setFieldValue(u"Register", n);
        actions.setFieldValue(u"ActionID", a.actionId);
        actions.setFieldValue(u"Function", a.function);
        actions.setFieldValue(u"Flank", a.flank);
        actions.setFieldValue(u"On_Off", a.onOff);
        actions.post();
    }
}

class Panel
{
public:
    // extraIni: more kvx.ini lines per section, e.g. {"Sett", "StatTimer", "20"}.
    struct IniValue
    {
        QString section, key, value;
    };

    explicit Panel(const QList<IniValue> &ini = {}, bool withGateway = true)
    {
        project = home.filePath(u"project"_s);
        copyFolder(demoProject(), project);
        IniFile kvx(home.filePath(u"kvx.ini"_s));
        kvx.writeString(u"MTPath"_s, u"ProjDir"_s, project + u'/');
        kvx.writeString(u"MTCom"_s, u"LanHost"_s, withGateway ? u"127.0.0.1"_s : QString());
        kvx.writeString(u"MTCom"_s, u"LanPort"_s, QString::number(gateway.port()));
        kvx.writeString(u"Sett"_s, u"StartDelay"_s, u"0"_s);
        // Small enough for every speed button to be in view (taps land where the button is).
        kvx.writeString(u"Sett"_s, u"SpeedButHeight"_s, u"40"_s);
        kvx.writeString(u"MTSS"_s, u"MainUrl"_s, u"http://127.0.0.1/start/"_s);
        for (const IniValue &v : ini)
            kvx.writeString(v.section, v.key, v.value);
    }

    ~Panel()
    {
        screen.reset();
        data.reset();
        settings.reset();
    }

    void create()
    {
        settings = std::make_unique<SettingsStore>(home.filePath(u"kvx.ini"_s));
        data = std::make_unique<TDataModuleKVX>(home.path());
        screen = std::make_unique<TMainScreen>(
            TMainScreen::Services{*settings, *data, platform.services(), dialog});
        screen->show();
    }

    // Starts the panel (the delay ends at the first tick) and waits for the link.
    bool start()
    {
        create();
        if (!QTest::qWaitForWindowExposed(screen.get()))
            return false;
        screen->StartDelayTimerTimer();
        return screen->ProgramStarted;
    }

    // Starts the panel, stops the start-up poll and forgets what was sent so far.
    bool startQuiet()
    {
        if (!start())
            return false;
        if (!QTest::qWaitFor([this] { return gateway.connected(); }, 5000))
            return false;
        screen->statusPoller().stop();
        if (!sync())
            return false;
        gateway.clear();
        return true;
    }

    // Sends a marker telegram and waits for it: everything sent before it has arrived. The marker
    // is taken off again.
    bool sync()
    {
        static constexpr Telegram marker{0xFE, 0xFB};
        screen->SendData(marker);
        const bool ok = QTest::qWaitFor(
            [this] {
                const QList<Telegram> list = gateway.telegrams();
                return !list.isEmpty() && list.last() == marker;
            },
            5000);
        if (ok) {
            QByteArray b = gateway.bytes();
            b.chop(2);
            m_synced = b;
        }
        return ok;
    }

    // What was sent up to the last sync.
    QList<Telegram> sentBeforeSync() const
    {
        QList<Telegram> list;
        for (qsizetype i = 0; i + 1 < m_synced.size(); i += 2)
            list.append(Telegram{quint8(m_synced[i]), quint8(m_synced[i + 1])});
        return list;
    }

    TouchButton *speedButton(const QString &name) const
    {
        return screen->speedButtonArea()->findChild<TouchButton *>(name);
    }
    TouchButton *commButton(const QString &name) const
    {
        return screen->commButtonArea()->findChild<TouchButton *>(name);
    }
    QString kvx(const QString &section, const QString &key) const
    {
        return IniFile(home.filePath(u"kvx.ini"_s)).readString(section, key, {});
    }

    QTemporaryDir home;
    QString project;
    Gateway gateway;
    FakePlatform platform;
    NoProjectDialog dialog;
    std::unique_ptr<SettingsStore> settings;
    std::unique_ptr<TDataModuleKVX> data;
    std::unique_ptr<TMainScreen> screen;

private:
    QByteArray m_synced;
};

} // namespace MainScreenFixture
