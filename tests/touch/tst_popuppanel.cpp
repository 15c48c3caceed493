#include "touch/popuppanel.h"
#include "touch/touchbutton.h"

#include <QPointingDevice>
#include <QSignalSpy>
#include <QTest>

using namespace Qt::StringLiterals;

// A window with a button under where the pop-up's surroundings are, and a pop-up holding a
// button of its own (like the comfort buttons of the thermostat pop-up).
class Fixture
{
public:
    Fixture()
    {
        window.resize(800, 600);
        beneath = new TouchButton(u"Onder"_s, &window);
        beneath->setGeometry(600, 400, 120, 80);
        popup = new PopupPanel(beneath); // any widget of the window will do
        popup->setHeader(u"Thermostaat"_s);
        popup->setFooter(u"-"_s);
        comfort = new TouchButton(u"Nacht"_s);
        comfort->setFixedSize(200, 60);
        popup->setContentWidget(comfort);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
    }
    QPoint centreOf(QWidget *w) const { return w->mapTo(&window, w->rect().center()); }

    QWidget window;
    TouchButton *beneath = nullptr;
    TouchButton *comfort = nullptr;
    PopupPanel *popup = nullptr;
};

class tst_PopupPanel : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { m_touch = QTest::createTouchDevice(); }
    void showsInsideTheWindow();
    void tapOutsideCloses_data();
    void tapOutsideCloses();
    void tapInsideKeepsItOpen();
    void staysInsideTheWindow();

private:
    QPointingDevice *m_touch = nullptr;
};

void tst_PopupPanel::showsInsideTheWindow()
{
    Fixture f;
    f.popup->popupAt(QPoint(100, 50));
    QVERIFY(f.popup->isOpen());
    QCOMPARE(f.popup->parentWidget(), &f.window); // an overlay of the window, not a window
    QVERIFY(!f.popup->isWindow());
    QCOMPARE(f.popup->geometry(), f.window.rect());
    QCOMPARE(f.popup->panelRect().topLeft(), QPoint(100, 50));
    QCOMPARE(f.popup->panelRect().size(), f.popup->panelSize());
    QVERIFY(f.popup->panelRect().contains(f.comfort->geometry()));
    QVERIFY(f.comfort->isVisible());
    QCOMPARE(f.popup->accessibleName(), u"Thermostaat"_s);
}

void tst_PopupPanel::tapOutsideCloses_data()
{
    QTest::addColumn<bool>("finger");
    QTest::newRow("mouse") << false;
    QTest::newRow("finger") << true;
}

void tst_PopupPanel::tapOutsideCloses()
{
    QFETCH(bool, finger);
    Fixture f;
    f.popup->popupAt(QPoint(100, 50));
    QSignalSpy closed(f.popup, &PopupPanel::closed);
    QSignalSpy beneathPressed(f.beneath, &QAbstractButton::pressed);
    const QPoint outside = f.centreOf(f.beneath);
    QVERIFY(!f.popup->panelRect().contains(outside));
    if (finger) {
        QTest::touchEvent(f.window.windowHandle(), m_touch).press(0, outside);
        QTest::touchEvent(f.window.windowHandle(), m_touch).release(0, outside);
    } else {
        QTest::mouseClick(f.window.windowHandle(), Qt::LeftButton, {}, outside);
    }
    QCOMPARE(closed.count(), 1);
    QVERIFY(!f.popup->isOpen());
    QCOMPARE(beneathPressed.count(), 0); // the closing tap does not switch anything

    // Reopening works, and closing from the program reports once as well.
    f.popup->popupAt(QPoint(100, 50));
    QVERIFY(f.popup->isOpen());
    f.popup->closePopup();
    f.popup->closePopup();
    QCOMPARE(closed.count(), 2);
}

void tst_PopupPanel::tapInsideKeepsItOpen()
{
    Fixture f;
    f.popup->popupAt(QPoint(100, 50));
    QSignalSpy closed(f.popup, &PopupPanel::closed);
    QSignalSpy comfortClicked(f.comfort, &QAbstractButton::clicked);
    QTest::mouseClick(f.window.windowHandle(), Qt::LeftButton, {}, f.centreOf(f.comfort));
    QCOMPARE(comfortClicked.count(), 1);
    // The header (inside the card but not on the content) does not close it either.
    QTest::mouseClick(f.window.windowHandle(), Qt::LeftButton, {},
                      f.popup->panelRect().topLeft() + QPoint(f.popup->panelRect().width() / 2, 20));
    QCOMPARE(closed.count(), 0);
    QVERIFY(f.popup->isOpen());
}

void tst_PopupPanel::staysInsideTheWindow()
{
    Fixture f;
    // Left of the window's edge, as "label left − half the panel width" gives for a label near
    // the left border.
    f.popup->popupAt(QPoint(-150, 50));
    QCOMPARE(f.popup->panelRect().left(), 0);
    f.popup->popupAt(QPoint(790, 590));
    QVERIFY(f.window.rect().contains(f.popup->panelRect()));
    f.window.resize(1000, 700);
    QTRY_COMPARE(f.popup->geometry(), f.window.rect());
}

QTEST_MAIN(tst_PopupPanel)
#include "tst_popuppanel.moc"
