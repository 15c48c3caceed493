#include "bus/busmonitorlog.h"
#include "bus/functionlist.h"

#include <QSignalSpy>
#include <QTest>

using namespace Qt::StringLiterals;

class tst_BusMonitorLog : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void formatLine_data();
    void formatLine();
    void longTimeFormatDropsZone_data();
    void longTimeFormatDropsZone();
    void keepsNewestLines();
    void clear();
};

void tst_BusMonitorLog::formatLine_data()
{
    QTest::addColumn<int>("byte0");
    QTest::addColumn<int>("byte1");
    QTest::addColumn<QString>("member");
    QTest::addColumn<QString>("expected");

    QTest::newRow("set with member name") << 12 << 0x35 << u"Keuken"_s << u"Set 5 12 - Keuken (14:03:07)"_s;
    QTest::newRow("reset with member name")
        << 12 << 0x15 << u"Keuken"_s << u"Reset 5 12 - Keuken (14:03:07)"_s;
    QTest::newRow("unknown member leaves the slot empty")
        << 12 << 0x35 << QString() << u"Set 5 12 -  (14:03:07)"_s;
    QTest::newRow("value carries data in both bytes")
        << 255 << 0x7c << QString() << u"Value 12 255 -  (14:03:07)"_s;
    QTest::newRow("null group 0 address 0") << 0 << 0x00 << QString() << u"Null 0 0 -  (14:03:07)"_s;
    QTest::newRow("program group 15") << 40 << 0xff << QString() << u"Program 15 40 -  (14:03:07)"_s;
}

void tst_BusMonitorLog::formatLine()
{
    QFETCH(int, byte0);
    QFETCH(int, byte1);
    QFETCH(QString, member);
    QFETCH(QString, expected);

    const FunctionList functions;
    const QLocale dutch(QLocale::Dutch, QLocale::Netherlands);
    QCOMPARE(BusMonitorLog::formatLine(functions, Telegram{quint8(byte0), quint8(byte1)}, member,
                                       QTime(14, 3, 7), dutch),
             expected);
}

void tst_BusMonitorLog::longTimeFormatDropsZone_data()
{
    QTest::addColumn<QLocale>("locale");
    QTest::newRow("C") << QLocale::c();
    QTest::newRow("Dutch") << QLocale(QLocale::Dutch, QLocale::Netherlands);
    QTest::newRow("US English") << QLocale(QLocale::English, QLocale::UnitedStates);
    QTest::newRow("German") << QLocale(QLocale::German, QLocale::Germany);
}

void tst_BusMonitorLog::longTimeFormatDropsZone()
{
    QFETCH(QLocale, locale);
    const QString format = BusMonitorLog::longTimeFormat(locale);
    // Seconds are shown, no time zone, no stray spaces.
    QVERIFY2(format.contains(u"ss"_s), qPrintable(format));
    QVERIFY2(!format.contains(u't'), qPrintable(format));
    QCOMPARE(format, format.trimmed());
    const QString shown = locale.toString(QTime(9, 5, 7), format);
    QVERIFY2(shown.contains(u"05"_s) && shown.contains(u"07"_s), qPrintable(shown));
}

void tst_BusMonitorLog::keepsNewestLines()
{
    BusMonitorLog log;
    QSignalSpy dropped(&log, &BusMonitorLog::oldestDropped);
    for (int i = 0; i < BusMonitorLog::MaxLines + 3; ++i)
        log.append(QString::number(i));
    QCOMPARE(log.count(), BusMonitorLog::MaxLines);
    QCOMPARE(log.line(0), u"3"_s);
    QCOMPARE(log.line(BusMonitorLog::MaxLines - 1), QString::number(BusMonitorLog::MaxLines + 2));
    QCOMPARE(dropped.count(), 3);
}

void tst_BusMonitorLog::clear()
{
    BusMonitorLog log;
    QSignalSpy cleared(&log, &BusMonitorLog::cleared);
    log.append(u"a"_s);
    log.clear();
    QCOMPARE(log.count(), 0);
    QCOMPARE(cleared.count(), 1);
}

QTEST_GUILESS_MAIN(tst_BusMonitorLog)
#include "tst_busmonitorlog.moc"
