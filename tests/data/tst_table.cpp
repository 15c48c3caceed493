#include "data/dataerror.h"
#include "data/datatable.h"
#include "data/dataview.h"

#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

std::shared_ptr<DataTable> membersTable(const QStringList &ids)
{
    auto table = std::make_shared<DataTable>(u"cdsMembers"_s);
    table->createEmpty({DataColumn::declared(u"MemberID"_s, ColumnType::String, 20),
                        DataColumn::declared(u"Name"_s, ColumnType::String, 100),
                        DataColumn::declared(u"Group"_s, ColumnType::I4),
                        DataColumn::declared(u"Address"_s, ColumnType::I4)});
    int n = 0;
    for (const QString &id : ids) {
        const int row = table->appendRow();
        table->setValue(row, 0, id);
        table->setValue(row, 1, u"Name of "_s + id);
        table->setValue(row, 2, n % 3);
        table->setValue(row, 3, 10 - n);
        ++n;
    }
    return table;
}

QStringList walk(DataView &view, const QString &column = u"MemberID"_s)
{
    QStringList values;
    for (view.first(); !view.eof(); view.next())
        values.append(view.fieldText(column));
    return values;
}

} // namespace

class TestTable : public QObject
{
    Q_OBJECT

private slots:
    void partialKeyLocate_data();
    void partialKeyLocate();
    void locateInOneViewNeverMovesAnother();
    void orderKeepsStoredOrderOnTies();
    void recordNumbersAndEndOfTable();
    void masterDetail();
    void editThroughOneViewSeenByAll();
    void derivedColumns();
    void storeHook();
    void appendAndDelete();
    void reloadKeepsViewsUsable();
    void closedTable();
};

void TestTable::partialKeyLocate_data()
{
    QTest::addColumn<QStringList>("members");
    QTest::addColumn<QString>("searched");
    QTest::addColumn<QString>("found"); // empty: not found

    QTest::newRow("exact wins over longer key")
        << QStringList{u"M10"_s, u"M1"_s, u"M2"_s} << u"M1"_s << u"M1"_s;
    QTest::newRow("smallest longer key") << QStringList{u"M11"_s, u"M10"_s} << u"M1"_s << u"M10"_s;
    QTest::newRow("case counts") << QStringList{u"m1"_s} << u"M1"_s << QString();
    QTest::newRow("nothing begins with it") << QStringList{u"A1"_s, u"B2"_s} << u"C"_s << QString();
    QTest::newRow("beyond the last key") << QStringList{u"A1"_s} << u"Z"_s << QString();
    QTest::newRow("empty text finds the first") << QStringList{u"B"_s, u"A"_s} << QString() << u"A"_s;
}

void TestTable::partialKeyLocate()
{
    QFETCH(QStringList, members);
    QFETCH(QString, searched);
    QFETCH(QString, found);
    auto table = membersTable(members);
    DataView lookup(u"cdsLookup1"_s);
    lookup.attach(table);
    lookup.setIndexFieldNames(u"MemberID"_s);
    lookup.last();
    const QString before = lookup.fieldText(u"MemberID");
    const bool ok = lookup.locate(u"MemberID"_s, searched, {.partialKey = true, .caseInsensitive = false});
    QCOMPARE(ok, !found.isEmpty());
    QCOMPARE(lookup.fieldText(u"MemberID"), ok ? found : before);

    // The same answer without the order's shortcut (stored order, row by row).
    DataView plain(u"plain"_s);
    plain.attach(table);
    plain.setIndexFieldNames(u"MemberID;Name"_s);
    QCOMPARE(plain.locate(u"MemberID"_s, searched, {.partialKey = true, .caseInsensitive = false}), ok);
    if (ok)
        QCOMPARE(plain.fieldText(u"MemberID"), found);
}

void TestTable::locateInOneViewNeverMovesAnother()
{
    auto table = membersTable({u"A"_s, u"B"_s, u"C"_s, u"D"_s});
    DataView members(u"cdsMembers"_s), lookup(u"cdsLookup1"_s), incoming(u"cdsIncoming"_s);
    members.bind(table);
    lookup.attach(table);
    incoming.attach(table);
    members.setRecNo(2);
    QVERIFY(lookup.locate(u"MemberID"_s, u"D"_s));
    incoming.setFilter(u"Address=10 and Group=0"_s);
    QCOMPARE(members.fieldText(u"MemberID"), u"B"_s);
    QCOMPARE(lookup.fieldText(u"MemberID"), u"D"_s);
    QCOMPARE(incoming.fieldText(u"MemberID"), u"A"_s);
    // A failed search stays where it was.
    QVERIFY(!lookup.locate(u"MemberID"_s, u"X"_s));
    QCOMPARE(lookup.fieldText(u"MemberID"), u"D"_s);
    QCOMPARE(lookup.recNo(), 4);
}

