#include "platform/linuxshellopener.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

// The Linux "open" with a starter that records the command it would run; nothing is started.
class tst_ShellOpener : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void command_data();
    void command();

private:
    QTemporaryDir m_dir;
    QString m_savedCurrent;
};

void tst_ShellOpener::initTestCase()
{
    QVERIFY(m_dir.isValid());
    const auto make = [this](const QString &name, bool executable) {
        QFile file(m_dir.filePath(name));
        if (!file.open(QIODevice::WriteOnly) || file.write("#!/bin/sh\nexit 0\n") < 0)
            return false;
        file.close();
        return !executable || file.setPermissions(file.permissions() | QFileDevice::ExeOwner);
    };
    QVERIFY(make(u"tool.sh"_s, true));
    QVERIFY(make(u"Manual.pdf"_s, false));
    QVERIFY(make(u"a; rm -rf ~ $(id) 'x'.pdf"_s, false));
    QVERIFY(make(u"-version.pdf"_s, false));
    QVERIFY(make(u"photo.jpg"_s, true)); // file systems such as vfat mark every file executable
    QVERIFY(QDir(m_dir.path()).mkdir(u"Pictures"_s));
    m_savedCurrent = QDir::currentPath();
    QVERIFY(QDir::setCurrent(m_dir.path()));
}

void tst_ShellOpener::cleanupTestCase()
{
    QDir::setCurrent(m_savedCurrent);
}

void tst_ShellOpener::command_data()
{
    QTest::addColumn<QString>("target");          // "%D" stands for the fixture folder
    QTest::addColumn<QStringList>("failToStart"); // programs the starter cannot start
    QTest::addColumn<bool>("expected");
    QTest::addColumn<QList<QStringList>>("commands"); // program followed by its arguments

    const QString xdg = u"xdg-open"_s;
    const QString D = u"%D"_s;

    QTest::newRow("executable file is started directly")
        << D + "/tool.sh"_L1 << QStringList() << true << QList<QStringList>{{D + "/tool.sh"_L1}};
    QTest::newRow("document goes to xdg-open")
        << D + "/Manual.pdf"_L1 << QStringList() << true << QList<QStringList>{{xdg, D + "/Manual.pdf"_L1}};
    QTest::newRow("shell characters stay one argument")
        << D + "/a; rm -rf ~ $(id) 'x'.pdf"_L1 << QStringList() << true
        << QList<QStringList>{{xdg, D + "/a; rm -rf ~ $(id) 'x'.pdf"_L1}};
    QTest::newRow("relative name starting with a dash is made absolute")
        << u"-version.pdf"_s << QStringList() << true << QList<QStringList>{{xdg, D + "/-version.pdf"_L1}};
    QTest::newRow("folder goes to xdg-open")
        << D + "/Pictures"_L1 << QStringList() << true << QList<QStringList>{{xdg, D + "/Pictures"_L1}};
    QTest::newRow("executable that will not start goes to xdg-open")
        << D + "/photo.jpg"_L1 << QStringList{D + "/photo.jpg"_L1} << true
        << QList<QStringList>{{D + "/photo.jpg"_L1}, {xdg, D + "/photo.jpg"_L1}};
    QTest::newRow("web address") << u"https://www.halvane.example/a?b=1&c=$(id)"_s << QStringList() << true
                                 << QList<QStringList>{{xdg, u"https://www.halvane.example/a?b=1&c=$(id)"_s}};
    QTest::newRow("web address in capitals") << u"HTTP://WWW.HALVANE.EXAMPLE/"_s << QStringList() << true
                                             << QList<QStringList>{{xdg, u"HTTP://WWW.HALVANE.EXAMPLE/"_s}};
    QTest::newRow("web address with blanks") << u"http://halvane.example/a b"_s << QStringList() << true
                                             << QList<QStringList>{{xdg, u"http://halvane.example/a b"_s}};
    QTest::newRow("file address of a document") << u"file://%D/Manual.pdf"_s << QStringList() << true
                                                << QList<QStringList>{{xdg, u"file://%D/Manual.pdf"_s}};
    QTest::newRow("file address of a missing document")
        << u"file://%D/Missing.pdf"_s << QStringList() << false << QList<QStringList>{};
    QTest::newRow("missing file") << D + "/Missing.pdf"_L1 << QStringList() << false << QList<QStringList>{};
    QTest::newRow("Windows program path") << u"C:\\Program Files (x86)\\Siedle\\BSHT 650-0\\bsht.exe"_s
                                          << QStringList() << false << QList<QStringList>{};
    QTest::newRow("empty") << QString() << QStringList() << false << QList<QStringList>{};
    QTest::newRow("blanks only") << u"   "_s << QStringList() << false << QList<QStringList>{};
    QTest::newRow("xdg-open cannot be started") << D + "/Manual.pdf"_L1 << QStringList{xdg} << false
                                                << QList<QStringList>{{xdg, D + "/Manual.pdf"_L1}};
}

void tst_ShellOpener::command()
{
    QFETCH(QString, target);
    QFETCH(QStringList, failToStart);
    QFETCH(bool, expected);
    QFETCH(QList<QStringList>, commands);

    const QString folder = m_dir.path();
    target.replace(u"%D"_s, folder);
    for (QString &program : failToStart)
        program.replace(u"%D"_s, folder);
    for (QStringList &command : commands)
        command.replaceInStrings(u"%D"_s, folder);

    for (const auto mode : {ShellOpener::ShowMode::Normal, ShellOpener::ShowMode::Maximized}) {
        QList<QStringList> started;
        LinuxShellOpener opener([&](const QString &program, const QStringList &arguments) {
            started.append(QStringList{program} + arguments);
            return !failToStart.contains(program);
        });
        QCOMPARE(opener.open(target, mode), expected);
        QCOMPARE(started, commands);
    }
}

QTEST_GUILESS_MAIN(tst_ShellOpener)
#include "tst_shellopener.moc"
