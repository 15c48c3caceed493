#include "data/dataerror.h"
#include "data/datamodulekvx.h"
#include "data/datatable.h"
#include "data/opendatasets.h"
#include "data/tabledeclarations.h"
#include "data/tablefiles.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

using Rows = QList<QVariantHash>;

QVariantHash member(const QString &id, const QString &name, int group, int address,
                    const QString &version = u"REL_8"_s)
{
    return {{u"MemberID"_s, id},
            {u"Name"_s, name},
            {u"Group"_s, group},
            {u"Address"_s, address},
            {u"Version"_s, version}};
}

QByteArray readFile(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return f.readAll();
}

void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

// A program folder and a project folder, each a fresh temporary folder.
struct Folders
{
    QTemporaryDir program;
    QTemporaryDir project;

    QString projectFile(const QString &name) const { return QDir(project.path()).filePath(name); }
    void write(const TableDeclaration &declaration, const Rows &rows) const
    {
        TableFiles::write(projectFile(declaration.fileName), declaration, rows);
    }
};

} // namespace

class TestDataModule : public QObject
{
    Q_OBJECT

private slots:
    void emptyFolderGetsTheFileSet();
    void projDirGetsTrailingSeparator();
    void fileNamesIgnoreCase();
    void comfortCaptions();
    void membersGroupUpgrade_data();
    void membersGroupUpgrade();
    void brokenTableStaysClosed();
    void brokenMembersStopsTheLoad();
    void unwritableFolderGoesToCaller();
    void lookupLeavesMembersInPlace();
    void rtcModuleIdOnStore();
    void actionTarget_data();
    void actionTarget();
    void functionText_data();
    void functionText();
    void actionCaption_data();
    void actionCaption();
    void masterDetailLinks();
    void stateViewsSeeEveryScreenAndSave();
    void foreignColumnsSurviveLoadAndSave();
    void saveAllWithCloseDeletesReadOut_data();
    void saveAllWithCloseDeletesReadOut();
};

void TestDataModule::emptyFolderGetsTheFileSet()
{
    Folders f;
    TDataModuleKVX dm(f.program.path());
    dm.setProjDir(f.project.path());
    TOpenDataSets::OpenAllTouchXML(dm);

    QVERIFY(dm.dataSetFailures().isEmpty());
    const QStringList files = QDir(f.project.path()).entryList(QDir::Files);
    QCOMPARE(files.size(), 15);
    for (const TDataModuleKVX::ProjectTable &t : dm.projectTables()) {
        QVERIFY2(files.contains(t.declaration.fileName), qPrintable(t.declaration.fileName));
        QVERIFY2(t.dataSet->isActive(), qPrintable(t.declaration.tableName));
        QCOMPARE(t.dataSet->recordCount(), 0);
        // The file carries the declared columns, in order.
        const DataPacket packet = DataPacket::readFile(f.projectFile(t.declaration.fileName));
        QCOMPARE(packet.columns.size(), t.declaration.columns.size());
        for (qsizetype c = 0; c < packet.columns.size(); ++c) {
            QCOMPARE(packet.columns[c].name, t.declaration.columns[c].name);
            QCOMPARE(packet.columns[c].fieldType, t.declaration.columns[c].type);
        }
    }
    // The lookup and state views are attached to their tables.
    QVERIFY(dm.cdsLookup1.isActive());
    QVERIFY(dm.cdsIncoming.isActive());
    QVERIFY(dm.cdsMTLookup1.isActive());
    QVERIFY(dm.cdsMTButFont.isActive());
    QVERIFY(dm.cdsMTSpeedButFont.isActive());
    QVERIFY(dm.cdsMTCommButFont.isActive());
}

void TestDataModule::projDirGetsTrailingSeparator()
{
    TDataModuleKVX dm(QDir::tempPath());
    dm.setProjDir(u"/srv/huis"_s);
    QCOMPARE(dm.ProjDir(), u"/srv/huis/"_s);
    dm.setProjDir(u"/srv/huis/"_s);
    QCOMPARE(dm.ProjDir(), u"/srv/huis/"_s);
    dm.setProjDir(QString());
    QCOMPARE(dm.ProjDir(), QString());
    QVERIFY(!dm.hasProject());
    dm.setProjDir(u"/no/such/folder/anywhere"_s);
    QVERIFY(!dm.hasProject());
}