void TestTable::orderKeepsStoredOrderOnTies()
{
    auto table = membersTable({u"b"_s, u"A"_s, u"c"_s, u"B"_s, u"a"_s});
    DataView view(u"view"_s);
    view.attach(table);
    // Groups 0,1,2,0,1: ties in stored order.
    view.setIndexFieldNames(u"Group"_s);
    QCOMPARE(walk(view), (QStringList{u"b"_s, u"B"_s, u"A"_s, u"a"_s, u"c"_s}));
    view.setIndexFieldNames(u"MemberID"_s);
    QCOMPARE(walk(view), (QStringList{u"A"_s, u"B"_s, u"a"_s, u"b"_s, u"c"_s}));
    view.setIndexCaseInsensitive(true);
    QCOMPARE(walk(view), (QStringList{u"A"_s, u"a"_s, u"b"_s, u"B"_s, u"c"_s}));
    QVERIFY(view.locate(u"MemberID"_s, u"B"_s, {.partialKey = true, .caseInsensitive = true}));
    QCOMPARE(view.fieldText(u"MemberID"), u"b"_s);
    QVERIFY_THROWS_EXCEPTION(DatasetError, view.setIndexFieldNames(u"Nope"_s));
    QCOMPARE(view.indexFieldNames(), u"MemberID"_s);
}

void TestTable::recordNumbersAndEndOfTable()
{
    auto table = membersTable({u"A"_s, u"B"_s, u"C"_s, u"D"_s, u"E"_s, u"F"_s});
    DataView view(u"view"_s);
    view.attach(table);
    view.setFilter(u"Group = 1"_s); // B and E
    QCOMPARE(view.recordCount(), 2);
    QCOMPARE(view.recNo(), 1);
    QVERIFY(view.bof());
    QVERIFY(!view.eof());
    view.next();
    QCOMPARE(view.fieldText(u"MemberID"), u"E"_s);
    QCOMPARE(view.recNo(), 2);
    QVERIFY(!view.eof());
    view.next(); // past the last visible row
    QVERIFY(view.eof());
    QCOMPARE(view.fieldText(u"MemberID"), u"E"_s);
    view.setRecNo(1);
    QCOMPARE(view.fieldText(u"MemberID"), u"B"_s);
    QVERIFY(!view.eof());
    view.setRecNo(99);
    QCOMPARE(view.recNo(), 2);
    view.prior();
    view.prior();
    QVERIFY(view.bof());
    QCOMPARE(view.recNo(), 1);

    view.setFilter(u"Group = 7"_s); // nothing visible
    QCOMPARE(view.recordCount(), 0);
    QVERIFY(view.eof());
    QVERIFY(view.bof());
    QCOMPARE(view.recNo(), 0);
    QVERIFY(!view.fieldValue(u"MemberID").isValid());
    QVERIFY_THROWS_EXCEPTION(DatasetError, view.setFieldValue(u"Name", u"x"_s));

    view.clearFilter();
    QCOMPARE(view.recordCount(), 6);
}

