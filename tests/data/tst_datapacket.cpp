#include "data/dataerror.h"
#include "data/datapacket.h"
#include "data/datatable.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

QByteArray readFixture(const QString &name)
{
    QFile file(QStringLiteral(HALVANE_TEST_DATA "/packets/") + name);
    if (!file.open(QIODevice::ReadOnly))
        qFatal("missing fixture %s", qPrintable(name));
    return file.readAll();
}

const QByteArray kDecl = "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>  ";

} // namespace

class TestDataPacket : public QObject
{
    Q_OBJECT

private slots:
    void goldenRoundTrip_data();
    void goldenRoundTrip();
    void valuesAndNulls();
    void malformed_data();
    void malformed();
    void fileErrors();
    void createEmptyTable();
    void escapesAndControlCharacters();
    void valueConversion_data();
    void valueConversion();
};

void TestDataPacket::goldenRoundTrip_data()
{
    QTest::addColumn<QString>("input");
    QTest::addColumn<QString>("expected");
    QTest::newRow("change log folded into the rows the writer saw")
        << u"changelog.xml"_s << u"changelog.expected.xml"_s;
    QTest::newRow("windows-1252 without encoding attribute")
        << u"ansi-no-encoding.xml"_s << u"ansi.expected.xml"_s;
    QTest::newRow("windows-1252 without declaration")
        << u"ansi-no-declaration.xml"_s << u"ansi.expected.xml"_s;
    QTest::newRow("unknown columns, types, params and escapes kept")
        << u"keep-everything.xml"_s << u"keep-everything.xml"_s;
    QTest::newRow("line breaks, start/end tags, true/false")
        << u"variant-linebreaks.xml"_s << u"variants.expected.xml"_s;
    QTest::newRow("ROWDATA/ without declaration, trailing newline")
        << u"variant-rowdata-selfclosed.xml"_s << u"empty.expected.xml"_s;
    QTest::newRow("windows-1252 declared") << u"ansi-declared.xml"_s << u"ansi.expected.xml"_s;
    QTest::newRow("UTF-16 with byte-order mark") << u"variant-utf16.xml"_s << u"variants.expected.xml"_s;
    QTest::newRow("written form loads back identically")
        << u"changelog.expected.xml"_s << u"changelog.expected.xml"_s;
}

void TestDataPacket::goldenRoundTrip()
{
    QFETCH(QString, input);
    QFETCH(QString, expected);
    const DataPacket packet = DataPacket::parse(readFixture(input));
    const QByteArray written = packet.toXml();
    QCOMPARE(written, readFixture(expected));
    // What the panel writes loads to the same content.
    const DataPacket again = DataPacket::parse(written);
    QCOMPARE(again.columns, packet.columns);
    QCOMPARE(again.params, packet.params);
    QCOMPARE(again.rows, packet.rows);
}

void TestDataPacket::valuesAndNulls()
{
    const DataPacket packet = DataPacket::parse(readFixture(u"keep-everything.xml"_s));
    QCOMPARE(packet.columns.size(), 9);
    QCOMPARE(packet.columns[1].name, u"SUM OF Quantity"_s);
    QCOMPARE(packet.columns[1].attrName, u"SUM_OF_Quantity"_s);
    QCOMPARE(packet.columns[1].type, ColumnType::Other);
    QCOMPARE(packet.columns[5].children.size(), 1);
    QCOMPARE(packet.columns[5].children[0].attributes.size(), 4);

    const auto &first = packet.rows[0];
    QCOMPARE(first[1], QVariant(u"33292.9375"_s)); // r8 kept as its text
    QCOMPARE(first[4], QVariant(u"regel1\r\nregel2\ttab \\ & ' \" < >"_s));
    QCOMPARE(first[5], QVariant(1));
    QCOMPARE(first[6], QVariant(-3));
    QCOMPARE(first[7], QVariant(true));

    const auto &second = packet.rows[1];
    QVERIFY(second[0].isValid()); // MemberID="" is an empty text ...
    QCOMPARE(second[0].toString(), QString());
    QVERIFY(!second[2].isValid()); // ... an omitted attribute is null
    QCOMPARE(second[7], QVariant(false));
    QCOMPARE(packet.rows[2][0], QVariant(u"  spaties  "_s));
    QVERIFY(packet.rows[2][4].isValid());
    for (const QVariant &value : packet.rows[3])
        QVERIFY(!value.isValid());
    QCOMPARE(packet.rows[4][0], QVariant(u"Ключ日本"_s));
}

