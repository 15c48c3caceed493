#include "data/datamodulekvx.h"
#include "data/datatable.h"
#include "data/opendatasets.h"
#include "data/projectcheck.h"
#include "data/tabledeclarations.h"
#include "data/tablefiles.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

QString demoFolder()
{
    return QDir::cleanPath(QStringLiteral(HALVANE_TEST_DATA "/../../examples/demo-project"));
}

QByteArray readFile(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// Copies the demo into a temporary folder, so that loading cannot touch the committed files.
bool copyDemo(const QTemporaryDir &to)
{
    const QDir from(demoFolder());
    for (const QString &name : from.entryList(QDir::Files)) {
        if (!QFile::copy(from.filePath(name), QDir(to.path()).filePath(name)))
            return false;
    }
    return true;
}

QStringList messages(const QList<ProjectCheck::Problem> &problems)
{
    QStringList out;
    for (const ProjectCheck::Problem &p : problems)
        out.append(u"%1 row %2: %3"_s.arg(p.fileName).arg(p.row).arg(p.message));
    return out;
}

} // namespace

class TestDataModuleProject : public QObject
{
    Q_OBJECT

private slots:
    void demoFilesRoundTrip_data();
    void demoFilesRoundTrip();
    void demoLoadsWithoutProblems();
    void checkFindsProblems_data();
    void checkFindsProblems();
    void projectCommandOnDemo();
};

void TestDataModuleProject::demoFilesRoundTrip_data()
{
    QTest::addColumn<QString>("path");
    const QDir dir(demoFolder());
    const QStringList files = dir.entryList({u"*.xml"_s}, QDir::Files);
    QVERIFY(files.size() >= 15);
    for (const QString &name : files)
        QTest::newRow(qPrintable(name)) << dir.filePath(name);
}

void TestDataModuleProject::demoFilesRoundTrip()
{
    QFETCH(QString, path);
    const QByteArray bytes = readFile(path);
    DataTable table;
    table.open(path);
    QCOMPARE(table.toXml(), bytes);
}

void TestDataModuleProject::demoLoadsWithoutProblems()
{
    QTemporaryDir program, project;
    QVERIFY(copyDemo(project));
    TDataModuleKVX dm(program.path());
    dm.setProjDir(project.path());
    TOpenDataSets::OpenAllTouchXML(dm);
    QVERIFY(dm.dataSetFailures().isEmpty());
    for (const TDataModuleKVX::ProjectTable &t : dm.projectTables())
        QVERIFY2(t.dataSet->isActive(), qPrintable(t.declaration.tableName));
    QCOMPARE(messages(ProjectCheck::check(dm)), QStringList());
    QCOMPARE(dm.comfortCaptions().at(2), u"Spaarstand"_s);

    // The house as a user first sees it.
    QCOMPARE(dm.cdsMTNav.recordCount(), 6);
    QVERIFY(dm.cdsMembers.table()->rowCount() >= 40);
    QCOMPARE(dm.cdsMTSpeedBut.recordCount(), 8);
    QCOMPARE(dm.cdsMTCommBut.recordCount(), 5);
    for (dm.cdsMTNav.first(); !dm.cdsMTNav.eof(); dm.cdsMTNav.next()) {
        QVERIFY(dm.cdsMTBut.recordCount() >= 6);
        QVERIFY(dm.cdsMTBut.recordCount() <= 16);
    }
    dm.cdsMTAddMembers.setFilter(u"version = 'RTC*'"_s);
    QCOMPARE(dm.cdsMTAddMembers.recordCount(), 2);
    QVERIFY(dm.cdsMembers.locate(u"MemberID"_s, u"M37"_s));
    QCOMPARE(dm.cdsMembers.fieldText(u"Version"), u"RTC_82"_s);
    QCOMPARE(dm.cdsRTC.recordCount(), 48);

    // Saving what was loaded leaves every file as it was.
    TOpenDataSets::SaveAllXML(dm, true);
    const QDir demo(demoFolder());
    for (const QString &name : demo.entryList(QDir::Files))
        QVERIFY2(readFile(demo.filePath(name)) == readFile(QDir(project.path()).filePath(name)),
                 qPrintable(name));
}

