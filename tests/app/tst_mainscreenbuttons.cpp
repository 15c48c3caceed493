// The project's buttons on the main screen driven through their widgets: what a press and a
// release send to the gateway, captions and order, StartIt, the on/off faces after a Set, the
// special-module flags and the small settings panel.
#include "mainscreenfixture.h"

#include "app/mainarea.h"
#include "app/webviewstub.h"
#include "data/datatable.h"
#include "platform/fakeshellopener.h"
#include "touch/iconset.h"
#include "touch/spinner.h"
#include "touch/touchcolors.h"

#include <QLineEdit>
#include <QSignalSpy>

#include <algorithm>

using namespace Qt::StringLiterals;
using namespace MainScreenFixture;

namespace {

// The names of the buttons in an area, top to bottom (or left to right).
QStringList namesInOrder(QWidget *area, bool vertical)
{
    QList<TouchButton *> buttons = area->findChildren<TouchButton *>();
    std::sort(buttons.begin(), buttons.end(), [vertical](TouchButton *a, TouchButton *b) {
        return vertical ? a->y() < b->y() : a->x() < b->x();
    });
    QStringList names;
    for (TouchButton *b : buttons)
        names.append(b->objectName());
    return names;
}

bool locate(DataView &view, const QString &name)
{
    view.clearFilter();
    return view.locate(u"Name"_s, name);
}

} // namespace

class tst_MainScreenButtons : public QObject
{
    Q_OBJECT

private slots:
    void pressAndReleaseSendByFlank_data();
    void pressAndReleaseSendByFlank();
    void releaseGoesToThePressedButton();
    void quoteInNameStillFindsItsActions();
    void emptyButCapShowsActionCapt_data();
    void emptyButCapShowsActionCapt();
    void speedButtonsFollowIndexer();
    void emptyTablesHideTheirPanels_data();
    void emptyTablesHideTheirPanels();
    void speedButtonStartItOpensAndSends();
    void commButtonStartItShowsWebView();
    void setAndResetTurnFaces_data();
    void setAndResetTurnFaces();
    void check4AddMembersFlags_data();
    void check4AddMembersFlags();
    void smallSettingsPanel();
};

void tst_MainScreenButtons::pressAndReleaseSendByFlank_data()
{
    QTest::addColumn<bool>("comm");
    QTest::addColumn<int>("flank");
    QTest::addColumn<bool>("onOff");
    QTest::addColumn<bool>("atPress");
    QTest::addColumn<bool>("atRelease");
    for (const bool comm : {false, true}) {
        const char *kind = comm ? "comm" : "speed";
        QTest::addRow("%s flank 0: release only", kind) << comm << 0 << true << false << true;
        QTest::addRow("%s flank 1: press only", kind) << comm << 1 << true << true << false;
        QTest::addRow("%s flank 2: both", kind) << comm << 2 << true << true << true;
        QTest::addRow("%s flank 3: never", kind) << comm << 3 << true << false << false;
        QTest::addRow("%s flank 2 disabled: never", kind) << comm << 2 << false << false << false;
    }
}

void tst_MainScreenButtons::pressAndReleaseSendByFlank()
{
    QFETCH(bool, comm);
    QFETCH(int, flank);
    QFETCH(bool, onOff);
    QFETCH(bool, atPress);
    QFETCH(bool, atRelease);

    Panel p;
    QVERIFY(p.startQuiet());
    // Toggle (32) of member M22, address 12 group 5: byte 1 = 5 + 32.
    const QString name = comm ? u"ComNacht"_s : u"SpdPoort"_s;
    setActions(comm ? p.data->cdsMTCommAct : p.data->cdsMTSpeedAct, name, {{u"M22"_s, 32, flank, onOff}});
    TouchButton *b = comm ? p.commButton(name) : p.speedButton(name);
    QVERIFY(b);
    const Telegram toggle{12, 37};

    QTest::mousePress(b, Qt::LeftButton);
    QVERIFY(p.sync());
    QCOMPARE(p.sentBeforeSync(), atPress ? QList<Telegram>{toggle} : QList<Telegram>{});
    p.gateway.clear();

    QTest::mouseRelease(b, Qt::LeftButton);
    QVERIFY(p.sync());
    QCOMPARE(p.sentBeforeSync(), atRelease ? QList<Telegram>{toggle} : QList<Telegram>{});
}