void TestDataPacket::malformed_data()
{
    QTest::addColumn<QByteArray>("bytes");
    const QByteArray fields =
        "<METADATA><FIELDS><FIELD attrname=\"N\" fieldtype=\"i4\"/><FIELD attrname=\"B\" "
        "fieldtype=\"boolean\"/></FIELDS><PARAMS/></METADATA>";
    QTest::newRow("empty file") << QByteArray();
    QTest::newRow("not xml") << QByteArray("this is not a packet");
    QTest::newRow("truncated") << QByteArray(kDecl + "<DATAPACKET Version=\"2.0\">" + fields +
                                             "<ROWDATA><ROW N=\"1\"");
    QTest::newRow("other root") << QByteArray("<html><body/></html>");
    QTest::newRow("no columns") << QByteArray("<DATAPACKET><ROWDATA/></DATAPACKET>");
    QTest::newRow("text in an integer column")
        << QByteArray("<DATAPACKET>" + fields + "<ROWDATA><ROW N=\"abc\"/></ROWDATA></DATAPACKET>");
    QTest::newRow("bad boolean") << QByteArray("<DATAPACKET>" + fields +
                                               "<ROWDATA><ROW B=\"ja\"/></ROWDATA></DATAPACKET>");
    QTest::newRow("FIELD without name")
        << QByteArray("<DATAPACKET><METADATA><FIELDS><FIELD fieldtype=\"i4\"/>"
                      "</FIELDS></METADATA></DATAPACKET>");
    QTest::newRow("garbage after root")
        << QByteArray("<DATAPACKET>" + fields + "<ROWDATA/></DATAPACKET><oops");
    QTest::newRow("unknown entity") << QByteArray("<DATAPACKET>" + fields +
                                                  "<ROWDATA><ROW N=\"&nope;\"/></ROWDATA></DATAPACKET>");
}

void TestDataPacket::malformed()
{
    QFETCH(QByteArray, bytes);
    try {
        DataPacket::parse(bytes);
        QFAIL("no error");
    } catch (const DatasetError &e) {
        QVERIFY2(!e.message().isEmpty(), "empty message");
    }
}

void TestDataPacket::fileErrors()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    DataTable table(u"cdsTest"_s);

    // Unreadable: its own kind of error, and the table stays closed.
    QVERIFY_THROWS_EXCEPTION(DataFileError, table.open(dir.filePath(u"missing.xml"_s)));
    QVERIFY(!table.isOpen());

    // Malformed: a dataset error with the place of the fault, the table stays closed.
    const QString broken = dir.filePath(u"broken.xml"_s);
    {
        QFile file(broken);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("<DATAPACKET><METADATA><FIELDS>\n<FIELD attrname=\"A\" "
                   "fieldtype=\"i4\"/></FIELDS></METADATA>\n<ROWDATA><ROW A=\"x\"/>");
    }
    try {
        table.open(broken);
        QFAIL("no error");
    } catch (const DataFileError &) {
        QFAIL("wrong kind");
    } catch (const DatasetError &e) {
        QVERIFY2(e.message().contains(u"line 3"_s), qPrintable(e.message()));
    }
    QVERIFY(!table.isOpen());

    // Unwritable: a folder that does not exist.
    table.createEmpty({DataColumn::declared(u"A"_s, ColumnType::I4)});
    QVERIFY_THROWS_EXCEPTION(DataFileError, table.saveAs(dir.filePath(u"no/such/folder/t.xml"_s)));
    // A closed table is not saved.
    table.close();
    QVERIFY_THROWS_EXCEPTION(DatasetError, table.saveAs(dir.filePath(u"t.xml"_s)));
}