void TestDataModuleProject::checkFindsProblems_data()
{
    QTest::addColumn<QString>("tableName");
    QTest::addColumn<QVariantHash>("row");
    QTest::addColumn<QString>("expected");

    const QVariantHash button{{u"Name"_s, u"B2"_s}, {u"Screen"_s, u"Hal"_s}, {u"ActionID"_s, u"M1"_s},
                              {u"Dim"_s, 1},        {u"Group"_s, 3},         {u"Address"_s, 12}};
    auto with = [](QVariantHash row, const QString &column, const QVariant &value) {
        row.insert(column, value);
        return row;
    };
    QTest::newRow("button names a missing member") << u"cdsMTBut"_s << with(button, u"ActionID"_s, u"M9"_s)
                                                   << u"MTBut.xml row 2: button 'B2': names member 'M9'"_s;
    QTest::newRow("button name repeated on its screen")
        << u"cdsMTBut"_s << with(button, u"Name"_s, u"B1"_s)
        << u"MTBut.xml row 2: button name 'B1' repeats row 1"_s;
    QTest::newRow("button name not an identifier")
        << u"cdsMTSpeedBut"_s << with(button, u"Name"_s, u"Licht hal"_s) << u"not a valid identifier"_s;
    QTest::newRow("empty button name")
        << u"cdsMTCommBut"_s << with(button, u"Name"_s, QString()) << u"button without a name"_s;
    QTest::newRow("picture outside the icon set")
        << u"cdsMTBut"_s << with(button, u"Dim"_s, 71) << u"Dim 71 lies outside 0..70"_s;
    QTest::newRow("group outside 0..15")
        << u"cdsMembers"_s << QVariantHash{{u"MemberID"_s, u"M2"_s}, {u"Group"_s, 16}}
        << u"Members.xml row 2: member Group 16 lies outside 0..15"_s;
    QTest::newRow("address outside 0..255")
        << u"cdsMembers"_s << QVariantHash{{u"MemberID"_s, u"M2"_s}, {u"Address"_s, 256}}
        << u"member Address 256 lies outside 0..255"_s;
    QTest::newRow("action names a missing member")
        << u"cdsMTSpeedAct"_s << QVariantHash{{u"Button"_s, u"B1"_s}, {u"ActionID"_s, u"m1"_s}}
        << u"action of button 'B1' names member 'm1'"_s;
    QTest::newRow("explicit target outside the bus")
        << u"cdsMTAct"_s
        << QVariantHash{{u"Button"_s, u"B1"_s}, {u"ActionID"_s, u"DATAW"_s}, {u"DataAd"_s, 300}}
        << u"explicit target DataAd 300"_s;
    QTest::newRow("navigation picture not a number")
        << u"cdsMTNav"_s
        << QVariantHash{{u"Name"_s, u"Tuin"_s}, {u"Screen"_s, u"Tuin"_s}, {u"Image"_s, u"abc"_s}}
        << u"screen 'Tuin': picture 'abc' is not a number"_s;
}

void TestDataModuleProject::checkFindsProblems()
{
    QFETCH(QString, tableName);
    QFETCH(QVariantHash, row);
    QFETCH(QString, expected);

    // A sound little project, then one faulty row added to one table.
    QHash<QString, QList<QVariantHash>> tables{
        {u"cdsMembers"_s, {{{u"MemberID"_s, u"M1"_s}, {u"Group"_s, 3}, {u"Address"_s, 12}}}},
        {u"cdsMTNav"_s, {{{u"Name"_s, u"Hal"_s}, {u"Screen"_s, u"Hal"_s}, {u"Image"_s, u"55"_s}}}},
        {u"cdsMTBut"_s,
         {{{u"Name"_s, u"B1"_s}, {u"Screen"_s, u"Hal"_s}, {u"ActionID"_s, u"M1"_s}, {u"Dim"_s, 70}}}},
        {u"cdsMTAct"_s, {{{u"Button"_s, u"B1"_s}, {u"ActionID"_s, u"M1"_s}}}},
    };
    QTemporaryDir program, project;
    TDataModuleKVX dm(program.path());
    dm.setProjDir(project.path());
    TOpenDataSets::OpenAllTouchXML(dm);
    QCOMPARE(messages(ProjectCheck::check(dm)), QStringList());
    TOpenDataSets::SaveAllXML(dm, true);

    tables[tableName].append(row);
    for (auto it = tables.cbegin(); it != tables.cend(); ++it) {
        const TableDeclaration *declaration = TableDeclarations::find(it.key());
        TableFiles::write(dm.projectFile(declaration->fileName), *declaration, it.value());
    }
    TOpenDataSets::OpenAllTouchXML(dm);
    const QStringList found = messages(ProjectCheck::check(dm));
    QVERIFY2(found.size() == 1 && found.first().contains(expected), qPrintable(found.join(u"\n"_s)));
}

void TestDataModuleProject::projectCommandOnDemo()
{
    const QString tool = QStringLiteral(HALVANE_BUILD_DIR "/bin/halvanectl");
    if (!QFile::exists(tool))
        QSKIP("halvanectl is not built");
    const QByteArray before = readFile(QDir(demoFolder()).filePath(u"Members.xml"_s));
    QProcess process;
    process.start(tool, {u"project"_s, u"check"_s, demoFolder()});
    QVERIFY(process.waitForFinished(30000));
    const QString out = QString::fromUtf8(process.readAllStandardOutput());
    QCOMPARE(process.exitCode(), 0);
    QVERIFY2(out.endsWith(u"no problems\n"_s), qPrintable(out));
    QVERIFY2(!out.contains(u"problem:"_s) && !out.contains(u"FAILED"_s), qPrintable(out));
    QCOMPARE(readFile(QDir(demoFolder()).filePath(u"Members.xml"_s)), before);
}

QTEST_GUILESS_MAIN(TestDataModuleProject)
#include "tst_datamoduleproject.moc"
