#include "app/browserzoom.h"
#include "platform/inifile.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

class tst_BrowserZoom : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void formatLevel_data();
    void formatLevel();
    void parseLevel_data();
    void parseLevel();
    void roundTrip_data();
    void roundTrip();
    void blankAddressIsNotStored();
    void addressesKeepTheirOwnLevel();
    void defaultFileIsInTheProgramFolder();

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_path;
};

void tst_BrowserZoom::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    m_path = m_dir->filePath(u"Browser.ini"_s);
}

void tst_BrowserZoom::formatLevel_data()
{
    QTest::addColumn<double>("level");
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<QString>("text");

    const QLocale nl(QLocale::Dutch, QLocale::Netherlands);
    const QLocale en(QLocale::English, QLocale::UnitedStates);
    QTest::newRow("whole level, Dutch") << 1.0 << nl << u"1"_s;
    QTest::newRow("half level, Dutch") << 0.5 << nl << u"0,5"_s;
    QTest::newRow("negative half, Dutch") << -1.5 << nl << u"-1,5"_s;
    QTest::newRow("half level, English") << 0.5 << en << u"0.5"_s;
    QTest::newRow("zero") << 0.0 << nl << u"0"_s;
    QTest::newRow("negative zero is zero") << -0.0 << nl << u"0"_s;
    QTest::newRow("no group separator") << 1234.5 << nl << u"1234,5"_s;
}

void tst_BrowserZoom::formatLevel()
{
    QFETCH(double, level);
    QFETCH(QLocale, locale);
    QFETCH(QString, text);
    QCOMPARE(BrowserZoom::formatLevel(level, locale), text);
}

void tst_BrowserZoom::parseLevel_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("valid");
    QTest::addColumn<double>("level");

    QTest::newRow("decimal comma") << u"0,5"_s << true << 0.5;
    QTest::newRow("decimal point") << u"0.5"_s << true << 0.5;
    QTest::newRow("negative with blanks") << u" -1,5 "_s << true << -1.5;
    QTest::newRow("whole") << u"2"_s << true << 2.0;
    QTest::newRow("empty") << QString() << false << 0.0;
    QTest::newRow("words") << u"groot"_s << false << 0.0;
    QTest::newRow("two separators") << u"1,5,0"_s << false << 0.0;
    QTest::newRow("not a number") << u"nan"_s << false << 0.0;
    QTest::newRow("infinite") << u"inf"_s << false << 0.0;
}

void tst_BrowserZoom::parseLevel()
{
    QFETCH(QString, text);
    QFETCH(bool, valid);
    QFETCH(double, level);
    const std::optional<double> parsed = BrowserZoom::parseLevel(text);
    QCOMPARE(parsed.has_value(), valid);
    if (valid)
        QCOMPARE(*parsed, level);
}

void tst_BrowserZoom::roundTrip_data()
{
    QTest::addColumn<QString>("address");
    QTest::addColumn<QString>("key");

    QTest::newRow("plain address") << u"www.voorbeeld.nl"_s << u"www.voorbeeld.nl"_s;
    QTest::newRow("local page") << u"qrc:/halvane/welcome.html"_s << u"qrc:/halvane/welcome.html"_s;
    QTest::newRow("query with equals signs")
        << u"http://127.0.0.1/cam?id=3&size=2"_s << u"http://127.0.0.1/cam?id%3D3&size%3D2"_s;
    QTest::newRow("leading semicolon") << u";x"_s << u"%3Bx"_s;
    QTest::newRow("leading hash") << u"#x"_s << u"%23x"_s;
    QTest::newRow("leading bracket") << u"[x]"_s << u"%5Bx]"_s;
    QTest::newRow("surrounding blanks") << u"  www.voorbeeld.nl "_s << u"www.voorbeeld.nl"_s;
}

void tst_BrowserZoom::roundTrip()
{
    QFETCH(QString, address);
    QFETCH(QString, key);

    const BrowserZoom zoom(m_path, QLocale(QLocale::Dutch, QLocale::Netherlands));
    QVERIFY(!zoom.level(address));
    QVERIFY(zoom.save(address, 1.5));
    QCOMPARE(IniFile(m_path).value(u"Browser"_s, key), std::optional<QString>(u"1,5"_s));
    QCOMPARE(zoom.level(address), std::optional<double>(1.5));
    // Saving again replaces the value instead of adding a line.
    QVERIFY(zoom.save(address, -0.5));
    QCOMPARE(zoom.level(address), std::optional<double>(-0.5));
    QCOMPARE(IniFile(m_path).keys(u"Browser"_s), QStringList{key});
}

void tst_BrowserZoom::blankAddressIsNotStored()
{
    const BrowserZoom zoom(m_path);
    QVERIFY(!zoom.save(QString(), 1.0));
    QVERIFY(!zoom.save(u"   "_s, 1.0));
    QVERIFY(!zoom.level(QString()));
    QVERIFY(!QFile::exists(m_path));
}

void tst_BrowserZoom::addressesKeepTheirOwnLevel()
{
    QFile f(m_path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    // A file written on an English system, then used on a Dutch one; one value is damaged.
    f.write("[Browser]\r\nwww.a.nl=0.5\r\nwww.b.nl=-1\r\nwww.c.nl=veel\r\n");
    f.close();

    const BrowserZoom zoom(m_path, QLocale(QLocale::Dutch, QLocale::Netherlands));
    QCOMPARE(zoom.level(u"www.a.nl"_s), std::optional<double>(0.5));
    QCOMPARE(zoom.level(u"WWW.B.NL"_s), std::optional<double>(-1.0)); // keys ignore case
    QVERIFY(!zoom.level(u"www.c.nl"_s));
    QVERIFY(!zoom.level(u"www.d.nl"_s));
    QVERIFY(zoom.save(u"www.c.nl"_s, 2.0));
    QCOMPARE(zoom.level(u"www.a.nl"_s), std::optional<double>(0.5));
    QCOMPARE(zoom.level(u"www.c.nl"_s), std::optional<double>(2.0));
}

void tst_BrowserZoom::defaultFileIsInTheProgramFolder()
{
    qputenv("HALVANE_HOME", m_dir->path().toLocal8Bit());
    const BrowserZoom zoom;
    qunsetenv("HALVANE_HOME");
    QCOMPARE(zoom.fileName(), m_path);
}

QTEST_GUILESS_MAIN(tst_BrowserZoom)
#include "tst_browserzoom.moc"
