// Reading XML data packets: DataPacket::parse, readFile, convertValue.
#include "data/dataerror.h"
#include "data/datapacket.h"
#include "platform/windows1252.h"

#include <QFile>
#include <QHash>
#include <QStringDecoder>
#include <QXmlStreamReader>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace {

constexpr int kMaxElementDepth = 32;

// The encoding named in the XML declaration, empty when there is no declaration or no encoding.
QByteArray declaredEncoding(const QByteArray &bytes)
{
    qsizetype start = 0;
    if (bytes.startsWith("\xEF\xBB\xBF"))
        start = 3;
    if (bytes.mid(start, 5) != "<?xml")
        return {};
    const qsizetype end = bytes.indexOf("?>", start);
    if (end < 0)
        return {};
    const QByteArray decl = bytes.mid(start, end - start);
    const qsizetype at = decl.indexOf("encoding");
    if (at < 0)
        return {};
    qsizetype i = at + 8;
    while (i < decl.size() && (decl[i] == ' ' || decl[i] == '='))
        ++i;
    if (i >= decl.size() || (decl[i] != '"' && decl[i] != '\''))
        return {};
    const char quote = decl[i];
    const qsizetype close = decl.indexOf(quote, i + 1);
    if (close < 0)
        return {};
    return decl.mid(i + 1, close - i - 1).toLower();
}

// Windows1252::isValidUtf8 discards the decoder's lazy result without decoding, so it reports
// every input as valid; this check decodes for real.
bool isUtf8(const QByteArray &bytes)
{
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString text = decoder.decode(bytes);
    return !decoder.hasError();
}

bool isAnsiName(const QByteArray &encoding)
{
    return encoding == "windows-1252" || encoding == "cp1252" || encoding == "iso-8859-1" ||
           encoding == "latin1" || encoding == "iso8859-1" || encoding == "us-ascii";
}

[[noreturn]] void fail(const QXmlStreamReader &xml, const QString &what)
{
    throw DatasetError(u"line %1, column %2: %3"_s.arg(xml.lineNumber()).arg(xml.columnNumber()).arg(what));
}

QList<std::pair<QString, QString>> copyAttributes(const QXmlStreamAttributes &attributes)
{
    QList<std::pair<QString, QString>> copy;
    copy.reserve(attributes.size());
    for (const QXmlStreamAttribute &a : attributes)
        copy.append({a.qualifiedName().toString(), a.value().toString()});
    return copy;
}

XmlElementCopy copyElement(QXmlStreamReader &xml, int depth)
{
    if (depth > kMaxElementDepth)
        fail(xml, u"elements nested too deeply"_s);
    XmlElementCopy element;
    element.name = xml.qualifiedName().toString();
    element.attributes = copyAttributes(xml.attributes());
    while (xml.readNextStartElement())
        element.children.append(copyElement(xml, depth + 1));
    return element;
}

struct RawPacket
{
    QList<int> rowStates;
    QString changeLog;
};

void readField(QXmlStreamReader &xml, DataPacket &packet)
{
    DataColumn column;
    column.attributes = copyAttributes(xml.attributes());
    QString fieldName;
    for (const auto &[name, value] : std::as_const(column.attributes)) {
        if (name == u"fieldname"_s)
            fieldName = value;
        else if (name == u"attrname"_s)
            column.attrName = value;
        else if (name == u"fieldtype"_s)
            column.fieldType = value;
        else if (name == u"WIDTH"_s)
            column.width = value.toInt();
    }
    if (column.attrName.isEmpty())
        column.attrName = fieldName;
    if (column.attrName.isEmpty())
        fail(xml, u"FIELD without attrname"_s);
    column.name = fieldName.isEmpty() ? column.attrName : fieldName;
    column.type = DataColumn::typeFromFieldType(column.fieldType);
    while (xml.readNextStartElement())
        column.children.append(copyElement(xml, 1));
    packet.columns.append(std::move(column));
}

// Plain decimal integers (the form every writer uses) without going through the locale parser.
bool parsePlainInt(QStringView text, int &out)
{
    qsizetype i = 0;
    const qsizetype n = text.size();
    bool negative = false;
    if (n > 0 && (text[0] == u'-' || text[0] == u'+')) {
        negative = text[0] == u'-';
        i = 1;
    }
    if (i == n || n - i > 9)
        return false;
    int value = 0;
    for (; i < n; ++i) {
        const char16_t c = text[i].unicode();
        if (c < u'0' || c > u'9')
            return false;
        value = value * 10 + (c - u'0');
    }
    out = negative ? -value : value;
    return true;
}

