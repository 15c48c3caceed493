#include "app/settingsrecord.h"
#include "bus/exchangefields.h"
#include "bus/telegramhandler.h"
#include "bus/telegramhandlerhooks.h"
#include "data/datamodulekvx.h"
#include "data/datapacket.h"
#include "data/opendatasets.h"
#include "data/tabledeclarations.h"
#include "data/tablefiles.h"
#include "platform/fakeplatform.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include <functional>

using namespace Qt::StringLiterals;

namespace {

using Rows = QList<QVariantHash>;
using Telegrams = QList<Telegram>;

QVariantHash member(const QString &id, const QString &name, int group, int address)
{
    return {{u"MemberID"_s, id},
            {u"Name"_s, name},
            {u"Group"_s, group},
            {u"Address"_s, address},
            {u"Version"_s, u"REL_8"_s}};
}

QVariantHash button(const QString &name, const QString &screen, int group, int address, int indexer = 1)
{
    return {{u"Name"_s, name},       {u"Screen"_s, screen}, {u"Group"_s, group},
            {u"Address"_s, address}, {u"Active"_s, false},  {u"Indexer"_s, indexer}};
}

// A reaction of a member: Function is the code × 16 (48 Set, 16 Reset).
QVariantHash reaction(const QString &actionId, int function, const QString &pcFunct,
                      const QStringList &startIt = {})
{
    QVariantHash row{{u"ActionID"_s, actionId}, {u"Function"_s, function}, {u"PCFunct"_s, pcFunct}};
    for (qsizetype n = 0; n < startIt.size(); ++n)
        row.insert(u"StartIt"_s + QString::number(n + 1), startIt[n]);
    return row;
}

// Everything the handler asks of the main screen, recorded in the order asked.
struct RecordingHooks : TelegramHandlerHooks
{
    bool started = true;
    bool polling = false;
    bool speedPhase = false;
    bool buttonScreen = false;
    bool buttonScreenPoll = false;
    bool monitor = false;
    QStringList calls;
    QStringList monitorLines;
    std::function<void()> onSaveAndClose;
    const ExchangeFields *fields = nullptr;
    bool receivingSeen = false;

    bool programStarted() const override { return started; }
    bool statusPollRunning() const override { return polling; }
    bool speedPhaseRunning() const override { return speedPhase; }
    bool buttonScreenExists() const override { return buttonScreen; }
    bool buttonScreenPolling() const override { return buttonScreenPoll; }
    void redrawRequested() override
    {
        calls << u"redraw"_s;
        receivingSeen = fields && fields->Receiving;
    }
    bool busMonitorVisible() const override { return monitor; }
    void appendBusMonitorLine(const QString &line) override { monitorLines << line; }
    void showWebPage(const QString &address) override { calls << u"web "_s + address; }
    void saveAndCloseTables() override
    {
        calls << u"save"_s;
        if (onSaveAndClose)
            onSaveAndClose();
    }
    void closeMainForm() override { calls << u"close"_s; }
    void processPendingEvents() override { calls << u"events"_s; }
    void stepProgress() override { calls << u"step"_s; }
    void ProcessAskVW() override { calls << u"ProcessAskVW"_s; }
    void ShowTemp() override { calls << u"ShowTemp"_s; }
    void SetResult() override { calls << u"SetResult"_s; }
    void CheckReadOut() override { calls << u"CheckReadOut"_s; }

    QStringList callsWithout(const QString &call) const
    {
        QStringList rest = calls;
        rest.removeAll(call);
        return rest;
    }
};

// A small house: two navigation screens, buttons on them, speed and communication buttons, and
// the members that report. Address 12 group 5 ("Keuken") is bound to a button in every table and
// on both screens.
class Project
{
public:
    explicit Project(const Rows &reactions = {}, bool open = true)
    {
        write(TableDeclarations::members(),
              {member(u"M1"_s, u"Keuken"_s, 5, 12), member(u"M'2"_s, u"Garage"_s, 2, 7),
               member(u"M3"_s, u"Bureau"_s, 5, 13)});
        write(TableDeclarations::mtNav(),
              {{{u"Name"_s, u"Hal"_s}, {u"Screen"_s, u"Hal"_s}, {u"Indexer"_s, 1}},
               {{u"Name"_s, u"Tuin"_s}, {u"Screen"_s, u"Tuin"_s}, {u"Indexer"_s, 2}}});
        write(TableDeclarations::mtBut(),
              {button(u"H1"_s, u"Hal"_s, 5, 12), button(u"T1"_s, u"Tuin"_s, 5, 12),
               button(u"T2"_s, u"Tuin"_s, 6, 12), button(u"H2"_s, u"Hal"_s, 5, 13, 2)});
        write(TableDeclarations::mtSpeedBut(),
              {button(u"S1"_s, {}, 5, 12, 1), button(u"S2"_s, {}, 2, 7, 2), button(u"S3"_s, {}, 5, 13, 3)});
        write(TableDeclarations::mtCommBut(), {button(u"C1"_s, {}, 5, 12, 1), button(u"C2"_s, {}, 4, 12, 2)});
        write(TableDeclarations::mtReact(), reactions);
        data.setProjDir(project.path());
        if (open)
            TOpenDataSets::OpenAllTouchXML(data);
    }

