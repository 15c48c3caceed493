#include "touch/trackbar.h"

#include <QPointingDevice>
#include <QSignalSpy>
#include <QTest>
#include <QTouchEvent>

using namespace Qt::StringLiterals;

class tst_TrackBar : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { m_touch = QTest::createTouchDevice(); }
    void releasedOnLift_data();
    void releasedOnLift();
    void programPositionIsNoRelease_data();
    void programPositionIsNoRelease();

private:
    QPointingDevice *m_touch = nullptr;
};

void tst_TrackBar::releasedOnLift_data()
{
    QTest::addColumn<bool>("finger");
    QTest::addColumn<bool>("cancel");

    QTest::newRow("finger lifts") << true << false;
    QTest::newRow("mouse lifts") << false << false;
    QTest::newRow("touch cancelled by the system") << true << true;
}

void tst_TrackBar::releasedOnLift()
{
    QFETCH(bool, finger);
    QFETCH(bool, cancel);

    TrackBar tb;
    tb.setRange(0, 255);
    tb.resize(300, 44);
    tb.show();
    QVERIFY(QTest::qWaitForWindowExposed(&tb));
    QSignalSpy moved(&tb, &TrackBar::positionChanged);
    QSignalSpy released(&tb, &TrackBar::released);

    const int y = 22;
    const QPoint from(tb.width() / 4, y);
    const QPoint to(tb.width() * 3 / 4, y);
    if (finger) {
        QTest::touchEvent(tb.windowHandle(), m_touch).press(0, from);
        for (int x = from.x(); x <= to.x(); x += 15)
            QTest::touchEvent(tb.windowHandle(), m_touch).move(0, QPoint(x, y));
        QTest::touchEvent(tb.windowHandle(), m_touch).move(0, to);
        QCOMPARE(released.count(), 0); // moving sends nothing
        if (cancel) {
            QTouchEvent cancelEvent(QEvent::TouchCancel, m_touch);
            QCoreApplication::sendEvent(&tb, &cancelEvent);
        } else
            QTest::touchEvent(tb.windowHandle(), m_touch).release(0, to);
    } else {
        QTest::mousePress(&tb, Qt::LeftButton, {}, from);
        for (int x = from.x(); x <= to.x(); x += 15)
            QTest::mouseMove(&tb, QPoint(x, y));
        QCOMPARE(released.count(), 0);
        QTest::mouseRelease(&tb, Qt::LeftButton, {}, to);
    }
    QVERIFY(moved.count() > 1);
    QCOMPARE(released.count(), 1);
    QCOMPARE(released.first().first().toInt(), tb.position());
    QCOMPARE(tb.position(), tb.positionAt(to));
    QVERIFY(tb.position() > 150 && tb.position() < 220);
    QVERIFY(!tb.isSliding());
}

void tst_TrackBar::programPositionIsNoRelease_data()
{
    QTest::addColumn<int>("step");
    QTest::addColumn<int>("set");
    QTest::addColumn<int>("expected");

    QTest::newRow("inside the range") << 1 << 37 << 37;
    QTest::newRow("above the range") << 1 << 300 << 100;
    QTest::newRow("below the range") << 1 << -5 << 0;
    QTest::newRow("snapped to the step") << 10 << 37 << 40;
}

void tst_TrackBar::programPositionIsNoRelease()
{
    QFETCH(int, step);
    QFETCH(int, set);
    QFETCH(int, expected);

    TrackBar tb;
    tb.setRange(0, 100);
    tb.setStep(step);
    tb.setPosition(50);
    QSignalSpy released(&tb, &TrackBar::released);
    QSignalSpy moved(&tb, &TrackBar::positionChanged);
    tb.setPosition(set);
    QCOMPARE(tb.position(), expected);
    QCOMPARE(moved.count(), 1);
    QCOMPARE(released.count(), 0);
}

QTEST_MAIN(tst_TrackBar)
#include "tst_trackbar.moc"
