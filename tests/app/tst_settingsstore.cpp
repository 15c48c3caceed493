#include "app/settingkeys.h"
#include "app/settingsstore.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

class tst_SettingsStore : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void defaultsWithoutFile();
    void keyTableOrder();
    void loadValues_data();
    void loadValues();
    void writeSetsFieldAndFile_data();
    void writeSetsFieldAndFile();
    void writeTextKeepsTheText();
    void dmxPresets();
    void unknownKeys();

private:
    void writeFile(const QByteArray &bytes);
    QByteArray fileBytes() const;

    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_path;
};

void tst_SettingsStore::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    m_path = m_dir->filePath(u"kvx.ini"_s);
}

void tst_SettingsStore::writeFile(const QByteArray &bytes)
{
    QFile f(m_path);
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(bytes);
}

QByteArray tst_SettingsStore::fileBytes() const
{
    QFile f(m_path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void tst_SettingsStore::defaultsWithoutFile()
{
    SettingsStore store(m_path);
    QVERIFY(store.load().isEmpty());
    const SettingsRecord &r = store.record();
    QCOMPARE(r.LanHost, u"192.168.1.151"_s);
    QCOMPARE(r.LanPort, 10001);
    QCOMPARE(r.DumpConnectionTimer, 180);
    QCOMPARE(r.CleanTimer, 120);
    QCOMPARE(r.ScreenSPict, true);
    QCOMPARE(r.StatTimer, 150);
    QCOMPARE(r.StartDelay, 5);
    QCOMPARE(r.EndUserC, u"7086"_s);
    QCOMPARE(r.BackGndColor, TColor(0x007D9CAA));
    QCOMPARE(r.btnBevelColorOn, ColorCodec::clRed);
    QCOMPARE(r.HeatingOffColor, ColorCodec::clBlue);
    QCOMPARE(r.NuvAutoClose, true);
    QCOMPARE(r.NuvInternetState, true);
    QVERIFY(r.ProjDir.isEmpty());
    QVERIFY(!QFile::exists(m_path)); // reading never creates the file
}

void tst_SettingsStore::keyTableOrder()
{
    QStringList sections;
    for (const SettingKey &k : SettingKeys::all()) {
        if (sections.isEmpty() || sections.constLast() != k.section)
            sections.append(k.section);
    }
    QCOMPARE(sections, (QStringList{u"MTPath"_s, u"MTCom"_s, u"MTSS"_s, u"Sett"_s, u"TSM"_s, u"DMX"_s,
                                    u"Nuvo"_s, u"Halvane"_s}));
    // Every key is listed once, whatever its spelling.
    QSet<QString> names;
    for (const SettingKey &k : SettingKeys::all())
        names.insert(k.name().toLower());
    QCOMPARE(names.size(), SettingKeys::all().size());
    QVERIFY(SettingKeys::find(u"MTSS"_s, u"DumpConnectionTimer"_s));
    QCOMPARE(SettingKeys::find(u"sett"_s, u"btnRounding"_s), SettingKeys::find(u"Sett"_s, u"BtnRounding"_s));
}

void tst_SettingsStore::loadValues_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QString>("field"); // checked below by name
    QTest::addColumn<QString>("expected");
    QTest::addColumn<int>("badCount");

    QTest::newRow("integer") << QByteArray("[Sett]\nFontSize=20\n") << u"FontSize"_s << u"20"_s << 0;
    QTest::newRow("unparsable integer gives default")
        << QByteArray("[Sett]\nFontSize=big\n") << u"FontSize"_s << u"14"_s << 1;
    QTest::newRow("alias spelling") << QByteArray("[mtss]\nDumpConnectionTimer=60\n")
                                    << u"DumpConnectionTimer"_s << u"60"_s << 0;
    QTest::newRow("btnRounding spelling")
        << QByteArray("[Sett]\nbtnRounding=3\n") << u"btnRounding"_s << u"3"_s << 0;
    QTest::newRow("boolean non-zero is true")
        << QByteArray("[MTCom]\nBusMon=2\n") << u"BusMon"_s << u"1"_s << 0;
    QTest::newRow("boolean zero") << QByteArray("[MTSS]\nScreenSPict=0\n") << u"ScreenSPict"_s << u"0"_s << 0;
    QTest::newRow("boolean not a number")
        << QByteArray("[MTSS]\nScreenSPict=yes\n") << u"ScreenSPict"_s << u"1"_s << 1;
    QTest::newRow("colour by name") << QByteArray("[Sett]\nTextColor=clRed\n") << u"TextColor"_s << u"clRed"_s
                                    << 0;
    QTest::newRow("colour dollar form same as name")
        << QByteArray("[Sett]\nTextColor=$000000FF\n") << u"TextColor"_s << u"clRed"_s << 0;
    QTest::newRow("bad colour gives default")
        << QByteArray("[Sett]\nTextColor=reddish\n") << u"TextColor"_s << u"$00392F2D"_s << 1;
    QTest::newRow("text as written") << QByteArray("[MTCom]\nLanHost=127.0.0.1\n") << u"LanHost"_s
                                     << u"127.0.0.1"_s << 0;
    QTest::newRow("followed thermostat")
        << QByteArray("[TSM]\nFollowingGr=2\nFollowingAd=40\n") << u"FollowingTSMAD"_s << u"40"_s << 0;
}

static QString fieldText(const SettingsRecord &r, const QString &field)
{
    if (field == u"FontSize"_s)
        return QString::number(r.FontSize);
    if (field == u"DumpConnectionTimer"_s)
        return QString::number(r.DumpConnectionTimer);
    if (field == u"btnRounding"_s)
        return QString::number(r.btnRounding);
    if (field == u"BusMon"_s)
        return QString::number(r.BusMon);
    if (field == u"ScreenSPict"_s)
        return QString::number(r.ScreenSPict);
    if (field == u"TextColor"_s)
        return ColorCodec::format(r.TextColor);
    if (field == u"LanHost"_s)
        return r.LanHost;
    if (field == u"FollowingTSMAD"_s)
        return QString::number(r.FollowingTSMAD);
    return u"?"_s;
}

void tst_SettingsStore::loadValues()
{
    QFETCH(QByteArray, file);
    QFETCH(QString, field);
    QFETCH(QString, expected);
    QFETCH(int, badCount);

    writeFile(file);
    SettingsStore store(m_path);
    QCOMPARE(store.load().size(), badCount);
    QCOMPARE(fieldText(store.record(), field), expected);
}

void tst_SettingsStore::writeSetsFieldAndFile_data()
{
    QTest::addColumn<QString>("section");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QVariant>("value");
    QTest::addColumn<QByteArray>("line");
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("expected");

    QTest::newRow("integer") << u"Sett"_s << u"ComButHeight"_s << QVariant(120)
                             << QByteArray("ComButHeight=120") << u"FontSize"_s << u"14"_s;
    QTest::newRow("timer under its other spelling")
        << u"MTSS"_s << u"DumpConnectionTimer"_s << QVariant(600) << QByteArray("DumpConnectionTimer=600")
        << u"DumpConnectionTimer"_s << u"600"_s;
    QTest::newRow("boolean as 1") << u"MTCom"_s << u"BusMon"_s << QVariant(true) << QByteArray("BusMon=1")
                                  << u"BusMon"_s << u"1"_s;
    QTest::newRow("named colour") << u"Sett"_s << u"TextColor"_s << QVariant::fromValue(uint(0xFF))
                                  << QByteArray("TextColor=clRed") << u"TextColor"_s << u"clRed"_s;
    QTest::newRow("unnamed colour") << u"Sett"_s << u"TextColor"_s << QVariant::fromValue(uint(0x00ABCDEF))
                                    << QByteArray("TextColor=$00ABCDEF") << u"TextColor"_s << u"$00ABCDEF"_s;
    QTest::newRow("text") << u"MTCom"_s << u"LanHost"_s << QVariant(u"127.0.0.9"_s)
                          << QByteArray("LanHost=127.0.0.9") << u"LanHost"_s << u"127.0.0.9"_s;
}

void tst_SettingsStore::writeSetsFieldAndFile()
{
    QFETCH(QString, section);
    QFETCH(QString, key);
    QFETCH(QVariant, value);
    QFETCH(QByteArray, line);
    QFETCH(QString, field);
    QFETCH(QString, expected);

    writeFile("; kept\n[Sett]\nFontSize=14\n");
    SettingsStore store(m_path);
    store.load();
    QVERIFY(store.write(section, key, value));
    QCOMPARE(fieldText(store.record(), field), expected);
    const QByteArray bytes = fileBytes();
    QVERIFY2(bytes.contains(line), bytes.constData());
    QVERIFY(bytes.startsWith("; kept\n[Sett]\nFontSize=14\n"));

    SettingsStore again(m_path);
    again.load();
    QCOMPARE(fieldText(again.record(), field), expected);
}

void tst_SettingsStore::writeTextKeepsTheText()
{
    SettingsStore store(m_path);
    store.load();
    QVERIFY(store.writeText(u"MTCom"_s, u"LanPort"_s, u"10002"_s));
    QCOMPARE(store.record().LanPort, 10002);
    QVERIFY(store.writeText(u"MTSS"_s, u"CleanTimer"_s, u"abc"_s));
    QCOMPARE(store.record().CleanTimer, 120);
    QVERIFY(fileBytes().contains("CleanTimer=abc"));
}

void tst_SettingsStore::dmxPresets()
{
    SettingsStore store(m_path);
    const int expected[8][3] = {{255, 0, 0},   {0, 255, 0},   {0, 0, 255},   {255, 255, 0},
                                {0, 255, 255}, {255, 125, 5}, {5, 125, 255}, {125, 255, 5}};
    for (int n = 1; n <= 8; ++n) {
        const auto p = store.dmxPreset(n);
        QCOMPARE(p.red, expected[n - 1][0]);
        QCOMPARE(p.green, expected[n - 1][1]);
        QCOMPARE(p.blue, expected[n - 1][2]);
        QCOMPARE(p.name, u"Preset"_s + QString::number(n));
    }
    QVERIFY(store.writeDmxPreset(6, {10, 20, 30, u"Zonsondergang"_s}));
    const auto p = store.dmxPreset(6);
    QCOMPARE(p.red, 10);
    QCOMPARE(p.blue, 30);
    QCOMPARE(p.name, u"Zonsondergang"_s);
    QCOMPARE(store.dmxPreset(7).name, u"Preset7"_s);
}

void tst_SettingsStore::unknownKeys()
{
    writeFile("[Sett]\nFontSize=12\nOldThing=1\n[Legacy]\nX=2\n[DMX]\nPS3G=1\n");
    SettingsStore store(m_path);
    store.load();
    QCOMPARE(store.unknownKeys(), (QStringList{u"Sett/OldThing"_s, u"Legacy/X"_s}));
}

QTEST_GUILESS_MAIN(tst_SettingsStore)
#include "tst_settingsstore.moc"
