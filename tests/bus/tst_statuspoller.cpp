#include "app/settingsrecord.h"
#include "bus/exchangefields.h"
#include "bus/statuspoller.h"
#include "bus/statuspollerhooks.h"
#include "data/datamodulekvx.h"
#include "data/opendatasets.h"
#include "data/tabledeclarations.h"
#include "data/tablefiles.h"

#include <QDir>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

using Rows = QList<QVariantHash>;
using Telegrams = QList<Telegram>;

QVariantHash button(const QString &name, int group, int address, int indexer, bool active = false)
{
    return {{u"Name"_s, name},     {u"Group"_s, group},     {u"Address"_s, address},
            {u"Active"_s, active}, {u"Indexer"_s, indexer}, {u"Screen"_s, u"Hal"_s}};
}

Telegram status(int address, int group)
{
    return {quint8(address), quint8(0x50 + group)};
}

struct RecordingHooks : StatusPollerHooks
{
    bool started = true;
    Telegrams sent;
    QStringList progress;
    int redraws = 0;

    bool programStarted() const override { return started; }
    void sendTelegram(Telegram telegram) override { sent << telegram; }
    void showProgress() override { progress << u"show"_s; }
    void setProgressMaximum(int maximum) override { progress << u"max %1"_s.arg(maximum); }
    void stepProgress() override { progress << u"step"_s; }
    void hideProgress() override { progress << u"hide"_s; }
    void redrawRequested() override { ++redraws; }
};

// A project with the given speed and communication buttons (and one navigation-screen button,
// which the main screen's poll leaves alone).
class Panel
{
public:
    Panel(const Rows &speedButtons, const Rows &commButtons)
    {
        write(TableDeclarations::mtSpeedBut(), speedButtons);
        write(TableDeclarations::mtCommBut(), commButtons);
        write(TableDeclarations::mtNav(),
              {{{u"Name"_s, u"Hal"_s}, {u"Screen"_s, u"Hal"_s}, {u"Indexer"_s, 1}}});
        write(TableDeclarations::mtBut(), {button(u"H1"_s, 5, 12, 1, true)});
        data.setProjDir(project.path());
        TOpenDataSets::OpenAllTouchXML(data);
        settings.StatTimer = 40;
    }

    void write(const TableDeclaration &declaration, const Rows &rows) const
    {
        TableFiles::write(QDir(project.path()).filePath(declaration.fileName), declaration, rows);
    }

    // Names of the active buttons of one state view, in its order.
    static QStringList active(DataView &view)
    {
        QStringList names;
        view.clearFilter();
        for (view.first(); !view.eof(); view.next()) {
            if (view.fieldBool(u"Active"))
                names << view.fieldText(u"Name");
        }
        return names;
    }

    void setActive(DataView &view, const QString &name)
    {
        view.clearFilter();
        QVERIFY(view.locate(u"Name"_s, name));
        view.setFieldValue(u"Active", true);
        view.post();
    }

    // Runs the running phase's timer handler once, as its timer would.
    void tick()
    {
        if (poller.isStatusTimerActive())
            poller.StatusTimerTimer();
        else if (poller.isStatusTimer1Active())
            poller.StatusTimer1Timer();
    }

    QTemporaryDir program;
    QTemporaryDir project;
    TDataModuleKVX data{program.path()};
    ExchangeFields fields;
    SettingsRecord settings;
    RecordingHooks hooks;
    StatusPoller poller{data, fields, settings, hooks};
};

const Rows threeSpeedButtons{button(u"S1"_s, 5, 12, 2), button(u"S2"_s, 2, 7, 1), button(u"S3"_s, 0, 255, 3)};
const Rows twoCommButtons{button(u"C1"_s, 4, 12, 1), button(u"C2"_s, 15, 0, 2)};
// The asks in table order (Indexer): S2, S1, S3, then C1, C2.
const Telegrams allAsks{status(7, 2), status(12, 5), status(255, 0), status(12, 4), status(0, 15)};

} // namespace