    void write(const TableDeclaration &declaration, const Rows &rows) const
    {
        TableFiles::write(QDir(project.path()).filePath(declaration.fileName), declaration, rows);
    }

    // Names of the buttons shown on in the three state views, sorted.
    QStringList activeButtons()
    {
        QStringList names;
        for (DataView *view : {&data.cdsMTButFont, &data.cdsMTSpeedButFont, &data.cdsMTCommButFont}) {
            if (!view->isActive())
                continue;
            view->clearFilter();
            for (view->first(); !view->eof(); view->next()) {
                if (view->fieldBool(u"Active"))
                    names << view->fieldText(u"Name");
            }
        }
        names.sort();
        return names;
    }

    QTemporaryDir program;
    QTemporaryDir project;
    TDataModuleKVX data{program.path()};
};

// The handler with its surroundings.
struct Panel
{
    explicit Panel(Project &project) : handler(project.data, fields, settings, platform.services(), hooks)
    {
        hooks.fields = &fields;
    }

    ExchangeFields fields;
    SettingsRecord settings;
    FakePlatform platform;
    RecordingHooks hooks;
    TelegramHandler handler;
};

Telegram t(int byte0, int byte1)
{
    return {quint8(byte0), quint8(byte1)};
}

} // namespace

class tst_TelegramHandler : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void filterTexts_data();
    void filterTexts();
    void setResetStates_data();
    void setResetStates();
    void busMonitorLines_data();
    void busMonitorLines();
    void nothingBeforeProgramStarted();
    void redrawRules_data();
    void redrawRules();
    void reactions_data();
    void reactions();
    void shutdownThatClosesTheTablesEndsTheReactions();
    void refusedPrivilegeEndsTheHandling();
    void readout_data();
    void readout();
    void system_data();
    void system();
    void valueAndSettings_data();
    void valueAndSettings();
    void rememberedAnswersFollowTableChanges();
    void closedTablesAreSkipped();
    void unusableStateViewIsLoggedAndOthersGoOn();
};

void tst_TelegramHandler::filterTexts_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("expected");
    QTest::newRow("bus point") << TelegramHandler::pointFilter(12, 5) << u"Address=12 and Group=5"_s;
    QTest::newRow("member id") << TelegramHandler::reactionFilter(u"M1"_s) << u"ActionId = 'M1'"_s;
    QTest::newRow("quote doubled") << TelegramHandler::reactionFilter(u"O'Neil's"_s)
                                   << u"ActionId = 'O''Neil''s'"_s;
}

void tst_TelegramHandler::filterTexts()
{
    QFETCH(QString, text);
    QFETCH(QString, expected);
    QCOMPARE(text, expected);
}

void tst_TelegramHandler::setResetStates_data()
{
    QTest::addColumn<Telegrams>("telegrams");
    QTest::addColumn<bool>("polling");
    QTest::addColumn<QStringList>("active");

    const QStringList keuken{u"C1"_s, u"H1"_s, u"S1"_s, u"T1"_s};
    QTest::newRow("Set 5 12: all three views, both screens") << Telegrams{t(12, 0x35)} << false << keuken;
    QTest::newRow("Set during a poll still switches") << Telegrams{t(12, 0x35)} << true << keuken;
    QTest::newRow("Set 6 12: its group only") << Telegrams{t(12, 0x36)} << false << QStringList{u"T2"_s};
    QTest::newRow("Set 4 12: communication button only")
        << Telegrams{t(12, 0x34)} << false << QStringList{u"C2"_s};
    QTest::newRow("Reset 5 12 clears what Set set")
        << Telegrams{t(12, 0x35), t(12, 0x15)} << false << QStringList();
    QTest::newRow("Reset leaves other points on")
        << Telegrams{t(12, 0x35), t(13, 0x35), t(12, 0x15)} << false << QStringList{u"H2"_s, u"S3"_s};
    QTest::newRow("Set twice stays on") << Telegrams{t(12, 0x35), t(12, 0x35)} << false << keuken;
    QTest::newRow("unused bus point changes nothing") << Telegrams{t(200, 0x3F)} << false << QStringList();
    QTest::newRow("Toggle is no state report") << Telegrams{t(12, 0x25)} << false << QStringList();
    QTest::newRow("Status is no state report") << Telegrams{t(12, 0x55)} << false << QStringList();
}

