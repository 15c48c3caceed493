#include "data/dataerror.h"
#include "data/datatable.h"
#include "data/dataview.h"
#include "data/filterexpression.h"

#include <QTest>

using namespace Qt::StringLiterals;

// One table with the columns the panel's filters name; every row has a distinct Name so a result
// reads as the list of names the filter lets through.
class TestFilter : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void filterTexts_data();
    void filterTexts();
    void errors_data();
    void errors();
    void parseIsCached();
    void quotedTextMatchesIntegerColumn();

private:
    std::shared_ptr<DataTable> m_table;
};

void TestFilter::init()
{
    m_table = std::make_shared<DataTable>(u"cdsTest"_s);
    m_table->createEmpty({
        DataColumn::declared(u"Name"_s, ColumnType::String, 20),
        DataColumn::declared(u"Button"_s, ColumnType::String, 20),
        DataColumn::declared(u"Address"_s, ColumnType::I4),
        DataColumn::declared(u"Group"_s, ColumnType::I4),
        DataColumn::declared(u"Flank"_s, ColumnType::I4),
        DataColumn::declared(u"On_Off"_s, ColumnType::Boolean),
        DataColumn::declared(u"Switch"_s, ColumnType::I4),
        DataColumn::declared(u"Version"_s, ColumnType::String, 20),
        DataColumn::declared(u"Title"_s, ColumnType::String, 100),
        DataColumn::declared(u"ActionID"_s, ColumnType::String, 20),
    });
    struct R
    {
        const char16_t *name, *button;
        int address, group, flank;
        bool on;
        int sw;
        const char16_t *version, *title, *actionId;
    };
    const R rows[] = {
        {u"B1", u"Licht", 12, 3, 1, true, 3, u"TSM_1", u"Library", u"M1"},
        {u"B2", u"Licht", 12, 3, 0, true, 1, u"tsm_2", u"My Library Music", u"m1"},
        {u"B3", u"Licht", 12, 4, 2, true, 2, u"RTC_82", u"TuneIn", u"M10"},
        {u"B4", u"Licht", 13, 3, 2, false, 3, u"DMX_1", u"Line In", u"DATAW"},
        {u"B5", u"It's", 0, 0, 3, true, 4, u"XTSM_1", u"Bluetooth", u""},
        {u"b1", u"licht", 12, 3, 1, true, 5, u"RTC_1", u"LINE 2 IN", u"M1"},
    };
    for (const R &r : rows) {
        const int row = m_table->appendRow();
        m_table->setValue(row, 0, QString::fromUtf16(r.name));
        m_table->setValue(row, 1, QString::fromUtf16(r.button));
        m_table->setValue(row, 2, r.address);
        m_table->setValue(row, 3, r.group);
        m_table->setValue(row, 4, r.flank);
        m_table->setValue(row, 5, r.on);
        m_table->setValue(row, 6, r.sw);
        m_table->setValue(row, 7, QString::fromUtf16(r.version));
        m_table->setValue(row, 8, QString::fromUtf16(r.title));
        m_table->setValue(row, 9, QString::fromUtf16(r.actionId));
    }
    // A null Button and Address: equal to nothing.
    const int row = m_table->appendRow();
    m_table->setValue(row, 0, u"Null"_s);
}

void TestFilter::filterTexts_data()
{
    QTest::addColumn<QString>("filter");
    QTest::addColumn<bool>("caseInsensitive");
    QTest::addColumn<QString>("expected");

    QTest::newRow("pressed button by name") << u"Name = 'B1'"_s << false << u"B1"_s;
    QTest::newRow("button name case-sensitive") << u"Name = 'b1'"_s << false << u"b1"_s;
    QTest::newRow("inner quote doubled") << u"Button = 'It''s'"_s << false << u"B5"_s;
    QTest::newRow("press actions") << u"Button = 'Licht' and On_Off = True and ((Flank = 1)or(Flank = 2))"_s
                                   << false << u"B1,B3"_s;
    QTest::newRow("release actions") << u"Button = 'Licht' and On_Off = True and ((Flank = 0)or(Flank = 2))"_s
                                     << false << u"B2,B3"_s;
    QTest::newRow("state update") << u"Address=12 and Group=3"_s << false << u"B1,B2,b1"_s;
    QTest::newRow("state update with blanks") << u"Address = 12 AND Group = 3"_s << false << u"B1,B2,b1"_s;
    QTest::newRow("reactions of a member") << u"ActionId = 'M1'"_s << false << u"B1,b1"_s;
    QTest::newRow("reactions of no member") << u"ActionId = ''"_s << false << u"B5"_s;
    QTest::newRow("thermostats, case ignored") << u"version = 'TSM*'"_s << true << u"B1,B2"_s;
    QTest::newRow("prefix is a prefix") << u"version = 'RTC*'"_s << true << u"B3,b1"_s;
    QTest::newRow("prefix with case") << u"version = 'TSM*'"_s << false << u"B1"_s;
    QTest::newRow("clock switch as quoted number") << u"Switch = '3'"_s << false << u"B1,B4"_s;
    QTest::newRow("Like anywhere") << u"Title Like '%Library%'"_s << true << u"B1,B2"_s;
    QTest::newRow("Like two wildcards") << u"Title Like '%Line%In%'"_s << true << u"B4,b1"_s;
    QTest::newRow("Like with case") << u"Title Like '%Line%In%'"_s << false << u"B4"_s;
    QTest::newRow("source by title") << u"Title = 'Line In'"_s << true << u"B4"_s;
    QTest::newRow("not equal skips null") << u"Address <> 12"_s << false << u"B4,B5"_s;
    QTest::newRow("or and precedence") << u"Flank = 3 or Flank = 0 and Group = 4"_s << false << u"B5"_s;
    QTest::newRow("not") << u"not (On_Off = True)"_s << false << u"B4"_s;
    QTest::newRow("keywords in any case") << u"On_Off = false OR Name = 'B5'"_s << false << u"B4,B5"_s;
    QTest::newRow("bracketed name") << u"[Group] = 4"_s << false << u"B3"_s;
    QTest::newRow("value first") << u"3 = Flank"_s << false << u"B5"_s;
    QTest::newRow("column names ignore case") << u"ADDRESS=13 and group=3"_s << false << u"B4"_s;
}

