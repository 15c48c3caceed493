// Writing XML data packets: the one-line, merged form real files have.
#include "data/dataerror.h"
#include "data/datapacket.h"

#include <QSaveFile>

using namespace Qt::StringLiterals;

namespace {

// Escapes as the writers of real files do: the five XML entities and decimal references with three
// digits for CR, LF, TAB and the backslash. Control characters XML cannot hold are left out (no
// reader would accept the file otherwise); other characters are written raw.
void appendEscaped(QString &out, QStringView text)
{
    for (const QChar c : text) {
        switch (c.unicode()) {
        case u'&':
            out += u"&amp;"_s;
            break;
        case u'\'':
            out += u"&apos;"_s;
            break;
        case u'"':
            out += u"&quot;"_s;
            break;
        case u'<':
            out += u"&lt;"_s;
            break;
        case u'>':
            out += u"&gt;"_s;
            break;
        case u'\r':
            out += u"&#013;"_s;
            break;
        case u'\n':
            out += u"&#010;"_s;
            break;
        case u'\t':
            out += u"&#009;"_s;
            break;
        case u'\\':
            out += u"&#092;"_s;
            break;
        default:
            if (c.unicode() < 0x20 || c.unicode() == 0xFFFE || c.unicode() == 0xFFFF)
                break;
            out += c;
        }
    }
}

void appendAttributes(QString &out, const QList<std::pair<QString, QString>> &attributes)
{
    for (const auto &[name, value] : attributes) {
        out += u' ';
        out += name;
        out += u"=\""_s;
        appendEscaped(out, value);
        out += u'"';
    }
}

void appendElement(QString &out, const XmlElementCopy &element)
{
    out += u'<';
    out += element.name;
    appendAttributes(out, element.attributes);
    if (element.children.isEmpty()) {
        out += u"/>"_s;
        return;
    }
    out += u'>';
    for (const XmlElementCopy &child : element.children)
        appendElement(out, child);
    out += u"</"_s;
    out += element.name;
    out += u'>';
}

void appendValue(QString &out, const DataColumn &column, const QVariant &value)
{
    switch (column.type) {
    case ColumnType::I2:
    case ColumnType::I4:
        out += QString::number(value.toInt());
        return;
    case ColumnType::Boolean:
        out += value.toBool() ? u"TRUE"_s : u"FALSE"_s;
        return;
    case ColumnType::String:
    case ColumnType::Other:
        if (value.typeId() == QMetaType::QString) {
            appendEscaped(out, *static_cast<const QString *>(value.constData()));
            return;
        }
        appendEscaped(out, value.toString());
        return;
    }
}

} // namespace

QByteArray DataPacket::toXml() const
{
    QString out;
    out.reserve(256 + rows.size() * columns.size() * 12);
    out += u"<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>  <DATAPACKET"_s;
    appendAttributes(out, rootAttributes.isEmpty()
                              ? QList<std::pair<QString, QString>>{{u"Version"_s, u"2.0"_s}}
                              : rootAttributes);
    out += u"><METADATA><FIELDS>"_s;
    for (const DataColumn &column : columns) {
        out += u"<FIELD"_s;
        // A column made in code without its attribute list is written as the panel declares one.
        appendAttributes(out, column.attributes.isEmpty()
                                  ? DataColumn::declared(column.name, column.type, column.width).attributes
                                  : column.attributes);
        if (column.children.isEmpty()) {
            out += u"/>"_s;
            continue;
        }
        out += u'>';
        for (const XmlElementCopy &child : column.children)
            appendElement(out, child);
        out += u"</FIELD>"_s;
    }
    out += u"</FIELDS><PARAMS"_s;
    appendAttributes(out, params);
    out += u"/></METADATA><ROWDATA>"_s;
    for (const Row &row : rows) {
        out += u"<ROW"_s;
        const qsizetype n = std::min(row.size(), columns.size());
        for (qsizetype c = 0; c < n; ++c) {
            const QVariant &value = row[c];
            if (!value.isValid())
                continue; // null: the attribute is left out
            out += u' ';
            out += columns[c].attrName;
            out += u"=\""_s;
            appendValue(out, columns[c], value);
            out += u'"';
        }
        out += u"/>"_s;
    }
    out += u"</ROWDATA></DATAPACKET>"_s;
    return out.toUtf8();
}

void DataPacket::writeFile(const QString &path) const
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        throw DataFileError(u"cannot write %1: %2"_s.arg(path, file.errorString()));
    const QByteArray bytes = toXml();
    if (file.write(bytes) != bytes.size() || !file.commit())
        throw DataFileError(u"cannot write %1: %2"_s.arg(path, file.errorString()));
}