void TestDataModule::fileNamesIgnoreCase()
{
    // Project folders come from Windows: "members.xml" and "NuVoPlayers.xml" are the set's files.
    Folders f;
    TableFiles::write(f.projectFile(u"members.xml"_s), TableDeclarations::members(),
                      {member(u"M1"_s, u"Hal"_s, 3, 12)});
    TableFiles::write(f.projectFile(u"NuVoPlayers.xml"_s), TableDeclarations::nuvoPlayers(),
                      {{{u"Mac"_s, u"00:11"_s}, {u"Name"_s, u"Keuken"_s}}});
    TDataModuleKVX dm(f.program.path());
    dm.setProjDir(f.project.path());
    TOpenDataSets::OpenAllTouchXML(dm);
    QCOMPARE(dm.cdsMembers.recordCount(), 1);
    QCOMPARE(dm.cdsNuvoPlayers.recordCount(), 1);
    const QStringList files = QDir(f.project.path()).entryList(QDir::Files);
    QCOMPARE(files.size(), 15);
    QVERIFY(!files.contains(u"Members.xml"_s));
    QVERIFY(!files.contains(u"NuvoPlayers.xml"_s));
}

void TestDataModule::comfortCaptions()
{
    Folders f;
    TDataModuleKVX dm(f.program.path());
    dm.setProjDir(f.project.path());
    QCOMPARE(dm.comfortCaptions(), (QStringList{u"Nacht"_s, u"Dag"_s, u"Standby"_s, u"Afwezig"_s}));
    writeFile(f.projectFile(u"ProjSett.ini"_s), "[Comforts]\r\nComfort2=Overdag\r\ncomfort4=Vakantie\r\n");
    QCOMPARE(dm.comfortCaptions(), (QStringList{u"Nacht"_s, u"Overdag"_s, u"Standby"_s, u"Vakantie"_s}));
}

void TestDataModule::membersGroupUpgrade_data()
{
    QTest::addColumn<bool>("oldDeclaration");
    QTest::newRow("i2 Group declaration rewritten as i4") << true;
    QTest::newRow("i4 file left byte for byte") << false;
}

void TestDataModule::membersGroupUpgrade()
{
    QFETCH(bool, oldDeclaration);
    Folders f;
    const QString path = f.projectFile(u"Members.xml"_s);
    QByteArray original = readFile(QStringLiteral(HALVANE_TEST_DATA "/projects/oldmembers/Members.xml"));
    QVERIFY(!original.isEmpty());
    if (!oldDeclaration)
        original.replace(R"(fieldtype="i2")", R"(fieldtype="i4")");
    writeFile(path, original);

    TDataModuleKVX dm(f.program.path());
    dm.setProjDir(f.project.path());
    TOpenDataSets::OpenAllTouchXML(dm);

    const QByteArray after = readFile(path);
    QVERIFY(!after.contains(R"(<FIELD attrname="Group" fieldtype="i2"/>)"));
    QByteArray expected = original;
    expected.replace(R"(<FIELD attrname="Group" fieldtype="i2"/>)",
                     R"(<FIELD attrname="Group" fieldtype="i4"/>)");
    QCOMPARE(after, expected); // only the declaration changed
    QVERIFY(dm.cdsMembers.isActive());
    QCOMPARE(dm.cdsMembers.recordCount(), 3);
    QVERIFY(dm.cdsMembers.locate(u"MemberID"_s, u"M2"_s));
    QCOMPARE(dm.cdsMembers.fieldInt(u"Group"), 15);
    QCOMPARE(dm.cdsMembers.fieldInt(u"Address"), 255);
}