class tst_StatusPoller : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void noButtonsEndsAfterTwoTicks_data();
    void noButtonsEndsAfterTwoTicks();
    void asksOneButtonPerTickInTableOrder();
    void statesClearedWhenThePollStarts();
    void tickSkippedWhileReceiving();
    void pressDuringThePollDoesNotChangeWhomItAsks();
    void newPollStartsOver_data();
    void newPollStartsOver();
    void nothingBeforeProgramStarted();
    void stopEndsThePollQuietly();
    void outOfRangeButtonIsNotAsked();
    void timersDriveThePoll();
};

void tst_StatusPoller::noButtonsEndsAfterTwoTicks_data()
{
    QTest::addColumn<int>("followingGR");
    QTest::addColumn<int>("followingAD");
    QTest::addColumn<Telegrams>("sent");

    QTest::newRow("followed thermostat asked") << 3 << 20 << Telegrams{status(20, 3)};
    QTest::newRow("FollowingTSMGR 0: not asked") << 0 << 20 << Telegrams();
    QTest::newRow("FollowingTSMAD 0: not asked") << 3 << 0 << Telegrams();
    QTest::newRow("none followed") << 0 << 0 << Telegrams();
}

void tst_StatusPoller::noButtonsEndsAfterTwoTicks()
{
    QFETCH(int, followingGR);
    QFETCH(int, followingAD);
    QFETCH(Telegrams, sent);

    Panel panel({}, {});
    panel.settings.FollowingTSMGR = followingGR;
    panel.settings.FollowingTSMAD = followingAD;
    QSignalSpy finished(&panel.poller, &StatusPoller::pollFinished);
    panel.poller.AskStatusScreen();
    QVERIFY(panel.poller.StatusScreen());
    QVERIFY(panel.poller.AskingStatusScreen());
    QVERIFY(panel.poller.isStatusTimerActive());

    panel.poller.StatusTimerTimer();
    QVERIFY(!panel.poller.StatusScreen());
    QVERIFY(panel.poller.AskingStatusScreen());
    QVERIFY(!panel.poller.isStatusTimerActive());
    QVERIFY(panel.poller.isStatusTimer1Active());
    QVERIFY(panel.hooks.sent.isEmpty());

    panel.poller.StatusTimer1Timer();
    QVERIFY(!panel.poller.AskingStatusScreen());
    QVERIFY(!panel.poller.isStatusTimer1Active());
    QCOMPARE(panel.hooks.sent, sent);
    QCOMPARE(panel.hooks.redraws, 1);
    QCOMPARE(panel.hooks.progress, (QStringList{u"show"_s, u"max 0"_s, u"step"_s, u"step"_s, u"hide"_s}));
    QCOMPARE(finished.size(), 1);
}

void tst_StatusPoller::asksOneButtonPerTickInTableOrder()
{
    Panel panel(threeSpeedButtons, twoCommButtons);
    panel.settings.FollowingTSMGR = 1;
    panel.settings.FollowingTSMAD = 30;
    panel.poller.AskStatusScreen();
    QCOMPARE(panel.poller.statusTimerInterval(), 40);
    QCOMPARE(panel.hooks.progress, (QStringList{u"show"_s, u"max 5"_s}));

    // One telegram per tick: the speed buttons while StatusScreen is set, then the others.
    const QList<bool> speedPhaseAfter{true, true, false, false, false};
    for (int n = 0; n < allAsks.size(); ++n) {
        panel.tick();
        QVERIFY(panel.hooks.sent.size() >= n + 1);
        QCOMPARE(panel.hooks.sent[n], allAsks[n]);
        QCOMPARE(panel.poller.StatusScreen(), speedPhaseAfter[n]);
        if (n == 2) {
            QCOMPARE(panel.poller.StatusNr(), 1);
            QCOMPARE(panel.poller.statusTimer1Interval(), 40);
            QCOMPARE(panel.hooks.redraws, 0);
        }
    }
    QVERIFY(!panel.poller.AskingStatusScreen());
    QVERIFY(!panel.poller.isStatusTimerActive());
    QVERIFY(!panel.poller.isStatusTimer1Active());
    QCOMPARE(panel.hooks.sent, allAsks + Telegrams{status(30, 1)});
    QCOMPARE(panel.hooks.redraws, 1);
    QCOMPARE(panel.hooks.progress.count(u"step"_s), 5);
    QCOMPARE(panel.hooks.progress.last(), u"hide"_s);

    // A late tick does nothing.
    panel.poller.StatusTimerTimer();
    panel.poller.StatusTimer1Timer();
    QCOMPARE(panel.hooks.sent.size(), 6);
}

