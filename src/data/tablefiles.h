#pragma once

#include "data/datacolumn.h"
#include "data/tabledeclarations.h"

#include <QList>
#include <QString>
#include <QVariantHash>

class DataTable;

// Writing project tables from plain rows, for the demo-project generator, the benchmark and tests.
// Goes through the panel's own engine and writer, so the files are exactly what the panel writes.
namespace TableFiles {

// The declared columns of a table, as the panel creates a missing file.
QList<DataColumn> declaredColumns(const TableDeclaration &declaration);

// Appends a row: every named column gets its value, the others stay empty (null). Throws
// DatasetError for a column the table does not have or a value that does not fit.
void appendRow(DataTable &table, const QVariantHash &values);

// Writes a table with the declared columns and the given rows to path (through QSaveFile).
void write(const QString &path, const TableDeclaration &declaration, const QList<QVariantHash> &rows);

} // namespace TableFiles