QVariant cellValue(const QXmlStreamReader &xml, const DataColumn &column, QStringView text)
{
    switch (column.type) {
    case ColumnType::String:
    case ColumnType::Other:
        return text.toString();
    case ColumnType::I2:
    case ColumnType::I4: {
        int number = 0;
        if (parsePlainInt(text, number))
            return number;
        const QStringView trimmed = text.trimmed();
        if (trimmed.isEmpty())
            return {};
        bool ok = false;
        number = trimmed.toInt(&ok);
        if (!ok)
            fail(xml, u"'%1' is not a valid integer value for column %2"_s.arg(text, column.name));
        return number;
    }
    case ColumnType::Boolean:
        if (text == u"TRUE" || text.compare(u"true", Qt::CaseInsensitive) == 0)
            return true;
        if (text == u"FALSE" || text.compare(u"false", Qt::CaseInsensitive) == 0)
            return false;
        if (text.isEmpty())
            return {};
        fail(xml, u"'%1' is not a valid boolean value for column %2"_s.arg(text, column.name));
    }
    return {};
}

void readRow(QXmlStreamReader &xml, DataPacket &packet, RawPacket &raw)
{
    const QXmlStreamAttributes attributes = xml.attributes();
    const auto &columns = packet.columns;
    const qsizetype columnCount = columns.size();
    DataPacket::Row row(columnCount);
    int rowState = 0;
    qsizetype guess = 0;
    for (const QXmlStreamAttribute &a : attributes) {
        const QStringView name = a.qualifiedName();
        qsizetype found = -1;
        // Rows name their attributes in column order: try the next column first.
        if (guess < columnCount && columns[guess].attrName == name) {
            found = guess;
        } else {
            for (qsizetype c = 0; c < columnCount; ++c) {
                if (columns[c].attrName == name) {
                    found = c;
                    break;
                }
            }
        }
        if (found < 0) {
            if (name == u"RowState"_s)
                rowState = a.value().toInt();
            continue; // attributes the packet does not declare are ignored
        }
        row[found] = cellValue(xml, columns[found], a.value());
        guess = found + 1;
    }
    packet.rows.append(std::move(row));
    raw.rowStates.append(rowState);
    xml.skipCurrentElement();
}

// Folds an unmerged change log into the rows: the rows the writing program saw are those whose
// RowState has neither bit 1 (superseded image) nor bit 2 (deleted); the newest version of a row
// stands where its first image stood.
void foldChangeLog(DataPacket &packet, const RawPacket &raw)
{
    const qsizetype count = packet.rows.size();
    bool anyState = false;
    for (int state : raw.rowStates)
        anyState = anyState || state != 0;
    if (!anyState && raw.changeLog.isEmpty())
        return;

    QList<qsizetype> previous(count, -1);
    const QStringList numbers = raw.changeLog.split(u' ', Qt::SkipEmptyParts);
    for (qsizetype i = 0; i + 2 < numbers.size(); i += 3) {
        const qsizetype row = numbers[i].toLongLong() - 1;
        const qsizetype prev = numbers[i + 1].toLongLong() - 1;
        if (row >= 0 && row < count && prev >= 0 && prev < count && prev != row && previous[row] < 0)
            previous[row] = prev;
    }

    struct Kept
    {
        qsizetype position;
        qsizetype row;
    };
    QList<Kept> kept;
    for (qsizetype row = 0; row < count; ++row) {
        const int state = raw.rowStates[row];
        if (state & 0x3)
            continue;
        qsizetype first = row;
        for (qsizetype steps = 0; previous[first] >= 0 && steps < count; ++steps)
            first = previous[first];
        kept.append({first, row});
    }
    std::stable_sort(kept.begin(), kept.end(),
                     [](const Kept &a, const Kept &b) { return a.position < b.position; });
    QList<DataPacket::Row> rows;
    rows.reserve(kept.size());
    for (const Kept &k : kept)
        rows.append(std::move(packet.rows[k.row]));
    packet.rows = std::move(rows);
}

