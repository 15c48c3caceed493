// The frame of the main screen driven through its widgets: the clock line, the dock's common
// rule, the door station, the thermostat pop-up's telegrams and the exit.
#include "mainscreenfixture.h"

#include "app/clockline.h"
#include "app/messageoverlay.h"
#include "bus/gatewaylink.h"
#include "platform/fakeprocesscontrol.h"
#include "platform/fakeshellopener.h"
#include "touch/popuppanel.h"

#include <QLabel>

using namespace Qt::StringLiterals;
using namespace MainScreenFixture;

namespace {

enum Phase
{
    StartDelay, // the countdown runs
    SpeedPoll,  // the start-up poll asks the speed buttons' members
    Running
};

const QString kUpdateText = u"Er is een nieuwere versie beschikbaar.\nHet downloaden zal starten als je dit "
                            u"programma afsluit."_s;

// A panel in the phase asked for. The poll's ticks are an hour apart, so it stays in its first
// phase for the whole test.
std::unique_ptr<Panel> panelIn(Phase phase, QList<Panel::IniValue> ini = {})
{
    ini.append({u"Sett"_s, u"StatTimer"_s, u"3600000"_s});
    ini.append({u"MTSS"_s, u"DumPConnectionTimer"_s, u"1000"_s});
    if (phase == StartDelay)
        ini.append({u"Sett"_s, u"StartDelay"_s, u"30"_s});
    auto p = std::make_unique<Panel>(ini);
    switch (phase) {
    case StartDelay:
        p->create();
        break;
    case SpeedPoll:
        p->start();
        break;
    case Running:
        p->startQuiet();
        break;
    }
    return p;
}

} // namespace

class tst_MainScreenFrame : public QObject
{
    Q_OBJECT

private slots:
    void clockLine_data();
    void clockLine();
    void clockTickFillsTheLabel();
    void dockVisibility_data();
    void dockVisibility();
    void dockCommonRule_data();
    void dockCommonRule();
    void doorStation_data();
    void doorStation();
    void thermostatTelegrams_data();
    void thermostatTelegrams();
};

void tst_MainScreenFrame::clockLine_data()
{
    QTest::addColumn<QDate>("date");
    QTest::addColumn<QString>("weekday");
    QTest::addRow("Sunday") << QDate(2026, 12, 13) << u"Zondag"_s;
    QTest::addRow("Monday") << QDate(2026, 12, 14) << u"Maandag"_s;
    QTest::addRow("Wednesday") << QDate(2026, 12, 16) << u"Woensdag"_s;
    QTest::addRow("Saturday") << QDate(2026, 12, 19) << u"Zaterdag"_s;
    QTest::addRow("leap day, a Thursday") << QDate(2024, 2, 29) << u"Donderdag"_s;
}

void tst_MainScreenFrame::clockLine()
{
    QFETCH(QDate, date);
    QFETCH(QString, weekday);
    const QDateTime moment(date, QTime(7, 5, 9));
    for (const QLocale &locale :
         {QLocale(QLocale::Dutch, QLocale::Netherlands), QLocale(QLocale::English, QLocale::UnitedStates)}) {
        const QString line = ClockLine::text(moment, locale);
        const QString head = weekday + u", "_s + locale.toString(date, QLocale::ShortFormat) + u" - "_s;
        QVERIFY2(line.startsWith(head), qPrintable(line));
        // The long time format with the seconds, without a time zone.
        const QString time = line.mid(head.size());
        QVERIFY2(time.contains(u"05:09"_s) || time.contains(u"5:09"_s), qPrintable(line));
        QVERIFY2(!time.contains(u"UTC"_s) && !time.contains(u"CET"_s), qPrintable(line));
    }
}

void tst_MainScreenFrame::clockTickFillsTheLabel()
{
    auto p = panelIn(StartDelay);
    // The clock runs during the start delay as well.
    QCOMPARE(p->screen->clockLabel()->text(), u"Zoeken..."_s);
    const QDate before = QDate::currentDate();
    p->screen->ClockTimerTimer();
    const QString text = p->screen->clockLabel()->text();
    const bool matches = text.startsWith(ClockLine::dutchWeekday(before) + u", "_s) ||
                         text.startsWith(ClockLine::dutchWeekday(QDate::currentDate()) + u", "_s);
    QVERIFY2(matches, qPrintable(text));
}