void tst_StatusPoller::statesClearedWhenThePollStarts()
{
    Panel panel({button(u"S1"_s, 5, 12, 1, true), button(u"S2"_s, 2, 7, 2, true)},
                {button(u"C1"_s, 4, 12, 1, true)});
    panel.data.cdsMTSpeedBut.setFilter(u"Name = 'S2'"_s); // left by a press
    panel.data.cdsMTSpeedButFont.setFilter(u"Address=7 and Group=2"_s);
    panel.poller.AskStatusScreen();

    QCOMPARE(Panel::active(panel.data.cdsMTSpeedButFont), QStringList());
    QCOMPARE(Panel::active(panel.data.cdsMTCommButFont), QStringList());
    QCOMPARE(Panel::active(panel.data.cdsMTButFont), QStringList{u"H1"_s}); // the button screen's own
    QVERIFY(!panel.data.cdsMTSpeedBut.isFiltered());
    QCOMPARE(panel.hooks.progress, (QStringList{u"show"_s, u"max 3"_s}));
}

void tst_StatusPoller::tickSkippedWhileReceiving()
{
    Panel panel(threeSpeedButtons, twoCommButtons);
    panel.poller.AskStatusScreen();
    panel.fields.Receiving = true;
    panel.poller.StatusTimerTimer();
    QVERIFY(panel.hooks.sent.isEmpty());
    QCOMPARE(panel.poller.StatusNr(), 1);
    QCOMPARE(panel.hooks.progress.count(u"step"_s), 0);

    panel.fields.Receiving = false;
    panel.poller.StatusTimerTimer();
    QCOMPARE(panel.hooks.sent, Telegrams{allAsks.first()});

    // The same in the communication-button phase.
    panel.tick();
    panel.tick();
    QVERIFY(panel.poller.isStatusTimer1Active());
    panel.fields.Receiving = true;
    panel.poller.StatusTimer1Timer();
    QCOMPARE(panel.hooks.sent.size(), 3);
    panel.fields.Receiving = false;
    panel.poller.StatusTimer1Timer();
    QCOMPARE(panel.hooks.sent.last(), allAsks[3]);
}

void tst_StatusPoller::pressDuringThePollDoesNotChangeWhomItAsks()
{
    Panel panel(threeSpeedButtons, twoCommButtons);
    panel.poller.AskStatusScreen();
    panel.tick();
    // A press of S3 filters the speed buttons to it, and of C2 the communication buttons.
    panel.data.cdsMTSpeedBut.setFilter(u"Name = 'S3'"_s);
    panel.data.cdsMTCommBut.setFilter(u"Name = 'C2'"_s);
    for (int n = 1; n < allAsks.size(); ++n)
        panel.tick();
    QCOMPARE(panel.hooks.sent, allAsks);
    QVERIFY(!panel.poller.AskingStatusScreen());
    QCOMPARE(panel.data.cdsMTSpeedBut.recordCount(), 1); // the press's filter stays
}

void tst_StatusPoller::newPollStartsOver_data()
{
    QTest::addColumn<int>("ticksBefore");
    QTest::newRow("in the speed-button phase") << 1;
    QTest::newRow("at the change of phase") << 3;
    QTest::newRow("in the communication-button phase") << 4;
}