void readPacket(QXmlStreamReader &xml, DataPacket &packet)
{
    RawPacket raw;
    if (!xml.readNextStartElement())
        fail(xml, xml.hasError() ? xml.errorString() : u"the file holds no XML element"_s);
    if (xml.name() != u"DATAPACKET"_s)
        fail(xml, u"root element is %1, not DATAPACKET"_s.arg(xml.name()));
    packet.rootAttributes = copyAttributes(xml.attributes());
    bool haveFields = false;
    while (xml.readNextStartElement()) {
        if (xml.name() == u"METADATA"_s) {
            while (xml.readNextStartElement()) {
                if (xml.name() == u"FIELDS"_s) {
                    haveFields = true;
                    while (xml.readNextStartElement()) {
                        if (xml.name() == u"FIELD"_s)
                            readField(xml, packet);
                        else
                            xml.skipCurrentElement();
                    }
                } else if (xml.name() == u"PARAMS"_s) {
                    for (const QXmlStreamAttribute &a : xml.attributes()) {
                        if (a.qualifiedName() == u"CHANGE_LOG"_s)
                            raw.changeLog = a.value().toString();
                        else
                            packet.params.append({a.qualifiedName().toString(), a.value().toString()});
                    }
                    xml.skipCurrentElement();
                } else {
                    xml.skipCurrentElement();
                }
            }
        } else if (xml.name() == u"ROWDATA"_s) {
            if (!haveFields)
                fail(xml, u"ROWDATA before the column declarations"_s);
            while (xml.readNextStartElement()) {
                if (xml.name() == u"ROW"_s)
                    readRow(xml, packet, raw);
                else
                    xml.skipCurrentElement();
            }
        } else {
            xml.skipCurrentElement();
        }
    }
    // Anything after the root element must still be well-formed (comments, white space).
    while (!xml.atEnd() && !xml.hasError())
        xml.readNext();
    if (xml.hasError())
        fail(xml, xml.errorString());
    if (!haveFields)
        throw DatasetError(u"the data packet declares no columns (no METADATA/FIELDS)"_s);
    foldChangeLog(packet, raw);
}

} // namespace

DataPacket DataPacket::withColumns(const QList<DataColumn> &columns)
{
    DataPacket packet;
    packet.rootAttributes = {{u"Version"_s, u"2.0"_s}};
    packet.columns = columns;
    return packet;
}

DataPacket DataPacket::parse(const QByteArray &bytes)
{
    DataPacket packet;
    const QByteArray encoding = declaredEncoding(bytes);
    const bool utf16 = bytes.startsWith("\xFF\xFE") || bytes.startsWith("\xFE\xFF");
    const bool ansi = !utf16 && (encoding.isEmpty() ? !isUtf8(bytes) : isAnsiName(encoding));
    if (ansi) {
        // Decoded here (Qt's reader knows no Windows-1252) and handed over as UTF-8, with the
        // declaration's encoding left out.
        QByteArray utf8 = Windows1252::decode(bytes).toUtf8();
        if (!encoding.isEmpty()) {
            const qsizetype end = utf8.indexOf("?>");
            utf8.replace(0, end + 2, "<?xml version=\"1.0\"?>");
        }
        QXmlStreamReader xml(utf8);
        xml.setNamespaceProcessing(false);
        readPacket(xml, packet);
    } else {
        QXmlStreamReader xml(bytes);
        xml.setNamespaceProcessing(false); // data packets use no namespaces
        readPacket(xml, packet);
    }
    return packet;
}

DataPacket DataPacket::readFile(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw DataFileError(u"cannot read %1: %2"_s.arg(path, file.errorString()));
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        throw DataFileError(u"cannot read %1: %2"_s.arg(path, file.errorString()));
    try {
        return parse(bytes);
    } catch (const DatasetError &e) {
        throw DatasetError(u"%1: %2"_s.arg(path, e.message()));
    }
}

QVariant DataPacket::convertValue(const DataColumn &column, const QVariant &value)
{
    if (!value.isValid())
        return {};
    switch (column.type) {
    case ColumnType::String:
    case ColumnType::Other:
        if (value.typeId() == QMetaType::Bool)
            return value.toBool() ? u"True"_s : u"False"_s;
        return value.toString();
    case ColumnType::I2:
    case ColumnType::I4: {
        if (value.typeId() == QMetaType::Int)
            return value;
        if (value.typeId() == QMetaType::Bool)
            return value.toBool() ? 1 : 0;
        bool ok = false;
        const int number =
            value.typeId() == QMetaType::QString ? value.toString().trimmed().toInt(&ok) : value.toInt(&ok);
        if (value.typeId() == QMetaType::QString && value.toString().trimmed().isEmpty())
            return {};
        if (!ok)
            throw DatasetError(
                u"'%1' is not a valid integer value for column %2"_s.arg(value.toString(), column.name));
        return number;
    }
    case ColumnType::Boolean: {
        if (value.typeId() == QMetaType::Bool)
            return value;
        if (value.typeId() == QMetaType::QString) {
            const QString text = value.toString();
            if (text.compare(u"true"_s, Qt::CaseInsensitive) == 0)
                return true;
            if (text.compare(u"false"_s, Qt::CaseInsensitive) == 0)
                return false;
            if (text.isEmpty())
                return {};
            throw DatasetError(u"'%1' is not a valid boolean value for column %2"_s.arg(text, column.name));
        }
        return value.toBool();
    }
    }
    return value;
}