void TestTable::masterDetail()
{
    auto nav = std::make_shared<DataTable>(u"cdsMTNav"_s);
    nav->createEmpty({DataColumn::declared(u"Screen"_s, ColumnType::String, 20)});
    for (const QString &s : {u"Living"_s, u"Keuken"_s, u"Leeg"_s}) {
        const int row = nav->appendRow();
        nav->setValue(row, 0, s);
    }
    auto but = std::make_shared<DataTable>(u"cdsMTBut"_s);
    but->createEmpty({DataColumn::declared(u"Name"_s, ColumnType::String, 20),
                      DataColumn::declared(u"Screen"_s, ColumnType::String, 20),
                      DataColumn::declared(u"Indexer"_s, ColumnType::I4)});
    const struct
    {
        const char16_t *name, *screen;
        int indexer;
    } buttons[] = {
        {u"L2", u"Living", 2}, {u"K1", u"Keuken", 1}, {u"L1", u"Living", 1}, {u"k9", u"keuken", 1}};
    for (const auto &b : buttons) {
        const int row = but->appendRow();
        but->setValue(row, 0, QString::fromUtf16(b.name));
        but->setValue(row, 1, QString::fromUtf16(b.screen));
        but->setValue(row, 2, b.indexer);
    }
    DataView cdsMTNav(u"cdsMTNav"_s), cdsMTBut(u"cdsMTBut"_s), cdsMTButFont(u"cdsMTButFont"_s);
    cdsMTNav.bind(nav);
    cdsMTBut.bind(but);
    cdsMTBut.setIndexFieldNames(u"Screen;Indexer"_s);
    cdsMTBut.setMasterLink(&cdsMTNav, u"Screen"_s, u"Screen"_s);
    cdsMTButFont.attach(but); // the state view: no master link

    QCOMPARE(walk(cdsMTBut, u"Name"_s), (QStringList{u"L1"_s, u"L2"_s}));
    cdsMTBut.next();
    cdsMTNav.next(); // moving the master moves the detail to its first row
    QCOMPARE(cdsMTBut.fieldText(u"Name"), u"K1"_s);
    QCOMPARE(cdsMTBut.recordCount(), 1); // the link compares with case
    cdsMTNav.next();
    QCOMPARE(cdsMTBut.recordCount(), 0); // a screen without buttons
    QVERIFY(cdsMTBut.eof());
    QCOMPARE(cdsMTButFont.recordCount(), 4);

    // Appending to the detail fills the link column from the master.
    cdsMTBut.append();
    cdsMTBut.setFieldValue(u"Name", u"E1"_s);
    cdsMTBut.post();
    QCOMPARE(cdsMTBut.recordCount(), 1);
    QCOMPARE(cdsMTBut.fieldText(u"Screen"), u"Leeg"_s);

    // Changing the master's link value re-syncs the detail.
    cdsMTNav.first();
    cdsMTNav.setFieldValue(u"Screen", u"Keuken"_s);
    cdsMTNav.post();
    QCOMPARE(walk(cdsMTBut, u"Name"_s), (QStringList{u"K1"_s}));

    // An empty master gives an empty detail.
    cdsMTNav.emptyTable();
    QCOMPARE(cdsMTBut.recordCount(), 0);
    QCOMPARE(cdsMTButFont.recordCount(), 5);
}

void TestTable::editThroughOneViewSeenByAll()
{
    auto table = membersTable({u"A"_s, u"B"_s, u"C"_s, u"D"_s});
    DataView main(u"main"_s), state(u"state"_s), byName(u"byName"_s);
    main.bind(table);
    state.attach(table);
    byName.attach(table);
    byName.setIndexFieldNames(u"Name"_s);
    byName.setFilter(u"Group = 1"_s);
    QCOMPARE(byName.fieldText(u"MemberID"), u"B"_s);
    main.setRecNo(3);                            // C
    state.setFilter(u"Address=8 and Group=2"_s); // C
    for (state.first(); !state.eof(); state.next()) {
        state.edit();
        state.setFieldValue(u"Name", u"Zolder"_s);
        state.setFieldValue(u"group", 1); // names without regard to case
        state.post();
    }
    QCOMPARE(main.fieldText(u"Name"), u"Zolder"_s);
    QCOMPARE(main.fieldText(u"MemberID"), u"C"_s); // did not move
    // The filtered, ordered view re-evaluates the changed row and keeps its current row.
    QCOMPARE(walk(byName), (QStringList{u"B"_s, u"C"_s}));
    // Cancel leaves the row as it was.
    main.edit();
    main.setFieldValue(u"Name", u"Weg"_s);
    QCOMPARE(main.fieldText(u"Name"), u"Weg"_s);
    main.cancel();
    QCOMPARE(main.fieldText(u"Name"), u"Zolder"_s);
    // Values that do not fit are refused.
    QVERIFY_THROWS_EXCEPTION(DatasetError, main.setFieldValue(u"Address", u"twaalf"_s));
    QVERIFY_THROWS_EXCEPTION(DatasetError, main.setFieldValue(u"Nope", 1));
    main.cancel();
}

void TestTable::derivedColumns()
{
    auto table = membersTable({u"A"_s, u"B"_s});
    int calls = 0;
    table->addDerivedColumn(u"Name"_s, [&calls](const DataTable &t, int row) {
        ++calls;
        return QVariant(u"derived "_s + t.value(row, t.columnIndex(u"MemberID")).toString());
    });
    table->addDerivedColumn(u"Aad"_s, [](const DataTable &t, int row) { return t.value(row, u"Address"); });
    DataView view(u"view"_s);
    view.attach(table);
    QCOMPARE(view.fieldText(u"name"), u"derived A"_s); // the derived column wins
    QCOMPARE(view.fieldInt(u"AAD"), 10);
    QVERIFY(calls > 0);
    QVERIFY_THROWS_EXCEPTION(DatasetError, view.setFieldValue(u"Aad", 3));
    view.setFilter(u"Name = 'derived B'"_s); // filters may read derived columns
    QCOMPARE(view.fieldText(u"MemberID"), u"B"_s);
    // Never written: the stored column keeps its value.
    QVERIFY(table->toXml().contains("Name=\"Name of A\""));
    QVERIFY(!table->toXml().contains("derived"));
}