void tst_MainScreenButtons::releaseGoesToThePressedButton()
{
    Panel p;
    QVERIFY(p.startQuiet());
    setActions(p.data->cdsMTSpeedAct, u"SpdPoort"_s, {{u"M22"_s, 16, 0, true}});
    setActions(p.data->cdsMTSpeedAct, u"SpdTuin"_s, {{u"M17"_s, 16, 0, true}});
    TouchButton *pressed = p.speedButton(u"SpdPoort"_s);
    TouchButton *other = p.speedButton(u"SpdTuin"_s);
    QVERIFY(pressed && other);

    // Pressed on one button, slid over another and lifted there.
    QTest::mousePress(pressed, Qt::LeftButton);
    const QPoint over = pressed->mapFromGlobal(other->mapToGlobal(other->rect().center()));
    QTest::mouseMove(pressed, over);
    QTest::mouseRelease(pressed, Qt::LeftButton, {}, over);
    QVERIFY(p.sync());
    QCOMPARE(p.sentBeforeSync(), (QList<Telegram>{{12, 5 + 16}}));
    QCOMPARE(p.screen->ClickBut.data(), pressed);
}

void tst_MainScreenButtons::quoteInNameStillFindsItsActions()
{
    Panel p;
    QVERIFY(p.startQuiet());
    const QString name = u"Spd'Poort"_s;
    DataView &speed = p.data->cdsMTSpeedBut;
    QVERIFY(locate(speed, u"SpdPoort"_s));
    speed.edit();
    speed.setFieldValue(u"Name", name);
    speed.post();
    setActions(p.data->cdsMTSpeedAct, name, {{u"M22"_s, 32, 2, true}});
    p.screen->LoadSpeedButtons();
    QCoreApplication::processEvents(); // the new column laid out, so that the tap lands on it
    TouchButton *b = p.speedButton(name);
    QVERIFY(b);

    QTest::mouseClick(b, Qt::LeftButton);
    QVERIFY(p.sync());
    QCOMPARE(p.sentBeforeSync(), (QList<Telegram>{{12, 37}, {12, 37}}));
}

void tst_MainScreenButtons::emptyButCapShowsActionCapt_data()
{
    QTest::addColumn<bool>("comm");
    QTest::addColumn<QString>("name");
    QTest::addRow("speed button") << false << u"SpdTuin"_s;
    QTest::addRow("communication button") << true << u"ComDeurbel"_s;
}

void tst_MainScreenButtons::emptyButCapShowsActionCapt()
{
    QFETCH(bool, comm);
    QFETCH(QString, name);
    Panel p;
    QVERIFY(p.startQuiet());
    DataView &table = comm ? p.data->cdsMTCommBut : p.data->cdsMTSpeedBut;
    QVERIFY(locate(table, name));
    table.edit();
    table.setFieldValue(u"ButCap", QString());
    table.post();
    const QString actionCapt = table.fieldText(u"ActionCapt");
    QVERIFY(!actionCapt.isEmpty());

    p.screen->LoadSpeedButtons();
    TouchButton *b = comm ? p.commButton(name) : p.speedButton(name);
    QVERIFY(b);
    QCOMPARE(b->text(), actionCapt);
}

void tst_MainScreenButtons::speedButtonsFollowIndexer()
{
    Panel p;
    QVERIFY(p.startQuiet());
    const QStringList before = namesInOrder(p.screen->speedButtonArea(), true);
    QCOMPARE(before, (QStringList{u"SpdLiving"_s, u"SpdKeuken"_s, u"SpdEten"_s, u"SpdRolOp"_s,
                                  u"SpdRolNeer"_s, u"SpdTuin"_s, u"SpdPoort"_s, u"SpdAllesUit"_s}));
    QCOMPARE(namesInOrder(p.screen->commButtonArea(), false),
             (QStringList{u"ComCamera"_s, u"ComWeer"_s, u"ComAgenda"_s, u"ComDeurbel"_s, u"ComNacht"_s}));

    // The first button moves to the end of the index: it ends up at the bottom.
    DataView &speed = p.data->cdsMTSpeedBut;
    QVERIFY(locate(speed, u"SpdLiving"_s));
    speed.edit();
    speed.setFieldValue(u"Indexer", 99);
    speed.post();
    p.screen->LoadSpeedButtons();
    QStringList expected = before;
    expected.move(0, expected.size() - 1);
    QCOMPARE(namesInOrder(p.screen->speedButtonArea(), true), expected);
}

void tst_MainScreenButtons::emptyTablesHideTheirPanels_data()
{
    QTest::addColumn<bool>("emptySpeed");
    QTest::addColumn<bool>("emptyComm");
    QTest::addRow("no speed buttons") << true << false;
    QTest::addRow("no communication buttons") << false << true;
    QTest::addRow("neither") << true << true;
}