void tst_MainScreenFrame::dockVisibility_data()
{
    QTest::addColumn<bool>("music");
    QTest::addColumn<bool>("door");
    QTest::addColumn<bool>("minimise");
    QTest::addRow("none of the optional icons") << false << false << false;
    QTest::addRow("music") << true << false << false;
    QTest::addRow("door station") << false << true << false;
    QTest::addRow("minimise") << false << false << true;
    QTest::addRow("all") << true << true << true;
}

void tst_MainScreenFrame::dockVisibility()
{
    QFETCH(bool, music);
    QFETCH(bool, door);
    QFETCH(bool, minimise);
    const auto flag = [](bool on) { return on ? u"1"_s : u"0"_s; };
    auto p = panelIn(Running, {{u"Sett"_s, u"DispNuvo"_s, flag(music)},
                               {u"Sett"_s, u"DispSiedle"_s, flag(door)},
                               {u"Sett"_s, u"AMinimalise"_s, flag(minimise)}});
    TMainScreen &s = *p->screen;
    for (const QString &always :
         {u"imgButtons"_s, u"imgRefresh"_s, u"imgCleaning"_s, u"imgSettings"_s, u"imgExit"_s})
        QVERIFY2(s.dockIcon(always)->isVisible(), qPrintable(always));
    QCOMPARE(s.dockIcon(u"imgMusic"_s)->isVisible(), music);
    QCOMPARE(s.dockIcon(u"imgSiedle"_s)->isVisible(), door);
    QCOMPARE(s.dockIcon(u"imgMinimize"_s)->isVisible(), minimise);
    // No update is ready in a test.
    QVERIFY(!s.dockIcon(u"imgUpdate"_s)->isVisible());
    // Centred in the window, also after the icons changed.
    QCOMPARE(s.dock()->x(), (s.width() - s.dock()->width()) / 2);

    // The settings apply at the next activation of the main screen.
    s.settings().DispNuvo = !music;
    s.settings().AMinimalise = !minimise;
    s.FormActivate();
    QCOMPARE(s.dockIcon(u"imgMusic"_s)->isVisible(), !music);
    QCOMPARE(s.dockIcon(u"imgMinimize"_s)->isVisible(), !minimise);
    QCOMPARE(s.dock()->x(), (s.width() - s.dock()->width()) / 2);
}

void tst_MainScreenFrame::dockCommonRule_data()
{
    QTest::addColumn<QString>("icon");
    QTest::addColumn<int>("phase");
    QTest::addColumn<bool>("endUserOnly");
    QTest::addColumn<bool>("acts");
    for (const char *icon : {"imgUpdate", "imgRefresh", "imgExit"}) {
        QTest::addRow("%s during the start delay", icon)
            << QString::fromLatin1(icon) << int(StartDelay) << false << false;
        QTest::addRow("%s during a speed-button poll", icon)
            << QString::fromLatin1(icon) << int(SpeedPoll) << false << (QByteArrayView(icon) == "imgRefresh");
        QTest::addRow("%s when running", icon) << QString::fromLatin1(icon) << int(Running) << false << true;
    }
    QTest::addRow("imgExit when running, EndUserOnly") << u"imgExit"_s << int(Running) << true << false;
}

void tst_MainScreenFrame::dockCommonRule()
{
    QFETCH(QString, icon);
    QFETCH(int, phase);
    QFETCH(bool, endUserOnly);
    QFETCH(bool, acts);
    auto p = panelIn(Phase(phase), {{u"Sett"_s, u"EndUserOnly"_s, endUserOnly ? u"1"_s : u"0"_s}});
    QCOMPARE(p->screen->ProgramStarted, phase != StartDelay);
    QCOMPARE(p->screen->StatusScreen(), phase == SpeedPoll);
    GatewayLink &link = p->screen->link();
    link.DumpTimerTimer();
    link.DumpTimerTimer();
    QCOMPARE(link.SSSec(), 2);

    TouchButton *b = p->screen->dockIcon(icon);
    QVERIFY(b);
    if (b->isVisible())
        QTest::mouseClick(b, Qt::LeftButton);
    else
        b->click();
    // Whatever it does, it counts as activity.
    QCOMPARE(link.SSSec(), 0);

    if (icon == u"imgUpdate"_s) {
        QCOMPARE(p->screen->messageOverlay()->isVisible(), acts);
        if (acts)
            QCOMPARE(p->screen->messageOverlay()->text(), kUpdateText);
    } else if (icon == u"imgRefresh"_s) {
        // A refresh starts a poll (during a poll it is the one already running).
        QCOMPARE(p->screen->AskingStatusScreen(), acts);
    } else if (icon == u"imgExit"_s) {
        QCOMPARE(p->screen->isClosed(), acts);
        QCOMPARE(p->screen->EUClose, endUserOnly && phase == Running);
    }
}