void TestTable::storeHook()
{
    // The clock table's identifier, computed when a row is stored:
    // Switch * 5 + Register + Group * 100 + Address - 4.
    auto rtc = std::make_shared<DataTable>(u"cdsRTC"_s);
    rtc->createEmpty({DataColumn::declared(u"RTCModuleID"_s, ColumnType::I4),
                      DataColumn::declared(u"Switch"_s, ColumnType::I4),
                      DataColumn::declared(u"Register"_s, ColumnType::I4)});
    const int group = 2, address = 40;
    int hookCalls = 0;
    rtc->setStoreHook([&](DataTable &t, int row) {
        ++hookCalls;
        const int id = t.value(row, u"Switch").toInt() * 5 + t.value(row, u"Register").toInt() + group * 100 +
                       address - 4;
        t.setValue(row, t.columnIndex(u"RTCModuleID"), id);
    });
    DataView view(u"cdsRTC"_s);
    view.attach(rtc);
    view.append();
    view.setFieldValue(u"Switch", 3);
    view.setFieldValue(u"Register", 2);
    view.post();
    QCOMPARE(view.fieldInt(u"RTCModuleID"), 253);
    view.setFieldValue(u"RTCModuleID", 1);
    view.post();
    QCOMPARE(view.fieldInt(u"RTCModuleID"), 253);
    QCOMPARE(hookCalls, 2);
}

void TestTable::appendAndDelete()
{
    auto table = membersTable({u"A"_s, u"B"_s, u"C"_s});
    DataView view(u"view"_s), other(u"other"_s);
    view.attach(table);
    other.attach(table);
    other.setRecNo(3); // C
    view.setRecNo(2);  // B
    view.deleteRow();
    QCOMPARE(view.fieldText(u"MemberID"), u"C"_s);  // the next row becomes current
    QCOMPARE(other.fieldText(u"MemberID"), u"C"_s); // the other view stays on its row
    view.append();
    view.setFieldValue(u"MemberID", u"N"_s);
    view.post();
    QCOMPARE(view.fieldText(u"MemberID"), u"N"_s);
    QCOMPARE(view.recNo(), 3);
    QCOMPARE(other.recordCount(), 3);
    view.emptyTable();
    QCOMPARE(other.recordCount(), 0);
    QVERIFY(other.eof());
}

void TestTable::reloadKeepsViewsUsable()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(u"Members.xml"_s);
    auto table = membersTable({u"A"_s, u"B"_s});
    table->saveAs(path);
    DataView view(u"view"_s);
    view.attach(table);
    view.setIndexFieldNames(u"Address"_s);
    view.setFilter(u"Group = 1"_s);
    QCOMPARE(view.fieldText(u"MemberID"), u"B"_s);
    // Another file with the columns in another order.
    auto other = std::make_shared<DataTable>();
    other->createEmpty({DataColumn::declared(u"Address"_s, ColumnType::I4),
                        DataColumn::declared(u"Group"_s, ColumnType::I4),
                        DataColumn::declared(u"MemberID"_s, ColumnType::String, 20)});
    for (int i = 0; i < 3; ++i) {
        const int row = other->appendRow();
        other->setValue(row, 0, 5 - i);
        other->setValue(row, 1, 1);
        other->setValue(row, 2, u"X%1"_s.arg(i));
    }
    other->saveAs(path);
    table->open(path);
    QCOMPARE(walk(view), (QStringList{u"X2"_s, u"X1"_s, u"X0"_s}));
}

void TestTable::closedTable()
{
    auto table = std::make_shared<DataTable>(u"cdsRTC"_s);
    DataView view(u"view"_s);
    QVERIFY_THROWS_EXCEPTION(DatasetError, view.attach(table));
    view.bind(table); // a table's own cursor, before it opens
    QVERIFY(!view.isActive());
    QCOMPARE(view.recordCount(), 0);
    QVERIFY(view.eof());
    QVERIFY(!view.locate(u"A"_s, 1));
    QVERIFY_THROWS_EXCEPTION(DatasetError, view.setFilter(u"A = 1"_s));
    table->createEmpty({DataColumn::declared(u"A"_s, ColumnType::I4)});
    QVERIFY(view.isActive());
    view.append();
    view.setFieldValue(u"A", 1);
    view.post();
    QCOMPARE(view.recordCount(), 1);
    table->close();
    QCOMPARE(view.recordCount(), 0);
}

QTEST_GUILESS_MAIN(TestTable)
#include "tst_table.moc"