void tst_TelegramHandler::setResetStates()
{
    QFETCH(Telegrams, telegrams);
    QFETCH(bool, polling);
    QFETCH(QStringList, active);

    Project project;
    Panel panel(project);
    panel.hooks.polling = polling;
    for (Telegram telegram : telegrams)
        panel.handler.ProcessTelegram(telegram);
    QCOMPARE(project.activeButtons(), active);
    QVERIFY(!panel.fields.Receiving);
    QCOMPARE(panel.fields.LSB, telegrams.last().byte0);
    QCOMPARE(panel.fields.MSB, telegrams.last().byte1 % 16);

    // The states are stored in the tables: they reach the files.
    TOpenDataSets::SaveAllXML(project.data, false);
    const DataPacket speed = DataPacket::readFile(QDir(project.project.path()).filePath(u"MTSpeedBut.xml"_s));
    const int activeColumn = 5;
    QCOMPARE(speed.columns[activeColumn].name, u"Active"_s);
    QCOMPARE(speed.rows[0][activeColumn].toBool(), active.contains(u"S1"_s));
}

void tst_TelegramHandler::busMonitorLines_data()
{
    QTest::addColumn<Telegram>("telegram");
    QTest::addColumn<bool>("visible");
    QTest::addColumn<QString>("prefix");

    QTest::newRow("Set with its member") << t(12, 0x35) << true << u"Set 5 12 - Keuken ("_s;
    QTest::newRow("Reset with its member") << t(12, 0x15) << true << u"Reset 5 12 - Keuken ("_s;
    QTest::newRow("Set of an unknown point") << t(200, 0x3F) << true << u"Set 15 200 -  ("_s;
    QTest::newRow("Value leaves the name empty") << t(12, 0x75) << true << u"Value 5 12 -  ("_s;
    QTest::newRow("monitor hidden: no line") << t(12, 0x35) << false << QString();
}

void tst_TelegramHandler::busMonitorLines()
{
    QFETCH(Telegram, telegram);
    QFETCH(bool, visible);
    QFETCH(QString, prefix);

    Project project;
    Panel panel(project);
    panel.hooks.monitor = visible;
    panel.handler.ProcessTelegram(telegram);
    if (prefix.isEmpty()) {
        QVERIFY(panel.hooks.monitorLines.isEmpty());
        return;
    }
    QCOMPARE(panel.hooks.monitorLines.size(), 1);
    const QString line = panel.hooks.monitorLines.first();
    QVERIFY2(line.startsWith(prefix), qPrintable(line));
    QVERIFY2(line.endsWith(u')'), qPrintable(line));
}

void tst_TelegramHandler::nothingBeforeProgramStarted()
{
    Project project({reaction(u"M1"_s, 48, u"1"_s)});
    Panel panel(project);
    panel.hooks.started = false;
    panel.hooks.monitor = true;
    panel.fields.RTCReadOut = false;
    panel.fields.ReadData = 2;
    panel.fields.AskDMX = true;
    for (Telegram telegram : {t(12, 0x35), t(7, 0x91), t(40, 0x73), t(20, 0xB3)})
        panel.handler.ProcessTelegram(telegram);

    QCOMPARE(project.activeButtons(), QStringList());
    QVERIFY(panel.hooks.calls.isEmpty());
    QVERIFY(panel.hooks.monitorLines.isEmpty());
    QVERIFY(panel.platform.power.calls().isEmpty());
    QCOMPARE(panel.fields.ReadData, 2);
    QCOMPARE(panel.fields.DMXB, 0);
    QVERIFY(panel.fields.AskDMX);
    QCOMPARE(panel.fields.MSB, 0xB3); // not even decoded
}

void tst_TelegramHandler::redrawRules_data()
{
    QTest::addColumn<bool>("buttonScreen");
    QTest::addColumn<bool>("buttonScreenPolling");
    QTest::addColumn<bool>("speedPhase");
    QTest::addColumn<int>("redraws");

    QTest::newRow("main screen only") << false << false << false << 1;
    QTest::newRow("main screen in speed phase: not yet") << false << false << true << 0;
    QTest::newRow("button screen too: once for both") << true << false << false << 1;
    QTest::newRow("button screen, main in speed phase") << true << false << true << 1;
    QTest::newRow("button screen polling") << true << true << false << 1;
    QTest::newRow("both polling") << true << true << true << 0;
}

