#pragma once

#include <QList>
#include <QString>

#include <utility>

// How the engine holds the values of a column. The four types the panel declares are interpreted;
// every other type of a data packet (r8, date, dateTime, fixed, bin.hex, ...) is kept as the text
// the file holds and written back verbatim.
enum class ColumnType
{
    String,  // "string" (also "string.uni"): QString
    I2,      // "i2": int
    I4,      // "i4": int
    Boolean, // "boolean": bool, TRUE/FALSE in the file
    Other,   // any other fieldtype: the file's text, QString
};

// An XML element kept exactly as read (name, attributes in order, child elements), for the
// children of a FIELD such as <PARAM Name="PROVFLAGS" Value="7" Type="i4" Roundtrip="True"/>.
struct XmlElementCopy
{
    QString name;
    QList<std::pair<QString, QString>> attributes;
    QList<XmlElementCopy> children;

    bool operator==(const XmlElementCopy &other) const;
};

// One column as the file's metadata declares it.
struct DataColumn
{
    // The column's name: the FIELD's fieldname when it has one, else its attrname.
    QString name;
    // The attribute name used in the ROW elements (attrname).
    QString attrName;
    // The fieldtype text as read ("string", "i4", "bin.hex", ...).
    QString fieldType;
    ColumnType type = ColumnType::String;
    // WIDTH, 0 when absent.
    int width = 0;
    // Every attribute of the FIELD element in file order, the known ones included: this is what
    // the writer writes back.
    QList<std::pair<QString, QString>> attributes;
    // Child elements of the FIELD (PARAM ...), written back as they were.
    QList<XmlElementCopy> children;

    // A column as the panel declares it when it creates a missing file: attrname, fieldtype and,
    // for text columns, WIDTH.
    static DataColumn declared(const QString &name, ColumnType type, int width = 0);
    static ColumnType typeFromFieldType(const QString &fieldType);

    bool operator==(const DataColumn &) const = default;
};