void TestDataModule::brokenTableStaysClosed()
{
    Folders f;
    f.write(TableDeclarations::members(), {member(u"M1"_s, u"Hal"_s, 3, 12)});
    writeFile(f.projectFile(u"RTC.xml"_s), "<?xml version=\"1.0\"?><DATAPACKET><METADATA><FIELDS>");

    TDataModuleKVX dm(f.program.path());
    dm.setProjDir(f.project.path());
    TOpenDataSets::OpenAllTouchXML(dm);

    QVERIFY(!dm.cdsRTC.isActive());
    QCOMPARE(dm.cdsRTC.recordCount(), 0);
    QVERIFY(!dm.failureOf(u"cdsRTC"_s).isEmpty());
    QCOMPARE(dm.dataSetFailures().size(), 1);
    for (const TDataModuleKVX::ProjectTable &t : dm.projectTables()) {
        if (t.dataSet != &dm.cdsRTC)
            QVERIFY2(t.dataSet->isActive(), qPrintable(t.declaration.tableName));
    }
    QCOMPARE(dm.cdsMembers.recordCount(), 1);
    // The broken file is not overwritten by a save.
    const QByteArray broken = readFile(f.projectFile(u"RTC.xml"_s));
    TOpenDataSets::SaveAllXML(dm, true);
    QCOMPARE(readFile(f.projectFile(u"RTC.xml"_s)), broken);
}

void TestDataModule::brokenMembersStopsTheLoad()
{
    // Without Members the lookup views cannot be attached: the error goes to the caller and the
    // rest of the file set is not loaded.
    Folders f;
    writeFile(f.projectFile(u"Members.xml"_s), "not a data packet");
    TDataModuleKVX dm(f.program.path());
    dm.setProjDir(f.project.path());
    QVERIFY_THROWS_EXCEPTION(DatasetError, TOpenDataSets::OpenAllTouchXML(dm));
    QVERIFY(!dm.cdsMembers.isActive());
    QVERIFY(!dm.cdsRTC.isActive());
    QVERIFY(!QFile::exists(f.projectFile(u"RTC.xml"_s)));
}

void TestDataModule::unwritableFolderGoesToCaller()
{
    // A project folder below a plain file can never be written, whoever runs the test.
    Folders f;
    writeFile(f.projectFile(u"plain"_s), "x");
    TDataModuleKVX dm(f.program.path());
    dm.setProjDir(f.projectFile(u"plain/Huis"_s));
    QVERIFY_THROWS_EXCEPTION(DataFileError, TOpenDataSets::OpenAllTouchXML(dm));
    QVERIFY(!dm.cdsMembers.isActive());
}

void TestDataModule::lookupLeavesMembersInPlace()
{
    Folders f;
    f.write(TableDeclarations::members(),
            {member(u"A1"_s, u"Hal"_s, 0, 1), member(u"B1"_s, u"Keuken"_s, 1, 1),
             member(u"C1"_s, u"Tuin"_s, 2, 1)});
    f.write(TableDeclarations::mtSpeedAct(), {{{u"Button"_s, u"S1"_s}, {u"ActionID"_s, u"C1"_s}}});
    TDataModuleKVX dm(f.program.path());
    dm.setProjDir(f.project.path());
    TOpenDataSets::OpenAllTouchXML(dm);

    QVERIFY(dm.cdsMembers.locate(u"MemberID"_s, u"B1"_s));
    const int before = dm.cdsMembers.recNo();
    dm.cdsMTSpeedAct.clearMasterLink();
    dm.cdsMTSpeedAct.first();
    QCOMPARE(dm.cdsMTSpeedAct.fieldText(u"AName"), u"Tuin"_s);
    QCOMPARE(dm.cdsLookup1.fieldText(u"MemberID"), u"C1"_s);
    QCOMPARE(dm.cdsMembers.recNo(), before);
    QCOMPARE(dm.cdsMembers.fieldText(u"MemberID"), u"B1"_s);
    // A failed search leaves the lookup view where it stood.
    QVERIFY(!dm.lookupMember(dm.cdsLookup1, u"Z9"_s));
    QCOMPARE(dm.cdsLookup1.fieldText(u"MemberID"), u"C1"_s);
}