void tst_MainScreenButtons::emptyTablesHideTheirPanels()
{
    QFETCH(bool, emptySpeed);
    QFETCH(bool, emptyComm);
    Panel p;
    QVERIFY(p.startQuiet());
    QVERIFY(p.screen->speedButtonPanel()->isVisible());
    QVERIFY(p.screen->commButtonPanel()->isVisible());
    if (emptySpeed)
        p.data->cdsMTSpeedBut.emptyTable();
    if (emptyComm)
        p.data->cdsMTCommBut.emptyTable();
    p.screen->LoadSpeedButtons();
    p.screen->Check4AddMembers();
    QCOMPARE(p.screen->speedButtonPanel()->isVisible(), !emptySpeed);
    QCOMPARE(p.screen->commButtonPanel()->isVisible(), !emptyComm);
    QCOMPARE(p.screen->speedButtonArea()->findChildren<TouchButton *>().isEmpty(), emptySpeed);
}

void tst_MainScreenButtons::speedButtonStartItOpensAndSends()
{
    Panel p;
    QVERIFY(p.startQuiet());
    DataView &speed = p.data->cdsMTSpeedBut;
    QVERIFY(locate(speed, u"SpdTuin"_s));
    speed.edit();
    speed.setFieldValue(u"StartIt", u"/opt/tuin/sproeier.sh"_s);
    speed.post();
    setActions(p.data->cdsMTSpeedAct, u"SpdTuin"_s, {{u"M22"_s, 32, 1, true}});

    QTest::mousePress(p.speedButton(u"SpdTuin"_s), Qt::LeftButton);
    QVERIFY(p.sync());
    QCOMPARE(p.platform.shell.calls(),
             (QList<FakeShellOpener::Call>{{u"/opt/tuin/sproeier.sh"_s, ShellOpener::ShowMode::Maximized}}));
    QCOMPARE(p.sentBeforeSync(), (QList<Telegram>{{12, 37}}));
    QTest::mouseRelease(p.speedButton(u"SpdTuin"_s), Qt::LeftButton);

    // A button without StartIt opens nothing.
    p.platform.shell.clear();
    QTest::mouseClick(p.speedButton(u"SpdLiving"_s), Qt::LeftButton);
    QVERIFY(p.platform.shell.calls().isEmpty());
}

void tst_MainScreenButtons::commButtonStartItShowsWebView()
{
    Panel p;
    QVERIFY(p.startQuiet());
    MainArea *area = p.screen->mainArea();
    area->ShowPicture();
    const QString addressBefore = area->address();

    QTest::mouseClick(p.commButton(u"ComWeer"_s), Qt::LeftButton);
    QVERIFY(area->isShowingWebPage());
    auto *view = qobject_cast<WebViewStub *>(area->webView());
    QVERIFY(view);
    QCOMPARE(view->currentUrl(), QUrl(u"http://127.0.0.1/weer/"_s));
    // The address box keeps its text; nothing was opened outside the panel.
    QCOMPARE(area->address(), addressBefore);
    QVERIFY(p.platform.shell.calls().isEmpty());
}

void tst_MainScreenButtons::setAndResetTurnFaces_data()
{
    QTest::addColumn<bool>("comm");
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("address");
    QTest::addColumn<int>("group");
    QTest::addRow("speed button SpdPoort") << false << u"SpdPoort"_s << 12 << 5;
    QTest::addRow("communication button ComCamera") << true << u"ComCamera"_s << 70 << 2;
}

void tst_MainScreenButtons::setAndResetTurnFaces()
{
    QFETCH(bool, comm);
    QFETCH(QString, name);
    QFETCH(int, address);
    QFETCH(int, group);
    Panel p;
    QVERIFY(p.startQuiet());
    TouchButton *b = comm ? p.commButton(name) : p.speedButton(name);
    QVERIFY(b);
    const QColor accent = toQColor(p.screen->settings().AccentColor);
    const QColor red = toQColor(ColorCodec::clRed);
    DataView &speed = p.data->cdsMTSpeedBut;
    QVERIFY(locate(speed, u"SpdPoort"_s));
    const int dim = speed.fieldInt(u"Dim");
    auto pictureIs = [&](bool on) {
        const QImage shown = b->picture().pixmap(QSize(32, 32)).toImage();
        const QImage wanted = p.screen->iconSet().forState(on).icon(dim).pixmap(QSize(32, 32)).toImage();
        return shown == wanted;
    };
    if (comm)
        QCOMPARE(b->bevelColor(), accent);
    else
        QVERIFY(pictureIs(false));

    // The gateway reports a Set of the button's member, through the real link.
    p.gateway.send(Telegram::make(address, FunctionCode::Set, group));
    if (comm)
        QTRY_COMPARE(b->bevelColor(), red);
    else
        QTRY_VERIFY(pictureIs(true));

    p.gateway.send(Telegram::make(address, FunctionCode::Reset, group));
    if (comm)
        QTRY_COMPARE(b->bevelColor(), accent);
    else
        QTRY_VERIFY(pictureIs(false));
}