void tst_StatusPoller::newPollStartsOver()
{
    QFETCH(int, ticksBefore);

    Panel panel(threeSpeedButtons, twoCommButtons);
    panel.poller.AskStatusScreen();
    for (int n = 0; n < ticksBefore; ++n)
        panel.tick();
    panel.setActive(panel.data.cdsMTSpeedButFont, u"S1"_s); // a reply arrived
    panel.setActive(panel.data.cdsMTCommButFont, u"C1"_s);
    panel.hooks.sent.clear();
    panel.hooks.progress.clear();

    panel.poller.AskStatusScreen();
    QVERIFY(panel.poller.StatusScreen());
    QVERIFY(panel.poller.AskingStatusScreen());
    QCOMPARE(panel.poller.StatusNr(), 1);
    QVERIFY(panel.poller.isStatusTimerActive());
    QVERIFY(!panel.poller.isStatusTimer1Active());
    QCOMPARE(Panel::active(panel.data.cdsMTSpeedButFont), QStringList());
    QCOMPARE(Panel::active(panel.data.cdsMTCommButFont), QStringList());
    QCOMPARE(panel.hooks.progress, (QStringList{u"show"_s, u"max 5"_s}));

    // A tick of the stopped phase would ask nothing.
    panel.poller.StatusTimer1Timer();
    QVERIFY(panel.hooks.sent.isEmpty());
    for (int n = 0; n < allAsks.size(); ++n)
        panel.tick();
    QCOMPARE(panel.hooks.sent, allAsks);
    QVERIFY(!panel.poller.AskingStatusScreen());
    QCOMPARE(panel.hooks.redraws, 1);
}

void tst_StatusPoller::nothingBeforeProgramStarted()
{
    Panel panel(threeSpeedButtons, {button(u"C1"_s, 4, 12, 1, true)});
    panel.hooks.started = false;
    panel.poller.AskStatusScreen();
    QVERIFY(!panel.poller.AskingStatusScreen());
    QVERIFY(!panel.poller.isStatusTimerActive());
    QVERIFY(panel.hooks.progress.isEmpty());
    QCOMPARE(Panel::active(panel.data.cdsMTCommButFont), QStringList{u"C1"_s});
}

void tst_StatusPoller::stopEndsThePollQuietly()
{
    Panel panel(threeSpeedButtons, twoCommButtons);
    panel.settings.FollowingTSMGR = 1;
    panel.settings.FollowingTSMAD = 30;
    panel.poller.AskStatusScreen();
    panel.tick();
    panel.poller.stop();
    QVERIFY(!panel.poller.StatusScreen());
    QVERIFY(!panel.poller.AskingStatusScreen());
    QVERIFY(!panel.poller.isStatusTimerActive());
    QCOMPARE(panel.hooks.progress.last(), u"hide"_s);
    panel.poller.StatusTimerTimer();
    QCOMPARE(panel.hooks.sent.size(), 1);
    QCOMPARE(panel.hooks.redraws, 0);
}

void tst_StatusPoller::outOfRangeButtonIsNotAsked()
{
    // Group 16 would turn the Status telegram into another function: that button is skipped,
    // its tick still counted.
    Panel panel({button(u"S1"_s, 16, 12, 1), button(u"S2"_s, 2, 7, 2)}, {});
    panel.poller.AskStatusScreen();
    QTest::ignoreMessage(QtWarningMsg, "Status poll: no bus point at address 12 group 16");
    panel.tick();
    QVERIFY(panel.hooks.sent.isEmpty());
    panel.tick();
    QCOMPARE(panel.hooks.sent, Telegrams{status(7, 2)});
    QVERIFY(!panel.poller.StatusScreen());
}

void tst_StatusPoller::timersDriveThePoll()
{
    Panel panel(threeSpeedButtons, twoCommButtons);
    panel.settings.StatTimer = 1;
    QSignalSpy finished(&panel.poller, &StatusPoller::pollFinished);
    panel.poller.AskStatusScreen();
    QVERIFY(finished.wait(5000));
    QCOMPARE(panel.hooks.sent, allAsks);
}

QTEST_GUILESS_MAIN(tst_StatusPoller)
#include "tst_statuspoller.moc"
