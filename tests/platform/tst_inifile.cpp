#include "platform/inifile.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

class tst_IniFile : public QObject
{
    Q_OBJECT

private slots:
    void read_data();
    void read();
    void write_data();
    void write();
    void readsThroughToTheFile();
    void missingFileGivesDefaults();
    void unwritableFolderReportsFailure();
    void parseInteger_data();
    void parseInteger();

private:
    QString makeFile(const QByteArray &bytes);
    QByteArray readFile() const;

    QTemporaryDir m_dir;
    QString m_path;
};

QString tst_IniFile::makeFile(const QByteArray &bytes)
{
    m_path = m_dir.filePath(u"kvx.ini"_s);
    QFile f(m_path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        qFatal("cannot write fixture");
    f.write(bytes);
    return m_path;
}

QByteArray tst_IniFile::readFile() const
{
    QFile f(m_path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return f.readAll();
}

void tst_IniFile::read_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QString>("section");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("expected"); // "<none>" when missing

    const QByteArray basic = "[MTSS]\r\nDumPConnectionTimer=60\r\n[Sett]\r\nbtnRounding=12\r\n";
    QTest::newRow("exact case") << basic << u"MTSS"_s << u"DumPConnectionTimer"_s << u"60"_s;
    QTest::newRow("key alias by case") << basic << u"MTSS"_s << u"DumpConnectionTimer"_s << u"60"_s;
    QTest::newRow("section in other case") << basic << u"mtss"_s << u"dumpconnectiontimer"_s << u"60"_s;
    QTest::newRow("BtnRounding reads btnRounding") << basic << u"Sett"_s << u"BtnRounding"_s << u"12"_s;
    QTest::newRow("missing key") << basic << u"MTSS"_s << u"CleanTimer"_s << u"<none>"_s;
    QTest::newRow("missing section") << basic << u"TSM"_s << u"FollowingGr"_s << u"<none>"_s;
    QTest::newRow("key only in another section")
        << basic << u"Sett"_s << u"DumPConnectionTimer"_s << u"<none>"_s;
    QTest::newRow("blanks around key and value")
        << QByteArray("[MTCom]\n  LanHost =  127.0.0.1  \n") << u"MTCom"_s << u"LanHost"_s << u"127.0.0.1"_s;
    QTest::newRow("text kept as written") << QByteArray("[MTSS]\nMainUrl=http://x/?a=1;b=\"2\"\n")
                                          << u"MTSS"_s << u"MainUrl"_s << u"http://x/?a=1;b=\"2\""_s;
    QTest::newRow("empty value") << QByteArray("[MTPath]\nProjDir=\n") << u"MTPath"_s << u"ProjDir"_s
                                 << QString();
    QTest::newRow("comment line is no key")
        << QByteArray("[Sett]\n;FontSize=20\n") << u"Sett"_s << u"FontSize"_s << u"<none>"_s;
    QTest::newRow("utf-8 byte-order mark")
        << QByteArray("\xEF\xBB\xBF[MTPath]\nProjDir=/data/Woning\xC3\xA9/\n") << u"MTPath"_s << u"ProjDir"_s
        << u"/data/Woning\u00e9/"_s;
    QTest::newRow("windows-1252 file")
        << QByteArray("[DMX]\nPS1Name=Ros\xe9 \x80\n") << u"DMX"_s << u"PS1Name"_s << u"Ros\u00e9 \u20ac"_s;
}

void tst_IniFile::read()
{
    QFETCH(QByteArray, file);
    QFETCH(QString, section);
    QFETCH(QString, key);
    QFETCH(QString, expected);

    const IniFile ini(makeFile(file));
    const auto v = ini.value(section, key);
    if (expected == u"<none>"_s) {
        QVERIFY(!v.has_value());
        QCOMPARE(ini.readString(section, key, u"dflt"_s), u"dflt"_s);
    } else {
        QVERIFY(v.has_value());
        QCOMPARE(*v, expected);
    }
}

void tst_IniFile::write_data()
{
    QTest::addColumn<QByteArray>("before");
    QTest::addColumn<QString>("section");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QByteArray>("after");

    QTest::newRow("value replaced in place, rest kept")
        << QByteArray("; panel "
                      "settings\r\n[MTCom]\r\nLanHost=192.168.1.151\r\nLanPort=10001\r\n\r\n[Sett]"
                      "\r\nFontSize=14\r\n")
        << u"mtcom"_s << u"LANHOST"_s << u"127.0.0.1"_s
        << QByteArray(
               "; panel "
               "settings\r\n[MTCom]\r\nLanHost=127.0.0.1\r\nLanPort=10001\r\n\r\n[Sett]\r\nFontSize=14\r\n");
    QTest::newRow("alias spelling writes the existing key")
        << QByteArray("[MTSS]\nDumPConnectionTimer=180\n") << u"MTSS"_s << u"DumpConnectionTimer"_s
        << u"600"_s << QByteArray("[MTSS]\nDumPConnectionTimer=600\n");
    QTest::newRow("new key goes to the end of its section")
        << QByteArray("[MTCom]\nLanHost=a\n\n[Sett]\nFontSize=14\n") << u"MTCom"_s << u"BusMon"_s << u"1"_s
        << QByteArray("[MTCom]\nLanHost=a\nBusMon=1\n\n[Sett]\nFontSize=14\n");
    QTest::newRow("new section appended")
        << QByteArray("[MTCom]\nLanHost=a\n") << u"TSM"_s << u"FollowingGr"_s << u"3"_s
        << QByteArray("[MTCom]\nLanHost=a\n\n[TSM]\nFollowingGr=3\n");
    QTest::newRow("missing file created")
        << QByteArray() << u"MTPath"_s << u"ProjDir"_s << u"/p/"_s << QByteArray("[MTPath]\nProjDir=/p/\n");
    QTest::newRow("no final newline stays so")
        << QByteArray("[Sett]\nFontSize=14") << u"Sett"_s << u"FontSize"_s << u"16"_s
        << QByteArray("[Sett]\nFontSize=16");
    QTest::newRow("byte-order mark kept")
        << QByteArray("\xEF\xBB\xBF[Sett]\nFontSize=14\n") << u"Sett"_s << u"FontSize"_s << u"9"_s
        << QByteArray("\xEF\xBB\xBF[Sett]\nFontSize=9\n");
    QTest::newRow("windows-1252 stays windows-1252")
        << QByteArray("[DMX]\nPS1Name=Ros\xe9\nPS2Name=x\n") << u"DMX"_s << u"PS2Name"_s << u"\u20ac"_s
        << QByteArray("[DMX]\nPS1Name=Ros\xe9\nPS2Name=\x80\n");
}

void tst_IniFile::write()
{
    QFETCH(QByteArray, before);
    QFETCH(QString, section);
    QFETCH(QString, key);
    QFETCH(QString, value);
    QFETCH(QByteArray, after);

    if (before.isEmpty())
        m_path = m_dir.filePath(u"new-%1.ini"_s.arg(QString::fromLatin1(QTest::currentDataTag())));
    else
        makeFile(before);
    IniFile ini(m_path);
    QVERIFY(ini.writeString(section, key, value));
    QCOMPARE(readFile(), after);
    QCOMPARE(ini.readString(section, key, QString()), value);
}

void tst_IniFile::readsThroughToTheFile()
{
    IniFile ini(makeFile("[Sett]\nFontSize=14\n"));
    QCOMPARE(ini.readInteger(u"Sett"_s, u"FontSize"_s, 0), 14);
    // Another program changes the file: the next read sees it.
    makeFile("[Sett]\nFontSize=20\n");
    QCOMPARE(ini.readInteger(u"Sett"_s, u"FontSize"_s, 0), 20);
}

void tst_IniFile::missingFileGivesDefaults()
{
    const IniFile ini(m_dir.filePath(u"absent.ini"_s));
    QVERIFY(!ini.exists());
    QCOMPARE(ini.readInteger(u"MTCom"_s, u"LanPort"_s, 10001), 10001);
    QCOMPARE(ini.readBool(u"MTSS"_s, u"ScreenSPict"_s, true), true);
    QCOMPARE(ini.readString(u"MTCom"_s, u"LanHost"_s, u"h"_s), u"h"_s);
    QVERIFY(ini.sections().isEmpty());
}

void tst_IniFile::unwritableFolderReportsFailure()
{
    IniFile ini(m_dir.filePath(u"no/such/folder/kvx.ini"_s));
    QVERIFY(!ini.writeString(u"Sett"_s, u"FontSize"_s, u"1"_s));
}

void tst_IniFile::parseInteger_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("valid");
    QTest::addColumn<int>("expected");

    QTest::newRow("decimal") << u"10001"_s << true << 10001;
    QTest::newRow("negative") << u"-5"_s << true << -5;
    QTest::newRow("plus sign") << u"+7"_s << true << 7;
    QTest::newRow("blanks") << u" 42 "_s << true << 42;
    QTest::newRow("dollar hex") << u"$1F"_s << true << 31;
    QTest::newRow("0x hex") << u"0x10"_s << true << 16;
    QTest::newRow("hex wraps to 32 bits") << u"$FFFFFFFF"_s << true << -1;
    QTest::newRow("bool one") << u"1"_s << true << 1;
    QTest::newRow("empty") << QString() << false << 0;
    QTest::newRow("letters") << u"abc"_s << false << 0;
    QTest::newRow("trailing junk") << u"12px"_s << false << 0;
    QTest::newRow("decimal point") << u"1.5"_s << false << 0;
    QTest::newRow("too large") << u"99999999999"_s << false << 0;
    QTest::newRow("sign only") << u"-"_s << false << 0;
    QTest::newRow("dollar only") << u"$"_s << false << 0;
    QTest::newRow("arabic-indic digits") << u"\u0661\u0662"_s << false << 0;
}

void tst_IniFile::parseInteger()
{
    QFETCH(QString, text);
    QFETCH(bool, valid);
    QFETCH(int, expected);

    const auto v = IniFile::parseInteger(text);
    QCOMPARE(v.has_value(), valid);
    if (valid)
        QCOMPARE(*v, expected);

    IniFile ini(makeFile("[Sett]\nValue=" + text.toUtf8() + "\n"));
    QCOMPARE(ini.readInteger(u"Sett"_s, u"Value"_s, 777), valid ? expected : 777);
    QCOMPARE(ini.readBool(u"Sett"_s, u"Value"_s, true), valid ? expected != 0 : true);
}

QTEST_GUILESS_MAIN(tst_IniFile)
#include "tst_inifile.moc"
