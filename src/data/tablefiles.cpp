#include "data/tablefiles.h"

#include "data/dataerror.h"
#include "data/datatable.h"

using namespace Qt::StringLiterals;

namespace TableFiles {

QList<DataColumn> declaredColumns(const TableDeclaration &declaration)
{
    QList<DataColumn> columns;
    columns.reserve(declaration.columns.size());
    for (const ColumnDeclaration &c : declaration.columns)
        columns.append(DataColumn::declared(c.name, DataColumn::typeFromFieldType(c.type), c.width));
    return columns;
}

void appendRow(DataTable &table, const QVariantHash &values)
{
    const int row = table.appendRow();
    for (auto it = values.cbegin(); it != values.cend(); ++it) {
        const int column = table.columnIndex(it.key());
        if (column < 0)
            throw DatasetError(u"%1: no column %2"_s.arg(table.name(), it.key()));
        table.setValue(row, column, it.value());
    }
}

void write(const QString &path, const TableDeclaration &declaration, const QList<QVariantHash> &rows)
{
    DataTable table(declaration.tableName);
    table.createEmpty(declaredColumns(declaration));
    for (const QVariantHash &row : rows)
        appendRow(table, row);
    table.saveAs(path);
}

} // namespace TableFiles