void TestDataModule::rtcModuleIdOnStore()
{
    Folders f;
    f.write(TableDeclarations::members(),
            {member(u"M1"_s, u"Hal"_s, 3, 12), member(u"K1"_s, u"Klok"_s, 2, 40, u"RTC_82"_s)});
    f.write(TableDeclarations::rtc(),
            {{{u"RTCModuleID"_s, 0}, {u"MemberID"_s, u"K1"_s}, {u"Switch"_s, 3}, {u"Register"_s, 1}},
             {{u"RTCModuleID"_s, 0}, {u"MemberID"_s, u"K1"_s}, {u"Switch"_s, 3}, {u"Register"_s, 2}}});
    TDataModuleKVX dm(f.program.path());
    dm.setProjDir(f.project.path());
    TOpenDataSets::OpenAllTouchXML(dm);

    QVERIFY(dm.cdsMembers.locate(u"MemberID"_s, u"K1"_s));
    QCOMPARE(dm.cdsRTC.recordCount(), 2);
    QVERIFY(dm.cdsRTC.locate(u"Register"_s, 2));
    dm.cdsRTC.edit();
    dm.cdsRTC.setFieldValue(u"Min", 30);
    dm.cdsRTC.post();
    QCOMPARE(dm.cdsRTC.fieldInt(u"RTCModuleID"), 253); // 3×5 + 2 + 2×100 + 40 − 4
    QCOMPARE(dm.cdsRTC.fieldInt(u"Min"), 30);
}

void TestDataModule::actionTarget_data()
{
    QTest::addColumn<QStringList>("memberIds");
    QTest::addColumn<QString>("actionId");
    QTest::addColumn<QVariant>("aad");
    QTest::addColumn<QVariant>("agr");
    QTest::addColumn<QString>("aName");

    // The i-th member (from 0) stands at group 2 + i, address 20 + 10 × i, named "Lid " + its MemberID.
    QTest::newRow("exact key wins over a longer one")
        << QStringList{u"M10"_s, u"M1"_s} << u"M1"_s << QVariant(30) << QVariant(3) << u"Lid M1"_s;
    QTest::newRow("smallest longer key when no exact one")
        << QStringList{u"M11"_s, u"M10"_s} << u"M1"_s << QVariant(30) << QVariant(3) << u"Lid M10"_s;
    QTest::newRow("case counts") << QStringList{u"m1"_s} << u"M1"_s << QVariant() << QVariant()
                                 << u"Undefined Member"_s;
    QTest::newRow("no member at all")
        << QStringList{} << u"M1"_s << QVariant() << QVariant() << u"Undefined Member"_s;
    QTest::newRow("empty ActionID") << QStringList{u"M1"_s} << QString() << QVariant(0) << QVariant(0)
                                    << QString();
    QTest::newRow("DATAW takes the row's own target")
        << QStringList{u"DATAWX"_s} << u"DATAW"_s << QVariant(10) << QVariant(2) << u"Gang"_s;
    QTest::newRow("MISCW takes the row's own target")
        << QStringList{} << u"MISCW"_s << QVariant(10) << QVariant(2) << u"Gang"_s;
}

