#include "touch/touchbutton.h"

#include <QHBoxLayout>
#include <QPointingDevice>
#include <QSignalSpy>
#include <QTest>

using namespace Qt::StringLiterals;

// Two buttons side by side in a shown window, so that events go through the window as a real
// finger or mouse would send them (with the implicit grab of the pressed widget).
class Fixture
{
public:
    Fixture()
    {
        window.resize(400, 200);
        auto *layout = new QHBoxLayout(&window);
        a = new TouchButton(u"Lamp"_s, &window);
        b = new TouchButton(u"Rolluik"_s, &window);
        layout->addWidget(a);
        layout->addWidget(b);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
    }
    QPoint centre(QWidget *w) const { return w->mapTo(&window, w->rect().center()); }
    QWindow *handle() const { return window.windowHandle(); }

    QWidget window;
    TouchButton *a = nullptr;
    TouchButton *b = nullptr;
};

class tst_TouchButton : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { m_touch = QTest::createTouchDevice(); }
    void pressReleasePair_data();
    void pressReleasePair();
    void leavingAndComingBackKeepsOnePair();
    void disablingWhileHeldReleases();
    void ampersandIsNoShortcut();

private:
    QPointingDevice *m_touch = nullptr;
};

void tst_TouchButton::pressReleasePair_data()
{
    QTest::addColumn<bool>("finger");
    QTest::addColumn<bool>("liftOverOther");
    QTest::addColumn<int>("clicks");

    QTest::newRow("mouse, lifted on the button") << false << false << 1;
    QTest::newRow("mouse, lifted over the other button") << false << true << 0;
    QTest::newRow("finger, lifted on the button") << true << false << 1;
    QTest::newRow("finger, lifted over the other button") << true << true << 0;
}

void tst_TouchButton::pressReleasePair()
{
    QFETCH(bool, finger);
    QFETCH(bool, liftOverOther);
    QFETCH(int, clicks);

    Fixture f;
    QSignalSpy aPressed(f.a, &QAbstractButton::pressed);
    QSignalSpy aReleased(f.a, &QAbstractButton::released);
    QSignalSpy aClicked(f.a, &QAbstractButton::clicked);
    QSignalSpy bPressed(f.b, &QAbstractButton::pressed);
    QSignalSpy bReleased(f.b, &QAbstractButton::released);

    const QPoint down = f.centre(f.a);
    const QPoint up = liftOverOther ? f.centre(f.b) : down;
    if (finger) {
        QTest::touchEvent(f.handle(), m_touch).press(0, down);
        QCOMPARE(aPressed.count(), 1); // at once, not at the lift
        QCOMPARE(aReleased.count(), 0);
        QVERIFY(f.a->isDown());
        QTest::touchEvent(f.handle(), m_touch).move(0, up);
        QTest::touchEvent(f.handle(), m_touch).release(0, up);
    } else {
        QTest::mousePress(f.handle(), Qt::LeftButton, {}, down);
        QCOMPARE(aPressed.count(), 1);
        QCOMPARE(aReleased.count(), 0);
        QTest::mouseMove(f.handle(), up);
        QTest::mouseRelease(f.handle(), Qt::LeftButton, {}, up);
    }
    QCOMPARE(aPressed.count(), 1);
    QCOMPARE(aReleased.count(), 1);
    QCOMPARE(aClicked.count(), clicks);
    QVERIFY(!f.a->isDown());
    QCOMPARE(bPressed.count(), 0);
    QCOMPARE(bReleased.count(), 0);
}

void tst_TouchButton::leavingAndComingBackKeepsOnePair()
{
    // A plain QAbstractButton emits released() when the pointer leaves and pressed() again when
    // it comes back, which would send a button's telegrams twice.
    Fixture f;
    QSignalSpy pressed(f.a, &QAbstractButton::pressed);
    QSignalSpy released(f.a, &QAbstractButton::released);
    const QPoint in = f.centre(f.a);
    const QPoint out = f.centre(f.b);
    QTest::mousePress(f.handle(), Qt::LeftButton, {}, in);
    QTest::mouseMove(f.handle(), out);
    QTest::mouseMove(f.handle(), in);
    QTest::mouseMove(f.handle(), out);
    QCOMPARE(pressed.count(), 1);
    QCOMPARE(released.count(), 0);
    QTest::mouseRelease(f.handle(), Qt::LeftButton, {}, out);
    QCOMPARE(released.count(), 1);
}

void tst_TouchButton::disablingWhileHeldReleases()
{
    // A status poll disables the button area; a button held at that moment still gets its
    // release, so the release telegrams of the press are not lost.
    Fixture f;
    QSignalSpy released(f.a, &QAbstractButton::released);
    QTest::touchEvent(f.handle(), m_touch).press(0, f.centre(f.a));
    f.window.setEnabled(false);
    QCOMPARE(released.count(), 1);
    QTest::touchEvent(f.handle(), m_touch).release(0, f.centre(f.a));
    QCOMPARE(released.count(), 1);
    f.window.setEnabled(true);

    // The next press starts a fresh pair.
    QSignalSpy pressed(f.a, &QAbstractButton::pressed);
    QTest::mouseClick(f.handle(), Qt::LeftButton, {}, f.centre(f.a));
    QCOMPARE(pressed.count(), 1);
    QCOMPARE(released.count(), 2);
}

void tst_TouchButton::ampersandIsNoShortcut()
{
    TouchButton b(u"Licht & TV"_s);
    QVERIFY(b.shortcut().isEmpty());
}

QTEST_MAIN(tst_TouchButton)
#include "tst_touchbutton.moc"
