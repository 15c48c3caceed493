#pragma once

#include "data/filterexpression.h"

#include <QList>

#include <memory>

class DataTable;

// A filter expression compiled against one table's columns: column names resolved, literals
// converted to the column types (a quoted text compared with an integer column becomes a number),
// patterns prepared. Evaluates a store row of that table.
class BoundFilter final
{
public:
    // Throws FilterError for an unknown column or a literal that does not fit its column.
    static std::shared_ptr<const BoundFilter> bind(const FilterExpression &expression,
                                                   const DataTable &table);

    bool matches(const DataTable &table, int row, bool caseInsensitive) const;

    // Columns (stored: >= 0; derived: <= -2) the filter reads.
    const QList<int> &columns() const { return m_columns; }
    bool usesDerived() const { return m_usesDerived; }

    // When the whole filter is a conjunction of `integer or boolean column = constant`, the
    // columns and the constants (booleans as 0/1), so a view can find the rows through the
    // table's equality index instead of testing every row.
    bool isEqualityConjunction() const { return !m_equalityColumns.isEmpty(); }
    const QList<int> &equalityColumns() const { return m_equalityColumns; }
    const QList<qint64> &equalityKey() const { return m_equalityKey; }

    struct Op;

private:
    BoundFilter() = default;
    std::shared_ptr<const Op> m_root;
    QList<int> m_columns;
    bool m_usesDerived = false;
    QList<int> m_equalityColumns;
    QList<qint64> m_equalityKey;
};
