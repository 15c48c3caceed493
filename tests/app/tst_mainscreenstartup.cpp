#include "app/mainscreen.h"
#include "app/projectdialog.h"
#include "app/settingsstore.h"
#include "app/startdelaypanel.h"
#include "bus/gatewaylink.h"
#include "data/datamodulekvx.h"
#include "platform/fakeplatform.h"
#include "platform/inifile.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QProcess>
#include <QProgressBar>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>

using namespace Qt::StringLiterals;

namespace {

// Answers the project question the way a test wants, and remembers that it was asked.
class ScriptedProjectDialog final : public ProjectDialog
{
public:
    std::optional<QString> answer;
    int asked = 0;
    QString initialFolder;

    std::optional<QString> chooseProjectFile(QWidget *, const QString &folder) override
    {
        ++asked;
        initialFolder = folder;
        return answer;
    }
};

void writeText(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        qFatal("cannot write %s", qPrintable(path));
    f.write(bytes);
}

QByteArray readText(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace

// The start of the panel: settings read, the countdown, the project loaded or asked for, and the
// close that saves the project.
class tst_MainScreenStartup : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void zeroDelayEndsAtFirstTick();
    void countdownShowsSecondsLeft();
    void tapOnProgressEndsTheDelay();
    void missingProjectAsksAndRestartsCountdown();
    void cancelledProjectDialogEndsTheProgram();
    void closeSavesTheProject();
    void sigtermSavesTheProject();

private:
    void makeScreen();

    std::unique_ptr<QTemporaryDir> m_home;
    QString m_project;
    FakePlatform m_platform;
    ScriptedProjectDialog m_dialog;
    std::unique_ptr<SettingsStore> m_settings;
    std::unique_ptr<TDataModuleKVX> m_data;
    std::unique_ptr<TMainScreen> m_screen;
};

void tst_MainScreenStartup::init()
{
    m_home = std::make_unique<QTemporaryDir>();
    m_project = m_home->filePath(u"project"_s);
    QDir().mkpath(m_project);
    m_dialog.answer.reset();
    m_dialog.asked = 0;
    // LanHost empty: the panel never connects anywhere in these tests.
    writeText(m_home->filePath(u"kvx.ini"_s),
              "[MTPath]\nProjDir=" + m_project.toUtf8() + "\n[MTCom]\nLanHost=\n[Sett]\nStartDelay=0\n");
}

void tst_MainScreenStartup::cleanup()
{
    m_screen.reset();
    m_data.reset();
    m_settings.reset();
}

void tst_MainScreenStartup::makeScreen()
{
    m_settings = std::make_unique<SettingsStore>(m_home->filePath(u"kvx.ini"_s));
    m_data = std::make_unique<TDataModuleKVX>(m_home->path());
    m_screen = std::make_unique<TMainScreen>(
        TMainScreen::Services{*m_settings, *m_data, m_platform.services(), m_dialog});
}

void tst_MainScreenStartup::zeroDelayEndsAtFirstTick()
{
    makeScreen();
    QCOMPARE(m_screen->StartDelayTimer, 0);
    QVERIFY(!m_screen->ProgramStarted);
    QVERIFY(m_screen->startDelayPanel()->isVisibleTo(m_screen.get()));

    m_screen->StartDelayTimerTimer();
    QVERIFY(m_screen->ProgramStarted);
    QVERIFY(!m_screen->startDelayTimer().isActive());
    QVERIFY(!m_screen->startDelayPanel()->isVisibleTo(m_screen.get()));
    QCOMPARE(m_dialog.asked, 0);
    // The project was loaded: an empty folder now holds the fifteen tables.
    QVERIFY(m_data->cdsMembers.isActive());
    QCOMPARE(QDir(m_project).entryList({u"*.xml"_s}, QDir::Files).size(), 15);
    // No gateway host: no connection, the disconnected state is shown.
    QCOMPARE(m_screen->connectionStatusLabel()->text(), u"Kan niet verbinden."_s);
}

void tst_MainScreenStartup::countdownShowsSecondsLeft()
{
    IniFile(m_home->filePath(u"kvx.ini"_s)).writeString(u"Sett"_s, u"StartDelay"_s, u"3"_s);
    makeScreen();
    QCOMPARE(m_screen->startDelayPanel()->maximum(), 3);
    m_screen->StartDelayTimerTimer();
    QCOMPARE(m_screen->StartDelayTimer, 2);
    QCOMPARE(m_screen->startDelayPanel()->position(), 2);
    QVERIFY(!m_screen->ProgramStarted);
    m_screen->StartDelayTimerTimer();
    m_screen->StartDelayTimerTimer();
    QVERIFY(m_screen->ProgramStarted);
}

void tst_MainScreenStartup::tapOnProgressEndsTheDelay()
{
    IniFile(m_home->filePath(u"kvx.ini"_s)).writeString(u"Sett"_s, u"StartDelay"_s, u"30"_s);
    makeScreen();
    m_screen->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_screen.get()));
    QTest::mouseClick(m_screen->startDelayPanel()->progressBar(), Qt::LeftButton);
    QVERIFY(m_screen->ProgramStarted);
}

