#include "bus/functionlist.h"
#include "bus/telegram.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

class tst_FunctionList : public QObject
{
    Q_OBJECT

private slots:
    void telegramLayout_data();
    void telegramLayout();
    void names_data();
    void names();
};

void tst_FunctionList::telegramLayout_data()
{
    QTest::addColumn<int>("address");
    QTest::addColumn<int>("code");
    QTest::addColumn<int>("group");
    QTest::addColumn<int>("byte1");

    QTest::newRow("toggle to group 5") << 12 << int(FunctionCode::Toggle) << 5 << 37;
    QTest::newRow("status 7, group 2") << 7 << int(FunctionCode::Status) << 2 << 0x52;
    QTest::newRow("set group 15") << 255 << int(FunctionCode::Set) << 15 << 0x3F;
    QTest::newRow("program group 0") << 0 << int(FunctionCode::Program) << 0 << 0xF0;
}

void tst_FunctionList::telegramLayout()
{
    QFETCH(int, address);
    QFETCH(int, code);
    QFETCH(int, group);
    QFETCH(int, byte1);

    const Telegram t = Telegram::make(address, FunctionCode(code), group);
    QCOMPARE(int(t.byte0), address);
    QCOMPARE(int(t.byte1), byte1);
    QCOMPARE(t.code(), code);
    QCOMPARE(t.group(), group);
    QCOMPARE(t.address(), address);
}

void tst_FunctionList::names_data()
{
    QTest::addColumn<QByteArray>("ini"); // empty: no file
    QTest::addColumn<QStringList>("expected");

    const QStringList defaults{u"Null"_s,     u"Reset"_s,   u"Toggle"_s,       u"Set"_s,
                               u"Misc"_s,     u"Status"_s,  u"Timer/Direct"_s, u"Value"_s,
                               u"Dimmer"_s,   u"Readout"_s, u"Teller"_s,       u"System"_s,
                               u"Settings"_s, u"Select"_s,  u"Data"_s,         u"Program"_s};
    QTest::newRow("no file") << QByteArray() << defaults;
    QStringList aan = defaults;
    aan[3] = u"Aan"_s;
    QTest::newRow("one code renamed") << QByteArray("[FunctionText]\n3=Aan\n") << aan;
    QStringList two = defaults;
    two[1] = u"Uit"_s;
    two[3] = u"Uit"_s;
    QTest::newRow("two codes with one text, other case section")
        << QByteArray("[functiontext]\n1=Uit\n3=Uit\n16=Extra\n") << two;
    QTest::newRow("other sections ignored") << QByteArray("[Other]\n3=Aan\n") << defaults;
}

void tst_FunctionList::names()
{
    QFETCH(QByteArray, ini);
    QFETCH(QStringList, expected);

    QTemporaryDir dir;
    const QString path = dir.filePath(u"Functions.ini"_s);
    if (!ini.isEmpty()) {
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(ini);
        f.close();
    }
    const QByteArray before = ini;
    const FunctionList list(path);
    QCOMPARE(list.names(), expected);
    QCOMPARE(list.name(-1), QString());
    QCOMPARE(list.name(16), QString());
    // The list is never written back.
    QFile f(path);
    if (ini.isEmpty()) {
        QVERIFY(!f.exists());
    } else {
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll(), before);
    }
}

QTEST_GUILESS_MAIN(tst_FunctionList)
#include "tst_functionlist.moc"