void tst_TelegramHandler::redrawRules()
{
    QFETCH(bool, buttonScreen);
    QFETCH(bool, buttonScreenPolling);
    QFETCH(bool, speedPhase);
    QFETCH(int, redraws);

    Project project;
    Panel panel(project);
    panel.hooks.buttonScreen = buttonScreen;
    panel.hooks.buttonScreenPoll = buttonScreenPolling;
    panel.hooks.speedPhase = speedPhase;
    panel.hooks.polling = speedPhase;
    for (Telegram telegram : {t(12, 0x35), t(12, 0x15)})
        panel.handler.ProcessTelegram(telegram);
    QCOMPARE(panel.hooks.calls.count(u"redraw"_s), 2 * redraws);
    if (redraws > 0)
        QVERIFY(panel.hooks.receivingSeen); // redrawn while still handling

    // Other telegrams never ask for a redraw.
    panel.hooks.calls.clear();
    for (Telegram telegram : {t(12, 0x25), t(12, 0x75), t(12, 0xB5), t(12, 0xC5), t(12, 0x55)})
        panel.handler.ProcessTelegram(telegram);
    QVERIFY(panel.hooks.calls.isEmpty());
}

void tst_TelegramHandler::reactions_data()
{
    QTest::addColumn<Rows>("reactions");
    QTest::addColumn<Telegram>("telegram");
    QTest::addColumn<bool>("polling");
    QTest::addColumn<QStringList>("calls");    // hooks, redraw left out
    QTest::addColumn<QStringList>("power");    // "privilege", "shutdown", "restart"
    QTest::addColumn<QStringList>("opened");   // shell opens
    QTest::addColumn<QStringList>("messages"); // diagnostic lines expected

    const Telegram set = t(12, 0x35);
    const Telegram reset = t(12, 0x15);
    const QStringList none;
    const QStringList shutdown{u"privilege"_s, u"shutdown"_s};

    QTest::newRow("PCFunct 1 fires on Set")
        << Rows{reaction(u"M1"_s, 48, u"1"_s)} << set << false
        << QStringList{u"save"_s, u"close"_s, u"events"_s, u"close"_s} << shutdown << none << none;
    QTest::newRow("PCFunct 1 (Set) not on Reset")
        << Rows{reaction(u"M1"_s, 48, u"1"_s)} << reset << false << none << none << none << none;
    QTest::newRow("PCFunct 1 not during a poll")
        << Rows{reaction(u"M1"_s, 48, u"1"_s)} << set << true << none << none << none << none;
    QTest::newRow("PCFunct 2 restarts")
        << Rows{reaction(u"M1"_s, 48, u"2"_s)} << set << false << QStringList{u"close"_s}
        << QStringList{u"privilege"_s, u"restart"_s} << none << none;
    QTest::newRow("Explorer afsluiten: only a line")
        << Rows{reaction(u"M1"_s, 48, u"Explorer afsluiten"_s)} << set << false << none << none << none
        << QStringList{u"PCFunct: Explorer afsluiten (geen actie)"_s};
    QTest::newRow("another member's reaction")
        << Rows{reaction(u"M3"_s, 48, u"1"_s)} << set << false << none << none << none << none;
    QTest::newRow("Reset reaction on Reset")
        << Rows{reaction(u"M1"_s, 16, QString(), {u"http://127.0.0.1/uit"_s})} << reset << false
        << QStringList{u"web http://127.0.0.1/uit"_s} << none << none << none;
    QTest::newRow("htt: web view") << Rows{reaction(u"M1"_s, 48, QString(), {u"http://127.0.0.1/a"_s})} << set
                                   << false << QStringList{u"web http://127.0.0.1/a"_s} << none << none
                                   << none;
    QTest::newRow("HTT: web view") << Rows{reaction(u"M1"_s, 48, QString(), {u"HTTP://127.0.0.1/B"_s})} << set
                                   << false << QStringList{u"web HTTP://127.0.0.1/B"_s} << none << none
                                   << none;
    QTest::newRow("Htt existing file: opened")
        << Rows{reaction(u"M1"_s, 48, QString(), {u"Httpd.txt"_s})} << set << false << none << none
        << QStringList{u"Httpd.txt"_s} << none;
    QTest::newRow("Htt missing file: line only")
        << Rows{reaction(u"M1"_s, 48, QString(), {u"Http://127.0.0.1/c"_s})} << set << false << none << none
        << none << QStringList{u"Gevraagde bestand is niet gevonden!"_s};
    QTest::newRow("four fields in order, empty skipped")
        << Rows{reaction(
               u"M1"_s, 48, QString(),
               {u"http://127.0.0.1/1"_s, QString(), u"geen-bestand.pdf"_s, u"HTTP://127.0.0.1/4"_s})}
        << set << false << QStringList{u"web http://127.0.0.1/1"_s, u"web HTTP://127.0.0.1/4"_s} << none
        << none << QStringList{u"Gevraagde bestand is niet gevonden!"_s};
    QTest::newRow("every reaction of the member in turn")
        << Rows{reaction(u"M1"_s, 48, QString(), {u"http://127.0.0.1/1"_s}),
                reaction(u"M3"_s, 48, QString(), {u"http://127.0.0.1/x"_s}),
                reaction(u"M1"_s, 16, QString(), {u"http://127.0.0.1/y"_s}),
                reaction(u"M1"_s, 48, QString(), {u"http://127.0.0.1/2"_s})}
        << set << false << QStringList{u"web http://127.0.0.1/1"_s, u"web http://127.0.0.1/2"_s} << none
        << none << none;
    QTest::newRow("member id with a quote")
        << Rows{reaction(u"M'2"_s, 48, QString(), {u"http://127.0.0.1/garage"_s})} << t(7, 0x32) << false
        << QStringList{u"web http://127.0.0.1/garage"_s} << none << none << none;
    QTest::newRow("unknown bus point: blank reaction not run")
        << Rows{reaction(QString(), 48, u"1"_s)} << t(200, 0x3F) << false << none << none << none << none;
    QTest::newRow("PCFunct then its pages")
        << Rows{reaction(u"M1"_s, 48, u"2"_s, {u"http://127.0.0.1/na"_s})} << set << false
        << QStringList{u"close"_s, u"web http://127.0.0.1/na"_s} << QStringList{u"privilege"_s, u"restart"_s}
        << none << none;
}