void TestDataPacket::createEmptyTable()
{
    QTemporaryDir dir;
    DataTable table;
    table.createEmpty({DataColumn::declared(u"Mac"_s, ColumnType::String, 40),
                       DataColumn::declared(u"Counter1"_s, ColumnType::I4),
                       DataColumn::declared(u"Invoke"_s, ColumnType::Boolean),
                       DataColumn::declared(u"Group"_s, ColumnType::I2),
                       DataColumn::declared(u"Sum Of"_s, ColumnType::String, 10)});
    const QString path = dir.filePath(u"NuvoFavorites.xml"_s);
    table.saveAs(path);
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(),
             kDecl + "<DATAPACKET Version=\"2.0\"><METADATA><FIELDS>"
                     "<FIELD attrname=\"Mac\" fieldtype=\"string\" WIDTH=\"40\"/>"
                     "<FIELD attrname=\"Counter1\" fieldtype=\"i4\"/>"
                     "<FIELD attrname=\"Invoke\" fieldtype=\"boolean\"/>"
                     "<FIELD attrname=\"Group\" fieldtype=\"i2\"/>"
                     "<FIELD fieldname=\"Sum Of\" attrname=\"Sum_Of\" fieldtype=\"string\" WIDTH=\"10\"/>"
                     "</FIELDS><PARAMS/></METADATA><ROWDATA></ROWDATA></DATAPACKET>");
    table.open(path);
    QCOMPARE(table.columnIndex(u"sum of"), 4);
    QCOMPARE(table.rowCount(), 0);
}

void TestDataPacket::escapesAndControlCharacters()
{
    DataPacket packet = DataPacket::withColumns({DataColumn::declared(u"T"_s, ColumnType::String, 50)});
    packet.rows.append({QVariant(u"a\u0001b\r\n'\"&<>\\\u00e9"_s)});
    const QByteArray xml = packet.toXml();
    QVERIFY2(xml.contains("T=\"ab&#013;&#010;&apos;&quot;&amp;&lt;&gt;&#092;\xc3\xa9\""), xml.constData());
    QCOMPARE(DataPacket::parse(xml).rows[0][0], QVariant(u"ab\r\n'\"&<>\\\u00e9"_s));
}

void TestDataPacket::valueConversion_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<QVariant>("input");
    QTest::addColumn<QVariant>("expected");
    QTest::addColumn<bool>("fails");
    const int i4 = int(ColumnType::I4), b = int(ColumnType::Boolean), s = int(ColumnType::String);
    QTest::newRow("i4 from text") << i4 << QVariant(u" 12 "_s) << QVariant(12) << false;
    QTest::newRow("i4 from bad text") << i4 << QVariant(u"12a"_s) << QVariant() << true;
    QTest::newRow("i4 from empty text is null") << i4 << QVariant(u""_s) << QVariant() << false;
    QTest::newRow("boolean from true") << b << QVariant(u"true"_s) << QVariant(true) << false;
    QTest::newRow("boolean from TRUE") << b << QVariant(u"TRUE"_s) << QVariant(true) << false;
    QTest::newRow("boolean from bad text") << b << QVariant(u"ja"_s) << QVariant() << true;
    QTest::newRow("string from int") << s << QVariant(7) << QVariant(u"7"_s) << false;
    QTest::newRow("null stays null") << s << QVariant() << QVariant() << false;
}

void TestDataPacket::valueConversion()
{
    QFETCH(int, type);
    QFETCH(QVariant, input);
    QFETCH(QVariant, expected);
    QFETCH(bool, fails);
    const DataColumn column = DataColumn::declared(u"C"_s, ColumnType(type), 10);
    if (fails) {
        QVERIFY_THROWS_EXCEPTION(DatasetError, DataPacket::convertValue(column, input));
        return;
    }
    const QVariant result = DataPacket::convertValue(column, input);
    QCOMPARE(result.isValid(), expected.isValid());
    QCOMPARE(result, expected);
}

QTEST_GUILESS_MAIN(TestDataPacket)
#include "tst_datapacket.moc"
