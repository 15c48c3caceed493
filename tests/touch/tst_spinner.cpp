#include "touch/spinner.h"

#include <QSignalSpy>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

const QStringList kDays{u"Alle dagen"_s,         u"Maandag"_s,          u"Dinsdag"_s,
                        u"Woensdag"_s,           u"Donderdag"_s,        u"Vrijdag"_s,
                        u"Zaterdag"_s,           u"Zondag"_s,           u"Maandag - Vrijdag"_s,
                        u"Maandag - Zaterdag"_s, u"Zaterdag - Zondag"_s};

} // namespace

class tst_Spinner : public QObject
{
    Q_OBJECT

private slots:
    void userChange_data();
    void userChange();
    void outOfRangeValueIsRefused_data();
    void outOfRangeValueIsRefused();
    void programChangeIsQuietUnlessAsked();
    void smallerMaximumMovesTheValue();
};

void tst_Spinner::userChange_data()
{
    QTest::addColumn<int>("minimum");
    QTest::addColumn<int>("maximum");
    QTest::addColumn<bool>("wrap");
    QTest::addColumn<QStringList>("texts");
    QTest::addColumn<int>("start");
    QTest::addColumn<QString>("gesture");
    QTest::addColumn<int>("expected");
    QTest::addColumn<QString>("expectedText");

    const QStringList none;
    QTest::newRow("up arrow wraps from the top")
        << 50 << 250 << true << none << 250 << u"up"_s << 50 << u"50"_s;
    QTest::newRow("down arrow wraps from the bottom")
        << 15 << 100 << true << none << 15 << u"down"_s << 100 << u"100"_s;
    QTest::newRow("up arrow stops at a closed top")
        << 0 << 10 << false << none << 10 << u"up"_s << 10 << u"10"_s;
    QTest::newRow("up arrow in the middle") << 0 << 23 << true << none << 7 << u"up"_s << 8 << u"8"_s;
    QTest::newRow("swipe down steps up") << 0 << 59 << true << none << 5 << u"swipe down"_s << 6 << u"6"_s;
    QTest::newRow("swipe up steps down") << 0 << 59 << true << none << 0 << u"swipe up"_s << 59 << u"59"_s;
    QTest::newRow("day texts wrap round")
        << 0 << 10 << true << kDays << 10 << u"up"_s << 0 << u"Alle dagen"_s;
    QTest::newRow("day texts step down")
        << 0 << 10 << true << kDays << 9 << u"down"_s << 8 << u"Maandag - Vrijdag"_s;
}

void tst_Spinner::userChange()
{
    QFETCH(int, minimum);
    QFETCH(int, maximum);
    QFETCH(bool, wrap);
    QFETCH(QStringList, texts);
    QFETCH(int, start);
    QFETCH(QString, gesture);
    QFETCH(int, expected);
    QFETCH(QString, expectedText);

    // The tested column is the second one, so the signal must name it.
    Spinner sp;
    sp.resize(300, 240);
    sp.addColumn(0, 3);
    const int col = sp.addColumn(minimum, maximum, 1, wrap, texts);
    QVERIFY(sp.setValue(col, start));
    sp.show();
    QVERIFY(QTest::qWaitForWindowExposed(&sp));
    QSignalSpy changed(&sp, &Spinner::valueChanged);

    const QRect r = sp.columnRect(col);
    if (gesture == u"up"_s) {
        QTest::mouseClick(&sp, Qt::LeftButton, {}, sp.upArrowRect(col).center());
    } else if (gesture == u"down"_s) {
        QTest::mouseClick(&sp, Qt::LeftButton, {}, sp.downArrowRect(col).center());
    } else {
        // A swipe of a little more than one row in the middle of the drum.
        const int dir = gesture == u"swipe down"_s ? 1 : -1;
        const QPoint from(r.center().x(), r.center().y() - dir * 40);
        QTest::mousePress(&sp, Qt::LeftButton, {}, from);
        for (int d = 8; d <= 80; d += 8)
            QTest::mouseMove(&sp, from + QPoint(0, dir * d));
        QTest::mouseRelease(&sp, Qt::LeftButton, {}, from + QPoint(0, dir * 80));
    }
    QCOMPARE(sp.value(col), expected);
    QCOMPARE(sp.text(col), expectedText);
    QCOMPARE(sp.value(0), 0);
    if (expected == start) {
        QCOMPARE(changed.count(), 0);
    } else {
        QVERIFY(changed.count() >= 1);
        QCOMPARE(changed.last().at(0).toInt(), col);
        QCOMPARE(changed.last().at(1).toInt(), expected);
    }
}

void tst_Spinner::outOfRangeValueIsRefused_data()
{
    QTest::addColumn<int>("column");
    QTest::addColumn<int>("value");

    QTest::newRow("above the maximum") << 0 << 32;
    QTest::newRow("below the minimum") << 0 << -1;
    QTest::newRow("a column that does not exist") << 5 << 3;
    QTest::newRow("negative column") << -1 << 3;
}

void tst_Spinner::outOfRangeValueIsRefused()
{
    QFETCH(int, column);
    QFETCH(int, value);

    Spinner sp;
    sp.addColumn(0, 31);
    QVERIFY(sp.setValue(0, 12));
    QSignalSpy changed(&sp, &Spinner::valueChanged);
    QVERIFY(!sp.setValue(column, value, true));
    QCOMPARE(sp.value(0), 12);
    QCOMPARE(changed.count(), 0);
}

void tst_Spinner::programChangeIsQuietUnlessAsked()
{
    Spinner sp;
    sp.addColumn(40, 1000);
    QSignalSpy changed(&sp, &Spinner::valueChanged);
    QVERIFY(sp.setValue(0, 90));
    QCOMPARE(changed.count(), 0);
    QVERIFY(sp.setValue(0, 91, true));
    QCOMPARE(changed.count(), 1);
    QVERIFY(sp.setValue(0, 91, true)); // no change, no signal
    QCOMPARE(changed.count(), 1);
}

void tst_Spinner::smallerMaximumMovesTheValue()
{
    // Choosing February limits the day column to 29.
    Spinner sp;
    const int day = sp.addColumn(0, 31);
    QVERIFY(sp.setValue(day, 31));
    sp.setMaximum(day, 29);
    QCOMPARE(sp.value(day), 29);
    QVERIFY(!sp.setValue(day, 30));
    sp.setMaximum(day, 31);
    QVERIFY(sp.setValue(day, 31));
}

QTEST_MAIN(tst_Spinner)
#include "tst_spinner.moc"