void TestDataModule::actionTarget()
{
    QFETCH(QStringList, memberIds);
    QFETCH(QString, actionId);
    QFETCH(QVariant, aad);
    QFETCH(QVariant, agr);
    QFETCH(QString, aName);

    Folders f;
    Rows members;
    for (qsizetype i = 0; i < memberIds.size(); ++i)
        members.append(member(memberIds[i], u"Lid "_s + memberIds[i], 2 + int(i), 20 + 10 * int(i)));
    f.write(TableDeclarations::members(), members);
    const QVariantHash action{{u"Button"_s, u"B"_s}, {u"ActionID"_s, actionId},  {u"DataAd"_s, 10},
                              {u"DataGr"_s, 2},      {u"DataName"_s, u"Gang"_s}, {u"MemberID"_s, u"K1"_s},
                              {u"Switch"_s, 1},      {u"Register"_s, 1}};
    QVariantHash navAction = action;
    navAction.remove(u"MemberID"_s);
    navAction.remove(u"Switch"_s);
    QVariantHash clockAction = action;
    clockAction.remove(u"Button"_s);
    f.write(TableDeclarations::mtAct(), {navAction});
    f.write(TableDeclarations::mtSpeedAct(), {navAction});
    f.write(TableDeclarations::mtCommAct(), {navAction});
    f.write(TableDeclarations::rtc(), {clockAction});

    TDataModuleKVX dm(f.program.path());
    dm.setProjDir(f.project.path());
    TOpenDataSets::OpenAllTouchXML(dm);

    for (DataView *table : {&dm.cdsMTAct, &dm.cdsMTSpeedAct, &dm.cdsMTCommAct, &dm.cdsRTC}) {
        table->clearMasterLink();
        table->first();
        QCOMPARE(table->recordCount(), 1);
        QCOMPARE(table->fieldValue(u"Aad"), aad);
        QCOMPARE(table->fieldValue(u"Agr"), agr);
        QCOMPARE(table->fieldInt(u"Aad"), aad.toInt()); // empty reads as 0
        QCOMPARE(table->fieldText(u"AName"), aName);
    }
}

void TestDataModule::functionText_data()
{
    QTest::addColumn<int>("function");
    QTest::addColumn<QByteArray>("functionsIni");
    QTest::addColumn<QString>("clockText");
    QTest::addColumn<QString>("reactionText");

    QTest::newRow("48 is Set") << 48 << QByteArray() << u"Set"_s << u"Set"_s;
    QTest::newRow("0 has no text") << 0 << QByteArray() << QString() << QString();
    QTest::newRow("17 is **** in the clock table only") << 17 << QByteArray() << u"****"_s << u"Reset"_s;
    QTest::newRow("63 still code 3") << 63 << QByteArray() << u"Set"_s << u"Set"_s;
    QTest::newRow("Functions.ini renames code 3")
        << 48 << QByteArray("[FunctionText]\n3=Aan\n") << u"Aan"_s << u"Aan"_s;
    QTest::newRow("256 lies past the list") << 256 << QByteArray() << QString() << QString();
    QTest::newRow("negative value") << -32 << QByteArray() << QString() << QString();
}

void TestDataModule::functionText()
{
    QFETCH(int, function);
    QFETCH(QByteArray, functionsIni);
    QFETCH(QString, clockText);
    QFETCH(QString, reactionText);

    Folders f;
    if (!functionsIni.isEmpty())
        writeFile(QDir(f.program.path()).filePath(u"Functions.ini"_s), functionsIni);
    f.write(TableDeclarations::rtc(), {{{u"MemberID"_s, u"K1"_s}, {u"Function"_s, function}}});
    f.write(TableDeclarations::mtReact(), {{{u"ActionID"_s, u"K1"_s}, {u"Function"_s, function}}});
    TDataModuleKVX dm(f.program.path());
    dm.setProjDir(f.project.path());
    TOpenDataSets::OpenAllTouchXML(dm);

    dm.cdsRTC.clearMasterLink();
    dm.cdsRTC.first();
    QCOMPARE(dm.cdsRTC.fieldText(u"Afct"), clockText);
    QCOMPARE(dm.cdsRTC.fieldText(u"AFct"), clockText);
    dm.cdsMTReact.first();
    QCOMPARE(dm.cdsMTReact.fieldText(u"AFct"), reactionText);
}

void TestDataModule::actionCaption_data()
{
    QTest::addColumn<QString>("actionId");
    QTest::addColumn<QString>("caption");
    QTest::newRow("member's name") << u"M1"_s << u"Hal"_s;
    QTest::newRow("empty ActionID") << QString() << QString();
    QTest::newRow("EmptyButton makes no lookup") << u"EmptyButton"_s << QString();
    QTest::newRow("unknown member gives no caption") << u"X9"_s << QString();
}

