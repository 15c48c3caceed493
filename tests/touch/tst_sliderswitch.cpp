#include "touch/sliderswitch.h"

#include <QPointingDevice>
#include <QSignalSpy>
#include <QTest>

using namespace Qt::StringLiterals;

class tst_SliderSwitch : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { m_touch = QTest::createTouchDevice(); }
    void userVersusProgram_data();
    void userVersusProgram();
    void captionsFollowTheState();

private:
    QPointingDevice *m_touch = nullptr;
};

void tst_SliderSwitch::userVersusProgram_data()
{
    QTest::addColumn<QString>("action");
    QTest::addColumn<bool>("checked");
    QTest::addColumn<int>("changedSignals");

    QTest::newRow("user taps with the mouse") << u"mouse tap"_s << true << 1;
    QTest::newRow("user taps with a finger") << u"finger tap"_s << true << 1;
    QTest::newRow("user slides the knob to the on end") << u"slide far"_s << true << 1;
    QTest::newRow("user slide stops before the middle") << u"slide short"_s << false << 0;
    QTest::newRow("user presses space") << u"space"_s << true << 1;
    QTest::newRow("program sets it") << u"program"_s << true << 0;
    QTest::newRow("program sets it and asks for the signal") << u"program notify"_s << true << 1;
    QTest::newRow("program sets the state it has") << u"program same"_s << false << 0;
}

void tst_SliderSwitch::userVersusProgram()
{
    QFETCH(QString, action);
    QFETCH(bool, checked);
    QFETCH(int, changedSignals);

    SliderSwitch sw(u"Fade on"_s, u"Fade off"_s);
    sw.resize(200, 40);
    sw.show();
    QVERIFY(QTest::qWaitForWindowExposed(&sw));
    QSignalSpy changed(&sw, &SliderSwitch::changed);
    QSignalSpy toggled(&sw, &QAbstractButton::toggled);

    const QPoint knob(20, 20);
    if (action == u"mouse tap"_s) {
        QTest::mouseClick(&sw, Qt::LeftButton, {}, QPoint(100, 20));
    } else if (action == u"finger tap"_s) {
        QTest::touchEvent(sw.windowHandle(), m_touch).press(0, QPoint(100, 20));
        QTest::touchEvent(sw.windowHandle(), m_touch).release(0, QPoint(100, 20));
    } else if (action.startsWith(u"slide"_s)) {
        const int to = action == u"slide far"_s ? 180 : 60;
        QTest::mousePress(&sw, Qt::LeftButton, {}, knob);
        for (int x = knob.x() + 10; x <= to; x += 10)
            QTest::mouseMove(&sw, QPoint(x, 20));
        QTest::mouseRelease(&sw, Qt::LeftButton, {}, QPoint(to, 20));
    } else if (action == u"space"_s) {
        sw.setFocus();
        QTest::keyClick(&sw, Qt::Key_Space);
    } else if (action == u"program"_s) {
        sw.setChecked(true);
    } else if (action == u"program notify"_s) {
        sw.setChecked(true, true);
    } else if (action == u"program same"_s) {
        sw.setChecked(false, true);
    }
    QCOMPARE(sw.isChecked(), checked);
    QCOMPARE(changed.count(), changedSignals);
    if (changedSignals > 0)
        QCOMPARE(changed.first().first().toBool(), checked);
    QCOMPARE(toggled.count(), checked ? 1 : 0); // toggled() reports every change
}

void tst_SliderSwitch::captionsFollowTheState()
{
    SliderSwitch sw(u"Brede splitter"_s, u"Smalle splitter"_s);
    QCOMPARE(sw.caption(), u"Smalle splitter"_s);
    QCOMPARE(sw.text(), u"Smalle splitter"_s); // what assistive technology reads
    sw.setChecked(true);
    QCOMPARE(sw.caption(), u"Brede splitter"_s);
    QCOMPARE(sw.text(), u"Brede splitter"_s);
    QCOMPARE(SliderSwitch().caption(), u"Off"_s);
}

QTEST_MAIN(tst_SliderSwitch)
#include "tst_sliderswitch.moc"