void tst_MainScreenFrame::doorStation_data()
{
    QTest::addColumn<int>("phase");
    QTest::addColumn<bool>("running");
    QTest::addColumn<bool>("failing");
    QTest::addRow("not running, opens") << int(Running) << false << false;
    QTest::addRow("running: ended first") << int(Running) << true << false;
    QTest::addRow("cannot be opened: message") << int(Running) << false << true;
    QTest::addRow("during a speed-button poll") << int(SpeedPoll) << true << false;
}

void tst_MainScreenFrame::doorStation()
{
    QFETCH(int, phase);
    QFETCH(bool, running);
    QFETCH(bool, failing);
    auto p = panelIn(Phase(phase), {{u"Sett"_s, u"DispSiedle"_s, u"1"_s}});
    if (running)
        p->platform.processes.setRunning({u"bsht.exe"_s});
    p->platform.shell.setFailing(failing);

    TouchButton *b = p->screen->dockIcon(u"imgSiedle"_s);
    QVERIFY(b->isVisible());
    QTest::mouseClick(b, Qt::LeftButton);

    const QList<FakeProcessControl::Call> calls = p->platform.processes.calls();
    QVERIFY(!calls.isEmpty());
    QCOMPARE(calls.first().operation, FakeProcessControl::Operation::Exists);
    QCOMPARE(calls.first().name.toLower(), u"bsht.exe"_s);
    const FakeProcessControl::Call kill{FakeProcessControl::Operation::Kill, u"BSHT.exe"_s};
    QCOMPARE(calls.contains(kill), running);
    QVERIFY(p->platform.processes.running().isEmpty());
    QCOMPARE(p->platform.shell.calls(),
             (QList<FakeShellOpener::Call>{
                 {QString::fromUtf16(TMainScreen::SiedlePath), ShellOpener::ShowMode::Normal}}));
    QCOMPARE(p->screen->messageOverlay()->isVisible(), failing);
    if (failing)
        QCOMPARE(p->screen->messageOverlay()->text(),
                 u"Het geselecteerde programma kan niet geopend worden"_s);
}

void tst_MainScreenFrame::thermostatTelegrams_data()
{
    QTest::addColumn<int>("address");
    QTest::addColumn<int>("group");
    QTest::addColumn<Telegram>("status");
    QTest::addColumn<Telegram>("select");
    // Without a followed thermostat the comfort buttons address the current special module: after
    // Check4AddMembers the table's last record in its order by group (the demo's clock module at
    // address 40, group 2).
    QTest::addRow("no thermostat followed") << 0 << 0 << Telegram{0, 0x50} << Telegram{40, 0xD2};
    QTest::addRow("thermostat 51/3 followed") << 51 << 3 << Telegram{51, 0x53} << Telegram{51, 0xD3};
}

void tst_MainScreenFrame::thermostatTelegrams()
{
    QFETCH(int, address);
    QFETCH(int, group);
    QFETCH(Telegram, status);
    QFETCH(Telegram, select);
    auto p = panelIn(Running, {{u"TSM"_s, u"FollowingAd"_s, QString::number(address)},
                               {u"TSM"_s, u"FollowingGr"_s, QString::number(group)}});
    QLabel *temperature = p->screen->temperatureLabel();
    QVERIFY(temperature->isVisible());
    QTest::mouseClick(temperature, Qt::LeftButton);
    QVERIFY(p->screen->thermostatPopup()->isOpen());
    QVERIFY(p->sync());
    QCOMPARE(p->sentBeforeSync(), QList<Telegram>{status});
    p->gateway.clear();

    TouchButton *comfort3 = p->screen->comfortButtons().value(2);
    QVERIFY(comfort3 && comfort3->isVisible());
    QTest::mouseClick(comfort3, Qt::LeftButton);
    QVERIFY(p->sync());
    QCOMPARE(p->sentBeforeSync(), (QList<Telegram>{{13, 0xE0}, select}));
}

QTEST_MAIN(tst_MainScreenFrame)
#include "tst_mainscreenframe.moc"
