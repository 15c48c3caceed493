#include "app/settingkeys.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

// Runs the installer's command line as a person would.
class tst_Halvanectl : public QObject
{
    Q_OBJECT

private slots:
    void settingsWithoutFilePrintsDefaults();
    void settingsReportsUnknownAndBad();
    void unknownCommand();

private:
    QStringList run(const QStringList &args, int *exitCode);
};

QStringList tst_Halvanectl::run(const QStringList &args, int *exitCode)
{
    QProcess p;
    p.start(QStringLiteral(HALVANE_BUILD_DIR "/bin/halvanectl"), args);
    if (!p.waitForFinished(20000))
        return {};
    *exitCode = p.exitCode();
    return QString::fromUtf8(p.readAllStandardOutput()).split(u'\n', Qt::SkipEmptyParts);
}

void tst_Halvanectl::settingsWithoutFilePrintsDefaults()
{
    QTemporaryDir dir;
    int code = -1;
    const QStringList lines = run({u"settings"_s, dir.path()}, &code);
    QCOMPARE(code, 0);
    QCOMPARE(lines.size(), SettingKeys::all().size());
    QCOMPARE(lines.first(), u"MTPath/ProjDir = "_s);
    QVERIFY(lines.contains(u"MTCom/LanHost = 192.168.1.151"_s));
    QVERIFY(lines.contains(u"MTSS/DumPConnectionTimer = 180"_s));
    QVERIFY(lines.contains(u"Sett/BackGndColor = $007D9CAA"_s));
    QVERIFY(lines.contains(u"Sett/btnBevelColorOn = clRed"_s));
    QVERIFY(lines.contains(u"MTSS/ScreenSPict = 1"_s));
    QVERIFY(lines.contains(u"DMX/PS6G = 125"_s));
    QVERIFY(lines.contains(u"Nuvo/AutoClose = 1"_s));
    QVERIFY(!QFile::exists(dir.filePath(u"kvx.ini"_s)));
}

void tst_Halvanectl::settingsReportsUnknownAndBad()
{
    QTemporaryDir dir;
    QFile f(dir.filePath(u"kvx.ini"_s));
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write("[Sett]\r\nTextColor=$000000FF\r\nFontSize=groot\r\nHeatingOnColor=warm\r\nOldKey=5\r\n"
            "[MTCom]\r\nBusMon=1\r\n");
    f.close();

    int code = -1;
    const QStringList lines = run({u"settings"_s, dir.path()}, &code);
    QCOMPARE(code, 0);
    QVERIFY(lines.contains(u"Sett/TextColor = clRed"_s));
    QVERIFY(lines.contains(u"Sett/FontSize = 14"_s));
    QVERIFY(lines.contains(u"MTCom/BusMon = 1"_s));
    const QStringList tail = lines.mid(SettingKeys::all().size());
    QCOMPARE(tail, (QStringList{u"unknown: Sett/OldKey"_s, u"bad: Sett/FontSize = groot"_s,
                                u"bad: Sett/HeatingOnColor = warm"_s}));
}

void tst_Halvanectl::unknownCommand()
{
    int code = -1;
    run({u"frobnicate"_s}, &code);
    QCOMPARE(code, 2);
}

QTEST_GUILESS_MAIN(tst_Halvanectl)
#include "tst_halvanectl.moc"
