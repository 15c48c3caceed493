#include "data/datacolumn.h"

using namespace Qt::StringLiterals;

namespace {

QString fieldTypeText(ColumnType type)
{
    switch (type) {
    case ColumnType::String:
        return u"string"_s;
    case ColumnType::I2:
        return u"i2"_s;
    case ColumnType::I4:
        return u"i4"_s;
    case ColumnType::Boolean:
        return u"boolean"_s;
    case ColumnType::Other:
        break;
    }
    return u"string"_s;
}

bool isXmlName(const QString &name)
{
    if (name.isEmpty())
        return false;
    for (qsizetype i = 0; i < name.size(); ++i) {
        const QChar c = name.at(i);
        const bool start = c.isLetter() || c == u'_';
        if (i == 0 ? !start : !(start || c.isDigit() || c == u'-' || c == u'.'))
            return false;
    }
    return !name.startsWith(u"xml"_s, Qt::CaseInsensitive);
}

} // namespace

DataColumn DataColumn::declared(const QString &name, ColumnType type, int width)
{
    DataColumn column;
    column.name = name;
    column.type = type;
    column.fieldType = fieldTypeText(type);
    column.width = type == ColumnType::String ? width : 0;
    column.attrName = name;
    if (!isXmlName(name)) {
        // Names that are not XML names are written as fieldname, with an XML-safe attrname.
        column.attrName.clear();
        for (const QChar c : name)
            column.attrName.append(c.isLetterOrNumber() || c == u'_' ? c : u'_');
        if (column.attrName.isEmpty() || !isXmlName(column.attrName))
            column.attrName.prepend(u'_');
        column.attributes.append({u"fieldname"_s, name});
    }
    column.attributes.append({u"attrname"_s, column.attrName});
    column.attributes.append({u"fieldtype"_s, column.fieldType});
    if (column.width > 0)
        column.attributes.append({u"WIDTH"_s, QString::number(column.width)});
    return column;
}

ColumnType DataColumn::typeFromFieldType(const QString &fieldType)
{
    if (fieldType == u"string"_s || fieldType == u"string.uni"_s)
        return ColumnType::String;
    if (fieldType == u"i4"_s)
        return ColumnType::I4;
    if (fieldType == u"i2"_s)
        return ColumnType::I2;
    if (fieldType == u"boolean"_s)
        return ColumnType::Boolean;
    return ColumnType::Other;
}

bool XmlElementCopy::operator==(const XmlElementCopy &other) const
{
    if (name != other.name || attributes != other.attributes || children.size() != other.children.size())
        return false;
    for (qsizetype i = 0; i < children.size(); ++i) {
        if (!(children[i] == other.children[i]))
            return false;
    }
    return true;
}