void tst_MainScreenStartup::missingProjectAsksAndRestartsCountdown()
{
    const QString gone = m_home->filePath(u"deleted-project"_s);
    IniFile(m_home->filePath(u"kvx.ini"_s)).writeString(u"MTPath"_s, u"ProjDir"_s, gone + u'/');
    const QString chosen = m_home->filePath(u"chosen"_s);
    QDir().mkpath(chosen);
    m_dialog.answer = chosen + u"/MTNav.xml"_s;

    makeScreen();
    m_screen->StartDelayTimerTimer();
    QCOMPARE(m_dialog.asked, 1);
    QCOMPARE(m_dialog.initialFolder, gone + u'/');
    // The countdown starts again at two seconds, not yet started.
    QVERIFY(!m_screen->ProgramStarted);
    QCOMPARE(m_screen->StartDelayTimer, 2);
    QVERIFY(m_screen->startDelayTimer().isActive());
    QCOMPARE(IniFile(m_home->filePath(u"kvx.ini"_s)).readString(u"MTPath"_s, u"ProjDir"_s, {}),
             chosen + u'/');
    QCOMPARE(m_data->ProjDir(), chosen + u'/');
    QVERIFY(QFile::exists(chosen + u"/Members.xml"_s));

    m_screen->StartDelayTimerTimer();
    m_screen->StartDelayTimerTimer();
    QVERIFY(m_screen->ProgramStarted);
    QCOMPARE(m_dialog.asked, 1);
}

void tst_MainScreenStartup::cancelledProjectDialogEndsTheProgram()
{
    IniFile(m_home->filePath(u"kvx.ini"_s)).writeString(u"MTPath"_s, u"ProjDir"_s, QString());
    makeScreen();
    m_screen->show();
    m_screen->StartDelayTimerTimer();
    QCOMPARE(m_dialog.asked, 1);
    QTRY_VERIFY(m_screen->isClosed());
}

void tst_MainScreenStartup::closeSavesTheProject()
{
    makeScreen();
    m_screen->StartDelayTimerTimer();
    QVERIFY(m_data->cdsMTSpeedButFont.isActive());
    const QString readOut = m_home->filePath(u"ReadOut.xml"_s);
    m_screen->show();
    m_screen->close();
    QVERIFY(m_screen->isClosed());
    QVERIFY(!m_data->cdsMembers.isActive());
    QVERIFY(!QFile::exists(readOut));
}

void tst_MainScreenStartup::sigtermSavesTheProject()
{
    // A members file in another writer's shape (line breaks): the panel's save writes it in its
    // own one-line form, which shows that the tables were saved on SIGTERM.
    writeText(m_project + u"/Members.xml"_s,
              "<?xml version=\"1.0\" standalone=\"yes\"?>\n<DATAPACKET Version=\"2.0\">\n<METADATA><FIELDS>"
              "<FIELD attrname=\"MemberID\" fieldtype=\"string\" WIDTH=\"20\"/>"
              "<FIELD attrname=\"Name\" fieldtype=\"string\" WIDTH=\"100\"/>"
              "<FIELD attrname=\"Group\" fieldtype=\"i4\"/><FIELD attrname=\"Address\" fieldtype=\"i4\"/>"
              "</FIELDS><PARAMS/></METADATA>\n<ROWDATA>\n<ROW MemberID=\"M1\" Name=\"Lamp\" Group=\"1\" "
              "Address=\"2\"/>\n"
              "</ROWDATA>\n</DATAPACKET>\n");
    const QByteArray before = readText(m_project + u"/Members.xml"_s);

    QProcess panel;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(u"HALVANE_HOME"_s, m_home->path());
    env.insert(u"HALVANE_LOCK_DIR"_s, m_home->path());
    env.insert(u"QT_QPA_PLATFORM"_s, u"offscreen"_s);
    env.insert(u"QT_LOGGING_RULES"_s, u"halvane.*=true"_s);
    panel.setProcessEnvironment(env);
    panel.setProcessChannelMode(QProcess::MergedChannels);
    panel.start(QStringLiteral(HALVANE_BUILD_DIR "/bin/halvane"), {});
    QVERIFY(panel.waitForStarted(10000));
    QByteArray output;
    QTRY_VERIFY_WITH_TIMEOUT((output += panel.readAll()).contains("start-up complete"), 20000);

    ::kill(panel.processId(), SIGTERM);
    QVERIFY(panel.waitForFinished(20000));
    QCOMPARE(panel.exitStatus(), QProcess::NormalExit);
    QCOMPARE(panel.exitCode(), 0);
    const QByteArray after = readText(m_project + u"/Members.xml"_s);
    QVERIFY(after != before);
    QVERIFY(!after.contains('\n'));
    QVERIFY(after.contains("MemberID=\"M1\""));
}

QTEST_MAIN(tst_MainScreenStartup)
#include "tst_mainscreenstartup.moc"