void TestDataModule::actionCaption()
{
    QFETCH(QString, actionId);
    QFETCH(QString, caption);

    Folders f;
    f.write(TableDeclarations::members(),
            {member(u"EmptyButton"_s, u"Valstrik"_s, 1, 1), member(u"M1"_s, u"Hal"_s, 3, 12)});
    const Rows buttons{{{u"Name"_s, u"B1"_s}, {u"ActionID"_s, actionId}, {u"ActionCapt"_s, u"stored"_s}}};
    f.write(TableDeclarations::mtBut(), buttons);
    f.write(TableDeclarations::mtSpeedBut(), buttons);
    f.write(TableDeclarations::mtCommBut(), buttons);
    TDataModuleKVX dm(f.program.path());
    dm.setProjDir(f.project.path());
    TOpenDataSets::OpenAllTouchXML(dm);

    // The member the lookup view stands on must not leak into a caption that finds nothing.
    QVERIFY(dm.lookupMember(dm.cdsMTLookup1, u"M1"_s));
    for (DataView *table : {&dm.cdsMTButFont, &dm.cdsMTSpeedBut, &dm.cdsMTCommBut}) {
        table->first();
        QCOMPARE(table->fieldText(u"ActionCapt"), caption);
    }
}

void TestDataModule::masterDetailLinks()
{
    Folders f;
    f.write(TableDeclarations::members(),
            {member(u"K1"_s, u"Klok"_s, 2, 40), member(u"K2"_s, u"Klok 2"_s, 1, 41)});
    f.write(TableDeclarations::rtc(), {{{u"MemberID"_s, u"K2"_s}, {u"Switch"_s, 1}, {u"Register"_s, 2}},
                                       {{u"MemberID"_s, u"K2"_s}, {u"Switch"_s, 1}, {u"Register"_s, 1}},
                                       {{u"MemberID"_s, u"K1"_s}, {u"Switch"_s, 1}, {u"Register"_s, 1}}});
    f.write(TableDeclarations::mtNav(),
            {{{u"Name"_s, u"Tuin"_s}, {u"Screen"_s, u"Tuin"_s}, {u"Indexer"_s, 2}},
             {{u"Name"_s, u"Hal"_s}, {u"Screen"_s, u"Hal"_s}, {u"Indexer"_s, 1}}});
    f.write(TableDeclarations::mtBut(), {{{u"Name"_s, u"T1"_s}, {u"Screen"_s, u"Tuin"_s}, {u"Indexer"_s, 1}},
                                         {{u"Name"_s, u"H2"_s}, {u"Screen"_s, u"Hal"_s}, {u"Indexer"_s, 2}},
                                         {{u"Name"_s, u"H1"_s}, {u"Screen"_s, u"Hal"_s}, {u"Indexer"_s, 1}}});
    f.write(TableDeclarations::mtAct(), {{{u"Button"_s, u"H1"_s}, {u"Register"_s, 2}, {u"Name"_s, u"b"_s}},
                                         {{u"Button"_s, u"H1"_s}, {u"Register"_s, 1}, {u"Name"_s, u"a"_s}},
                                         {{u"Button"_s, u"T1"_s}, {u"Register"_s, 1}, {u"Name"_s, u"c"_s}}});
    TDataModuleKVX dm(f.program.path());
    dm.setProjDir(f.project.path());
    TOpenDataSets::OpenAllTouchXML(dm);

    // Details start out on the first row of their master (masters load first).
    QCOMPARE(dm.cdsMTNav.fieldText(u"Name"), u"Hal"_s);
    QCOMPARE(dm.cdsMTBut.recordCount(), 2);
    QCOMPARE(dm.cdsMTBut.fieldText(u"Name"), u"H1"_s);
    QCOMPARE(dm.cdsMTAct.recordCount(), 2);
    QCOMPARE(dm.cdsMTAct.fieldText(u"Name"), u"a"_s);
    dm.cdsMTNav.next();
    QCOMPARE(dm.cdsMTBut.fieldText(u"Name"), u"T1"_s);
    QCOMPARE(dm.cdsMTAct.fieldText(u"Name"), u"c"_s);

    // Members ordered by Group, Address: K2 (group 1) comes first.
    QCOMPARE(dm.cdsMembers.fieldText(u"MemberID"), u"K2"_s);
    QCOMPARE(dm.cdsRTC.recordCount(), 2);
    QCOMPARE(dm.cdsRTC.fieldInt(u"Register"), 1);
    QVERIFY(dm.cdsMembers.locate(u"MemberID"_s, u"K1"_s));
    QCOMPARE(dm.cdsRTC.recordCount(), 1);
}