void tst_TelegramHandler::reactions()
{
    QFETCH(Rows, reactions);
    QFETCH(Telegram, telegram);
    QFETCH(bool, polling);
    QFETCH(QStringList, calls);
    QFETCH(QStringList, power);
    QFETCH(QStringList, opened);
    QFETCH(QStringList, messages);

    // Relative file names are found from the working folder, which holds "Httpd.txt".
    QTemporaryDir work;
    QFile file(QDir(work.path()).filePath(u"Httpd.txt"_s));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.close();
    const QString previous = QDir::currentPath();
    QVERIFY(QDir::setCurrent(work.path()));
    const auto restore = qScopeGuard([&] { QDir::setCurrent(previous); });

    Project project(reactions);
    Panel panel(project);
    panel.hooks.polling = polling;
    for (const QString &message : std::as_const(messages))
        QTest::ignoreMessage(QtInfoMsg, qPrintable(message));
    panel.handler.ProcessTelegram(telegram);

    QCOMPARE(panel.hooks.callsWithout(u"redraw"_s), calls);
    QStringList powerCalls;
    for (const FakePowerControl::Call &call : panel.platform.power.calls()) {
        switch (call.operation) {
        case FakePowerControl::Operation::SetPrivilege:
            QCOMPARE(call.privilegeName, u"SeShutdownPrivilege"_s);
            QVERIFY(call.enable);
            powerCalls << u"privilege"_s;
            break;
        case FakePowerControl::Operation::Shutdown:
            powerCalls << u"shutdown"_s;
            break;
        case FakePowerControl::Operation::Restart:
            powerCalls << u"restart"_s;
            break;
        }
    }
    QCOMPARE(powerCalls, power);
    QStringList openedTargets;
    for (const FakeShellOpener::Call &call : panel.platform.shell.calls()) {
        QCOMPARE(call.mode, ShellOpener::ShowMode::Maximized);
        openedTargets << call.target;
    }
    QCOMPARE(openedTargets, opened);
    // The states are switched whatever the reactions do.
    QCOMPARE(project.activeButtons().isEmpty(), telegram.code() != 3 || telegram.address() == 200);
}

void tst_TelegramHandler::shutdownThatClosesTheTablesEndsTheReactions()
{
    Project project({reaction(u"M1"_s, 48, u"1"_s, {u"http://127.0.0.1/1"_s}),
                     reaction(u"M1"_s, 48, QString(), {u"http://127.0.0.1/2"_s})});
    Panel panel(project);
    panel.hooks.onSaveAndClose = [&] { TOpenDataSets::SaveAllXML(project.data, true); };
    panel.handler.ProcessTelegram(t(12, 0x35));

    QVERIFY(!project.data.cdsMTReact.isActive());
    // The record being carried out finishes; the next record went with the closed table.
    QCOMPARE(panel.hooks.callsWithout(u"redraw"_s),
             (QStringList{u"save"_s, u"close"_s, u"events"_s, u"close"_s, u"web http://127.0.0.1/1"_s}));
    QCOMPARE(panel.platform.power.calls().size(), 2);
    QVERIFY(!panel.fields.Receiving);
    // The saved file holds the state the Set wrote before the reaction ran.
    const DataPacket speed = DataPacket::readFile(QDir(project.project.path()).filePath(u"MTSpeedBut.xml"_s));
    QCOMPARE(speed.rows[0][5], QVariant(true));
}