void TestFilter::filterTexts()
{
    QFETCH(QString, filter);
    QFETCH(bool, caseInsensitive);
    QFETCH(QString, expected);
    DataView view(u"view"_s);
    view.attach(m_table);
    view.setFilterCaseInsensitive(caseInsensitive);
    view.setFilter(filter);
    QStringList names;
    for (view.first(); !view.eof(); view.next())
        names.append(view.fieldText(u"Name"));
    QCOMPARE(names.join(u','), expected);
    QCOMPARE(view.recordCount(), int(names.size()));
}

void TestFilter::errors_data()
{
    QTest::addColumn<QString>("filter");
    QTest::newRow("missing value") << u"Name = "_s;
    QTest::newRow("unterminated text") << u"Name = 'B1"_s;
    QTest::newRow("missing close paren") << u"(Name = 'B1'"_s;
    QTest::newRow("extra close paren") << u"Name = 'B1')"_s;
    QTest::newRow("unknown column") << u"Colour = 'red'"_s;
    QTest::newRow("text for an integer column") << u"Address = 'abc'"_s;
    QTest::newRow("missing operator") << u"Name 'B1'"_s;
    QTest::newRow("dangling and") << u"Address = 1 and"_s;
    QTest::newRow("only a keyword") << u"and"_s;
    QTest::newRow("stray character") << u"Name = #"_s;
    QTest::newRow("Like without pattern") << u"Title Like Name"_s;
    QTest::newRow("deep nesting") << QString(5000, u'(');
}

void TestFilter::errors()
{
    QFETCH(QString, filter);
    DataView view(u"view"_s);
    view.attach(m_table);
    view.setFilter(u"Group = 4"_s);
    try {
        view.setFilter(filter);
        QFAIL("no error");
    } catch (const FilterError &e) {
        QVERIFY(!e.message().isEmpty());
    }
    // The view keeps the filter it had.
    QCOMPARE(view.filter(), u"Group = 4"_s);
    QCOMPARE(view.recordCount(), 1);
    QCOMPARE(view.fieldText(u"Name"), u"B3"_s);
}

void TestFilter::parseIsCached()
{
    const QString text = u"Address=99 and Group=15"_s;
    const auto first = FilterExpression::parse(text);
    const auto second = FilterExpression::parse(QString(text)); // an equal text, another string
    QCOMPARE(first.get(), second.get());
    QCOMPARE(first->fieldNames(), (QStringList{u"Address"_s, u"Group"_s}));
}

void TestFilter::quotedTextMatchesIntegerColumn()
{
    // The equality-index path and the row-by-row path agree, also after values change.
    DataView fast(u"fast"_s);
    DataView slow(u"slow"_s);
    fast.attach(m_table);
    slow.attach(m_table);
    fast.setFilter(u"Address=12 and Group=3"_s);
    slow.setFilter(u"Address=12 and Group=3 and True"_s);
    QCOMPARE(fast.visibleRows(), slow.visibleRows());
    m_table->setValue(3, m_table->columnIndex(u"Address"), 12); // B4 moves to 12/3
    m_table->setValue(0, m_table->columnIndex(u"Group"), 5);    // B1 leaves
    QCOMPARE(fast.visibleRows(), slow.visibleRows());
    QCOMPARE(fast.recordCount(), 3);
}

QTEST_GUILESS_MAIN(TestFilter)
#include "tst_filter.moc"