void TestDataModule::stateViewsSeeEveryScreenAndSave()
{
    Folders f;
    f.write(TableDeclarations::mtNav(),
            {{{u"Name"_s, u"Hal"_s}, {u"Screen"_s, u"Hal"_s}, {u"Indexer"_s, 1}},
             {{u"Name"_s, u"Tuin"_s}, {u"Screen"_s, u"Tuin"_s}, {u"Indexer"_s, 2}}});
    auto button = [](const QString &name, const QString &screen, int group, int address) {
        return QVariantHash{{u"Name"_s, name},       {u"Screen"_s, screen}, {u"Group"_s, group},
                            {u"Address"_s, address}, {u"Active"_s, false},  {u"Indexer"_s, 1}};
    };
    f.write(TableDeclarations::mtBut(), {button(u"H1"_s, u"Hal"_s, 3, 12), button(u"T1"_s, u"Tuin"_s, 3, 12),
                                         button(u"T2"_s, u"Tuin"_s, 4, 12)});
    f.write(TableDeclarations::mtSpeedBut(),
            {button(u"S1"_s, QString(), 3, 12), button(u"S2"_s, QString(), 3, 13)});
    f.write(TableDeclarations::mtCommBut(), {button(u"C1"_s, QString(), 3, 12)});
    TDataModuleKVX dm(f.program.path());
    dm.setProjDir(f.project.path());
    TOpenDataSets::OpenAllTouchXML(dm);
    QCOMPARE(dm.cdsMTBut.recordCount(), 1); // the Hal screen only

    // What an incoming Set for address 12, group 3 does.
    int changed = 0;
    for (DataView *view : {&dm.cdsMTButFont, &dm.cdsMTSpeedButFont, &dm.cdsMTCommButFont}) {
        view->clearFilter();
        view->setFilter(u"Address=12 and Group=3"_s);
        for (view->first(); !view->eof(); view->next()) {
            view->edit();
            view->setFieldValue(u"Active", true);
            view->post();
            ++changed;
        }
    }
    QCOMPARE(changed, 4);
    TOpenDataSets::SaveAllXML(dm, false);

    const DataPacket buttons = DataPacket::readFile(f.projectFile(u"MTBut.xml"_s));
    const int active = 5; // column of Active
    QCOMPARE(buttons.columns[active].name, u"Active"_s);
    QCOMPARE(buttons.rows[0][active], QVariant(true));
    QCOMPARE(buttons.rows[1][active], QVariant(true));
    QCOMPARE(buttons.rows[2][active], QVariant(false));
    const DataPacket speed = DataPacket::readFile(f.projectFile(u"MTSpeedBut.xml"_s));
    QCOMPARE(speed.rows[0][active], QVariant(true));
    QCOMPARE(speed.rows[1][active], QVariant(false));
    QCOMPARE(DataPacket::readFile(f.projectFile(u"MTCommBut.xml"_s)).rows[0][active], QVariant(true));

    // The indexed update reaches the same rows, and the state views see it.
    QCOMPARE(dm.SetButtonStates(12, 3, false), 4);
    QCOMPARE(dm.SetButtonStates(99, 3, true), 0);
    dm.cdsMTButFont.clearFilter();
    for (dm.cdsMTButFont.first(); !dm.cdsMTButFont.eof(); dm.cdsMTButFont.next())
        QCOMPARE(dm.cdsMTButFont.fieldBool(u"Active"), false);
    dm.cdsMTSpeedButFont.setFilter(u"Active = True"_s);
    QCOMPARE(dm.cdsMTSpeedButFont.recordCount(), 0);
}