void tst_TelegramHandler::refusedPrivilegeEndsTheHandling()
{
    Project project({reaction(u"M1"_s, 48, u"2"_s, {u"http://127.0.0.1/1"_s})});
    Panel panel(project);
    panel.platform.power.setFailing(true);
    QTest::ignoreMessage(QtWarningMsg, "SetPrivilege: SeShutdownPrivilege refused");
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression(u"^Handling of .* ended early$"_s));
    panel.handler.ProcessTelegram(t(12, 0x35));

    QCOMPARE(panel.platform.power.calls().size(), 1); // no restart asked
    QVERIFY(panel.hooks.calls.isEmpty());             // no page, no close, no redraw
    QVERIFY(!panel.fields.Receiving);
    QCOMPARE(project.activeButtons().size(), 4); // the states were already stored
}

void tst_TelegramHandler::readout_data()
{
    QTest::addColumn<bool>("readOutRunning");
    QTest::addColumn<bool>("tableOpen");
    QTest::addColumn<int>("telegrams");
    QTest::addColumn<QStringList>("records"); // "LSB/MSB", "-" for an empty MSB
    QTest::addColumn<int>("steps");
    QTest::addColumn<bool>("checked");

    QTest::newRow("complete read-out: five records")
        << true << true << 19
        << QStringList{u"102/104"_s, u"106/108"_s, u"110/112"_s, u"114/116"_s, u"118/-"_s} << 9 << true;
    QTest::newRow("read-out cut short")
        << true << true << 5 << QStringList{u"102/104"_s, u"106/-"_s} << 3 << false;
    QTest::newRow("no read-out running: ReadData only") << false << true << 19 << QStringList() << 0 << false;
    QTest::newRow("table not open: logged, counting goes on")
        << true << false << 19 << QStringList() << 9 << true;
}

void tst_TelegramHandler::readout()
{
    QFETCH(bool, readOutRunning);
    QFETCH(bool, tableOpen);
    QFETCH(int, telegrams);
    QFETCH(QStringList, records);
    QFETCH(int, steps);
    QFETCH(bool, checked);

    Project project;
    Panel panel(project);
    if (tableOpen)
        TOpenDataSets::ReadOutOpen(project.data);
    else
        for (int n = 0; n < steps; ++n)
            QTest::ignoreMessage(QtWarningMsg, QRegularExpression(u"^Read-out byte \\d+ not stored"_s));
    panel.fields.RTCReadOut = readOutRunning;
    panel.fields.ReadData = 2;
    // Telegram n of the read-out (counted from 2) carries the address byte 100 + n.
    for (int n = 2; n < 2 + telegrams; ++n)
        panel.handler.ProcessTelegram(t(100 + n, 0x90 + n % 16));

    QCOMPARE(panel.fields.ReadData, 2 + telegrams);
    QCOMPARE(panel.fields.RTCReadOut, readOutRunning && !checked);
    QCOMPARE(panel.hooks.calls.count(u"step"_s), steps);
    QCOMPARE(panel.hooks.calls.count(u"CheckReadOut"_s), checked ? 1 : 0);
    if (!tableOpen)
        return;
    QStringList stored;
    DataView &readOut = project.data.cdsReadOut;
    for (readOut.first(); !readOut.eof(); readOut.next()) {
        const QString msb = readOut.fieldIsNull(u"MSB") ? u"-"_s : readOut.fieldText(u"MSB");
        stored << readOut.fieldText(u"LSB") + u'/' + msb;
    }
    QCOMPARE(stored, records);
}

