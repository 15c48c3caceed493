#pragma once

#include "data/datacolumn.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QVariant>

// The content of one XML data-packet file: its columns, its packet parameters and its rows.
//
// Values are held per column type: QString for string and the uninterpreted types, int for i2/i4,
// bool for boolean. A null value (the attribute is absent from the ROW) is an invalid QVariant;
// an empty text is an empty QString. The two stay different through a load and a save.
//
// parse() accepts what real writers produce: with or without the XML declaration, UTF-8 with an
// encoding declaration, bytes without a declaration that are not valid UTF-8 as Windows-1252,
// line breaks, <ROWDATA/>, a trailing newline, and an unmerged change log (CHANGE_LOG plus
// RowState), which is folded in so that the rows are those the writing program saw.
// toXml() writes the one-line, merged form: UTF-8 declaration, no CHANGE_LOG, no RowState.
struct DataPacket
{
    using Row = QList<QVariant>;

    // Attributes of the DATAPACKET element in order (Version="2.0" for a new packet).
    QList<std::pair<QString, QString>> rootAttributes;
    QList<DataColumn> columns;
    // Attributes of PARAMS in file order, CHANGE_LOG left out once the log is folded in.
    QList<std::pair<QString, QString>> params;
    QList<Row> rows;

    // An empty packet with the given columns (used to create a missing file).
    static DataPacket withColumns(const QList<DataColumn> &columns);

    // Throws DatasetError (message with line and column) when the bytes are not a data packet or
    // a value does not fit its column.
    static DataPacket parse(const QByteArray &bytes);
    QByteArray toXml() const;

    // File helpers. readFile throws DataFileError when the file cannot be opened or read and
    // DatasetError when its content is wrong; writeFile goes through QSaveFile (never half
    // written) and throws DataFileError when the file cannot be written.
    static DataPacket readFile(const QString &path);
    void writeFile(const QString &path) const;

    // Converts a value to what a column of this type holds (null stays null). Throws DatasetError
    // when it does not fit ("abc" for an i4 column).
    static QVariant convertValue(const DataColumn &column, const QVariant &value);
};