void TestDataModule::foreignColumnsSurviveLoadAndSave()
{
    // Another tool's MTBut.xml: its own column order, a column the panel does not know, a null and
    // an empty text. Loading and saving the project writes it back byte for byte.
    Folders f;
    const QByteArray file =
        "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>  <DATAPACKET "
        "Version=\"2.0\"><METADATA>"
        "<FIELDS><FIELD attrname=\"Screen\" fieldtype=\"string\" WIDTH=\"20\"/><FIELD attrname=\"Name\" "
        "fieldtype=\"string\" WIDTH=\"20\"/><FIELD attrname=\"Kleur\" fieldtype=\"r8\"/><FIELD "
        "attrname=\"Active\" "
        "fieldtype=\"boolean\"/><FIELD attrname=\"Indexer\" fieldtype=\"i4\"/><FIELD attrname=\"ButCap\" "
        "fieldtype=\"string\" WIDTH=\"50\"/></FIELDS><PARAMS DEFAULT_ORDER=\"1\" LCID=\"2067\"/></METADATA>"
        "<ROWDATA><ROW Screen=\"Hal\" Name=\"B1\" Kleur=\"33292.9375\" Active=\"TRUE\" Indexer=\"1\" "
        "ButCap=\"\"/>"
        "<ROW Screen=\"Hal\" Name=\"B2\" Active=\"FALSE\"/></ROWDATA></DATAPACKET>";
    writeFile(f.projectFile(u"MTBut.xml"_s), file);
    TDataModuleKVX dm(f.program.path());
    dm.setProjDir(f.project.path());
    TOpenDataSets::OpenAllTouchXML(dm);
    QVERIFY(dm.cdsMTBut.isActive());
    QCOMPARE(dm.cdsMTButFont.recordCount(), 2);
    TOpenDataSets::SaveAllXML(dm, true);
    QCOMPARE(readFile(f.projectFile(u"MTBut.xml"_s)), file);
}

void TestDataModule::saveAllWithCloseDeletesReadOut_data()
{
    QTest::addColumn<bool>("readOut");
    QTest::newRow("read-out in this run: file deleted") << true;
    QTest::newRow("no read-out: program folder untouched") << false;
}

void TestDataModule::saveAllWithCloseDeletesReadOut()
{
    QFETCH(bool, readOut);
    Folders f;
    const QString readOutFile = QDir(f.program.path()).filePath(u"ReadOut.xml"_s);
    TDataModuleKVX dm(f.program.path());
    dm.setProjDir(f.project.path());
    TOpenDataSets::OpenAllTouchXML(dm);
    if (readOut) {
        TOpenDataSets::ReadOutOpen(dm);
        QVERIFY(QFile::exists(readOutFile));
        QVERIFY(dm.cdsReadOut.isActive());
        QCOMPARE(dm.cdsReadOut.recordCount(), 0);
        dm.cdsReadOut.append();
        dm.cdsReadOut.setFieldValue(u"LSB", 7);
        dm.cdsReadOut.post();
    }
    const QStringList programBefore = QDir(f.program.path()).entryList(QDir::Files);

    TOpenDataSets::SaveAllXML(dm, false);
    QCOMPARE(QFile::exists(readOutFile), readOut); // saving alone keeps it
    TOpenDataSets::SaveAllXML(dm, true);
    QVERIFY(!QFile::exists(readOutFile));
    QVERIFY(!dm.cdsReadOut.isActive());
    for (const TDataModuleKVX::ProjectTable &t : dm.projectTables())
        QVERIFY(!t.dataSet->isActive());
    if (!readOut)
        QCOMPARE(QDir(f.program.path()).entryList(QDir::Files), programBefore);
}

QTEST_GUILESS_MAIN(TestDataModule)
#include "tst_datamodule.moc"