void tst_TelegramHandler::system_data()
{
    QTest::addColumn<Telegram>("telegram");
    QTest::addColumn<bool>("askVW");
    QTest::addColumn<bool>("checkVal");
    QTest::addColumn<bool>("askDMX");
    QTest::addColumn<QStringList>("calls");
    QTest::addColumn<int>("askVWVal");

    // The followed thermostat is group 3, address 20.
    QTest::newRow("followed thermostat shown")
        << t(20, 0xB3) << false << false << false << QStringList{u"ShowTemp"_s} << 0;
    QTest::newRow("another thermostat: nothing")
        << t(21, 0xB3) << false << false << false << QStringList() << 0;
    QTest::newRow("another group: nothing") << t(20, 0xB4) << false << false << false << QStringList() << 0;
    QTest::newRow("another thermostat with TSMCheckval")
        << t(21, 0xB4) << false << true << false << QStringList{u"ShowTemp"_s} << 0;
    QTest::newRow("heating state: group 15 awaited")
        << t(33, 0xBF) << true << false << false << QStringList{u"ProcessAskVW"_s} << 33;
    QTest::newRow("group 15 not awaited") << t(33, 0xBF) << false << false << false << QStringList() << 0;
    QTest::newRow("heating state awaited, other group")
        << t(33, 0xBE) << true << false << false << QStringList() << 0;
    QTest::newRow("RGB read-out complete")
        << t(9, 0xB1) << false << false << true << QStringList{u"SetResult"_s} << 0;
    QTest::newRow("all at once") << t(44, 0xBF) << true << true << true
                                 << QStringList{u"ProcessAskVW"_s, u"ShowTemp"_s, u"SetResult"_s} << 44;
}

void tst_TelegramHandler::system()
{
    QFETCH(Telegram, telegram);
    QFETCH(bool, askVW);
    QFETCH(bool, checkVal);
    QFETCH(bool, askDMX);
    QFETCH(QStringList, calls);
    QFETCH(int, askVWVal);

    Project project;
    Panel panel(project);
    panel.settings.FollowingTSMGR = 3;
    panel.settings.FollowingTSMAD = 20;
    panel.fields.TSMAskVW = askVW;
    panel.fields.TSMCheckval = checkVal;
    panel.fields.AskDMX = askDMX;
    panel.handler.ProcessTelegram(telegram);

    QCOMPARE(panel.hooks.calls, calls);
    QCOMPARE(panel.fields.TSMValGR, telegram.group());
    QCOMPARE(panel.fields.TSMValAD, telegram.address());
    QCOMPARE(panel.fields.TSMAskVWVal, askVWVal);
    // A flag is cleared only by the reply it waits for.
    QCOMPARE(panel.fields.TSMAskVW, askVW && !calls.contains(u"ProcessAskVW"_s));
    QCOMPARE(panel.fields.TSMCheckval, checkVal && !calls.contains(u"ShowTemp"_s));
    QVERIFY(!panel.fields.AskDMX);
}

void tst_TelegramHandler::valueAndSettings_data()
{
    QTest::addColumn<Telegram>("telegram");
    QTest::addColumn<bool>("askDMX");
    QTest::addColumn<QList<int>>("expected"); // TSMValMSB, TSMValLSB, TSMSettMSB, TSMSettLSB, R, G, B, W

    QTest::newRow("Value group 3 during AskDMX: blue")
        << t(77, 0x73) << true << QList<int>{3, 77, 0, 0, 0, 0, 77, 0};
    QTest::newRow("Value group 1: red") << t(11, 0x71) << true << QList<int>{1, 11, 0, 0, 11, 0, 0, 0};
    QTest::newRow("Value group 2: green") << t(22, 0x72) << true << QList<int>{2, 22, 0, 0, 0, 22, 0, 0};
    QTest::newRow("Value group 4: white") << t(44, 0x74) << true << QList<int>{4, 44, 0, 0, 0, 0, 0, 44};
    QTest::newRow("Value group 5: no channel") << t(55, 0x75) << true << QList<int>{5, 55, 0, 0, 0, 0, 0, 0};
    QTest::newRow("Value without AskDMX: stored only")
        << t(77, 0x73) << false << QList<int>{3, 77, 0, 0, 0, 0, 0, 0};
    QTest::newRow("Settings stored") << t(42, 0xC3) << true << QList<int>{0, 0, 3, 42, 0, 0, 0, 0};
}

void tst_TelegramHandler::valueAndSettings()
{
    QFETCH(Telegram, telegram);
    QFETCH(bool, askDMX);
    QFETCH(QList<int>, expected);

    Project project;
    Panel panel(project);
    panel.fields.AskDMX = askDMX;
    panel.handler.ProcessTelegram(telegram);
    const ExchangeFields &f = panel.fields;
    QCOMPARE(
        (QList<int>{f.TSMValMSB, f.TSMValLSB, f.TSMSettMSB, f.TSMSettLSB, f.DMXR, f.DMXG, f.DMXB, f.DMXW}),
        expected);
    QCOMPARE(f.AskDMX, askDMX); // only the System telegram ends the read-out
    QVERIFY(panel.hooks.calls.isEmpty());
}