void tst_MainScreenButtons::check4AddMembersFlags_data()
{
    QTest::addColumn<QStringList>("versions");
    QTest::addColumn<bool>("rtc");
    QTest::addColumn<bool>("tsm");
    QTest::addColumn<bool>("dmx");
    QTest::addRow("demo: all three") << QStringList{u"RTC_82"_s, u"TSM_12"_s, u"DMX_3"_s} << true << true
                                     << true;
    QTest::addRow("clock only") << QStringList{u"RTC_24"_s} << true << false << false;
    QTest::addRow("thermostat only") << QStringList{u"TSM_1"_s} << false << true << false;
    QTest::addRow("lower case is not a module")
        << QStringList{u"rtc_1"_s, u"Tsm"_s} << false << false << false;
    QTest::addRow("none") << QStringList{} << false << false << false;
}

void tst_MainScreenButtons::check4AddMembersFlags()
{
    QFETCH(QStringList, versions);
    QFETCH(bool, rtc);
    QFETCH(bool, tsm);
    QFETCH(bool, dmx);
    Panel p;
    QVERIFY(p.startQuiet());
    DataView &add = p.data->cdsMTAddMembers;
    add.emptyTable();
    int n = 0;
    for (const QString &v : versions) {
        add.append();
        add.setFieldValue(u"MemberID", u"X"_s + QString::number(++n));
        add.setFieldValue(u"Version", v);
        add.post();
    }
    p.screen->Check4AddMembers();
    QCOMPARE(p.screen->RTCPResent, rtc);
    QCOMPARE(p.screen->TSMPResent, tsm);
    QCOMPARE(p.screen->DMXPResent, dmx);
    QCOMPARE(p.screen->dockIcon(u"imgClock"_s)->isVisible(), rtc);
    QCOMPARE(p.screen->dockIcon(u"imgThermo"_s)->isVisible(), tsm);
    QCOMPARE(p.screen->dockIcon(u"imgRGB"_s)->isVisible(), dmx);
    if (tsm)
        QVERIFY(p.screen->temperatureLabel()->isVisible());
}

void tst_MainScreenButtons::smallSettingsPanel()
{
    Panel p({{u"Sett"_s, u"ComButHeight"_s, u"250"_s}, {u"Sett"_s, u"SpeedButHeight"_s, u"40"_s}});
    QVERIFY(p.startQuiet());
    QWidget *panel = p.screen->smallSettingsPanel();
    QVERIFY(!panel->isVisible());
    TouchButton *gear = p.screen->findChild<TouchButton *>(u"btnSettings"_s);
    QVERIFY(gear);

    QTest::mouseClick(gear, Qt::LeftButton);
    QVERIFY(panel->isVisible());
    Spinner *comm = p.screen->commButtonSpinner();
    Spinner *speed = p.screen->speedButtonSpinner();
    QCOMPARE(comm->value(), 250);
    QCOMPARE(speed->value(), 40);

    // One step up from 250 wraps round to 50, written to kvx.ini at once.
    comm->stepUp(0);
    QCOMPARE(comm->value(), 50);
    QCOMPARE(p.kvx(u"Sett"_s, u"ComButHeight"_s), u"50"_s);
    QCOMPARE(p.screen->settings().ComButHeight, 50);
    speed->stepDown(0);
    QCOMPARE(p.kvx(u"Sett"_s, u"SpeedButHeight"_s), u"39"_s);
    QCOMPARE(p.screen->settings().SpeedButHeight, 39);
    // Not rebuilt while the panel is open.
    QCOMPARE(p.speedButton(u"SpdLiving"_s)->height(), 40);

    QTest::mouseClick(gear, Qt::LeftButton);
    QVERIFY(!panel->isVisible());
    QCOMPARE(p.speedButton(u"SpdLiving"_s)->height(), 39);
    QCOMPARE(p.commButton(u"ComWeer"_s)->width(), 50);
    // Closing also starts a status poll.
    QVERIFY(p.screen->AskingStatusScreen());
}

QTEST_MAIN(tst_MainScreenButtons)
#include "tst_mainscreenbuttons.moc"