void tst_TelegramHandler::rememberedAnswersFollowTableChanges()
{
    // The handler remembers members, bound buttons and reactions per bus point; every change of
    // the tables must show at the next telegram.
    Project project;
    Panel panel(project);
    panel.hooks.monitor = true;
    for (Telegram telegram : {t(40, 0x33), t(12, 0x35), t(12, 0x15), t(40, 0x13)})
        panel.handler.ProcessTelegram(telegram);
    QCOMPARE(project.activeButtons(), QStringList());
    QVERIFY(panel.hooks.monitorLines.last().startsWith(u"Reset 3 40 -  ("_s));

    // A speed button moved to 40/3, a member added there with a reaction, a member renamed.
    DataView &speed = project.data.cdsMTSpeedBut;
    speed.clearFilter();
    QVERIFY(speed.locate(u"Name"_s, u"S2"_s));
    speed.setFieldValue(u"Address", 40);
    speed.setFieldValue(u"Group", 3);
    speed.post();
    DataView &members = project.data.cdsMembers;
    members.append();
    members.setFieldValue(u"MemberID", u"M4"_s);
    members.setFieldValue(u"Name", u"Tuin"_s);
    members.setFieldValue(u"Address", 40);
    members.setFieldValue(u"Group", 3);
    members.post();
    QVERIFY(members.locate(u"MemberID"_s, u"M1"_s));
    members.setFieldValue(u"Name", u"Keuken links"_s);
    members.post();
    DataView &react = project.data.cdsMTReact;
    react.append();
    react.setFieldValue(u"ActionID", u"M4"_s);
    react.setFieldValue(u"Function", 48);
    react.setFieldValue(u"StartIt1", u"http://127.0.0.1/tuin"_s);
    react.post();

    panel.hooks.calls.clear();
    panel.handler.ProcessTelegram(t(40, 0x33));
    QCOMPARE(project.activeButtons(), QStringList{u"S2"_s});
    QVERIFY(panel.hooks.monitorLines.last().startsWith(u"Set 3 40 - Tuin ("_s));
    QCOMPARE(panel.hooks.callsWithout(u"redraw"_s), QStringList{u"web http://127.0.0.1/tuin"_s});
    panel.handler.ProcessTelegram(t(12, 0x35));
    QVERIFY(panel.hooks.monitorLines.last().startsWith(u"Set 5 12 - Keuken links ("_s));

    // A project reloaded in place: the old answers are gone.
    TOpenDataSets::SaveAllXML(project.data, true);
    project.write(TableDeclarations::mtCommBut(), {button(u"C9"_s, {}, 7, 99)});
    TOpenDataSets::OpenAllTouchXML(project.data);
    panel.handler.ProcessTelegram(t(99, 0x37));
    QVERIFY(project.activeButtons().contains(u"C9"_s));
}

void tst_TelegramHandler::closedTablesAreSkipped()
{
    // No project loaded: every table is closed.
    Project project({reaction(u"M1"_s, 48, u"1"_s)}, false);
    Panel panel(project);
    panel.hooks.monitor = true;
    panel.handler.ProcessTelegram(t(12, 0x35));
    QCOMPARE(panel.hooks.calls, QStringList{u"redraw"_s});
    QCOMPARE(panel.hooks.monitorLines.size(), 1);
    QVERIFY(panel.hooks.monitorLines.first().startsWith(u"Set 5 12 -  ("_s));
    QVERIFY(panel.platform.power.calls().isEmpty());
    QVERIFY(!panel.fields.Receiving);
}

void tst_TelegramHandler::unusableStateViewIsLoggedAndOthersGoOn()
{
    // A communication-button file without the Group column: its filter cannot be built.
    Project project({}, false);
    TableDeclaration broken = TableDeclarations::mtCommBut();
    broken.columns.removeIf([](const auto &c) { return c.name == u"Group"; });
    project.write(broken, {{{u"Name"_s, u"C1"_s}, {u"Address"_s, 12}, {u"Active"_s, false}}});
    TOpenDataSets::OpenAllTouchXML(project.data);
    QVERIFY(project.data.cdsMTCommButFont.isActive());

    Panel panel(project);
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression(u"^\"cdsMTCommButFont\" state not stored"_s));
    panel.handler.ProcessTelegram(t(12, 0x35));
    QCOMPARE(project.activeButtons(), (QStringList{u"H1"_s, u"S1"_s, u"T1"_s}));
    QCOMPARE(panel.hooks.calls, QStringList{u"redraw"_s});
}

QTEST_GUILESS_MAIN(tst_TelegramHandler)
#include "tst_telegramhandler.moc"
