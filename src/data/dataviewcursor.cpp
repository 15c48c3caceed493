// DataView: moving the cursor, searching, reading and editing the current row.
#include "data/dataerror.h"
#include "data/datatable.h"
#include "data/datavalues.h"
#include "data/dataview.h"

#include <algorithm>

using namespace Qt::StringLiterals;
using DataValues::compareValues;
using DataValues::sameValue;
using DataValues::textOf;

// ---- navigation ----------------------------------------------------------------------------

void DataView::first()
{
    ensureBuilt();
    setCurrentIndex(m_rows.isEmpty() ? -1 : 0);
    m_bof = true;
    m_eof = m_rows.isEmpty();
}

void DataView::last()
{
    ensureBuilt();
    setCurrentIndex(int(m_rows.size()) - 1);
    m_eof = true;
    m_bof = m_rows.isEmpty();
}

void DataView::next()
{
    ensureBuilt();
    if (m_current >= 0 && m_current + 1 < int(m_rows.size())) {
        setCurrentIndex(m_current + 1);
        m_bof = false;
        m_eof = false;
    } else {
        m_eof = true;
    }
}

void DataView::prior()
{
    ensureBuilt();
    if (m_current > 0) {
        setCurrentIndex(m_current - 1);
        m_bof = false;
        m_eof = false;
    } else {
        m_bof = true;
    }
}

bool DataView::eof() const
{
    ensureBuilt();
    return m_eof || m_rows.isEmpty();
}

bool DataView::bof() const
{
    ensureBuilt();
    return m_bof || m_rows.isEmpty();
}

int DataView::recordCount() const
{
    ensureBuilt();
    return int(m_rows.size());
}

int DataView::recNo() const
{
    ensureBuilt();
    return m_current + 1;
}

void DataView::setRecNo(int n)
{
    ensureBuilt();
    if (m_rows.isEmpty())
        return;
    setCurrentIndex(std::clamp(n, 1, int(m_rows.size())) - 1);
    m_bof = false;
    m_eof = false;
}

int DataView::currentRow() const
{
    ensureBuilt();
    return m_currentRow;
}

QList<int> DataView::visibleRows() const
{
    ensureBuilt();
    return m_rows;
}

bool DataView::locate(const QString &field, const QVariant &value, LocateOptions options)
{
    ensureBuilt();
    if (!isActive())
        return false;
    const int column = resolveField(field);
    const Qt::CaseSensitivity cs = options.caseInsensitive ? Qt::CaseInsensitive : Qt::CaseSensitive;
    const DataTable &table = *m_table;
    const bool textColumn = column <= -2 || (table.columns()[column].type != ColumnType::I2 &&
                                             table.columns()[column].type != ColumnType::I4 &&
                                             table.columns()[column].type != ColumnType::Boolean);
    const QString text = textOf(value);
    auto matches = [&](int row) {
        const QVariant v = table.value(row, column);
        if (!v.isValid() || !value.isValid())
            return false;
        if (options.partialKey)
            return textOf(v).startsWith(text, cs);
        if (textColumn)
            return QString::compare(textOf(v), text, cs) == 0;
        return sameValue(v, DataPacket::convertValue(table.columns()[column], value));
    };

    int found = -1;
    const bool sortedByColumn = m_orderColumns.size() == 1 && m_orderColumns.first() == column &&
                                textColumn && column >= 0 &&
                                m_indexCaseInsensitive == options.caseInsensitive;
    if (sortedByColumn && value.isValid()) {
        // The rows are in this column's order: the first row not below the text is the only
        // candidate (every row that begins with the text sorts right there).
        const auto it =
            std::lower_bound(m_rows.cbegin(), m_rows.cend(), text, [&](int row, const QString &key) {
                return compareValues(table.rowValues(row)[column], key, cs) < 0;
            });
        if (it != m_rows.cend() && matches(*it))
            found = int(it - m_rows.cbegin());
    } else {
        try {
            for (int i = 0; i < int(m_rows.size()); ++i) {
                if (matches(m_rows[i])) {
                    found = i;
                    break;
                }
            }
        } catch (const DatasetError &) {
            return false; // a value that cannot be held by the column matches nothing
        }
    }
    if (found < 0)
        return false;
    setCurrentIndex(found);
    m_eof = m_bof = false;
    return true;
}

// ---- fields --------------------------------------------------------------------------------

int DataView::resolveField(QStringView name) const
{
    const int index = m_table ? m_table->fieldIndex(name) : -1;
    if (index == -1)
        throw DatasetError(u"%1: field '%2' not found"_s.arg(m_name, name.toString()));
    return index;
}

bool DataView::hasField(QStringView name) const
{
    return m_table && m_table->fieldIndex(name) != -1;
}

QVariant DataView::fieldValue(QStringView name) const
{
    const int index = resolveField(name);
    if (m_state == State::Insert && index >= 0)
        return m_buffer.value(index);
    if (m_state == State::Edit && index >= 0) {
        for (const auto &[column, value] : m_edits) {
            if (column == index)
                return value;
        }
    }
    const int row = currentRow();
    if (row < 0)
        return {};
    return m_table->value(row, index);
}

// ---- editing -------------------------------------------------------------------------------

void DataView::edit()
{
    if (m_state != State::Browse)
        return;
    const int row = currentRow();
    if (row < 0)
        return;
    m_edits.clear();
    m_state = State::Edit;
}

void DataView::setFieldValue(QStringView name, const QVariant &value)
{
    const int index = resolveField(name);
    if (index < 0)
        throw DatasetError(
            u"%1: field '%2' is derived and cannot be modified"_s.arg(m_name, name.toString()));
    if (m_state == State::Browse) {
        edit();
        if (m_state == State::Browse)
            throw DatasetError(u"%1: no current record"_s.arg(m_name));
    }
    QVariant converted = DataPacket::convertValue(m_table->columns()[index], value);
    if (m_state == State::Insert) {
        m_buffer[index] = std::move(converted);
        return;
    }
    for (auto &edit : m_edits) {
        if (edit.first == index) {
            edit.second = std::move(converted);
            return;
        }
    }
    m_edits.append({index, std::move(converted)});
}

void DataView::post()
{
    if (m_state == State::Browse)
        return;
    if (!isActive()) {
        cancel();
        throw DatasetError(u"%1: cannot perform this operation on a closed dataset"_s.arg(m_name));
    }
    if (m_state == State::Edit) {
        const QList<std::pair<int, QVariant>> edits = std::move(m_edits);
        m_edits.clear();
        m_state = State::Browse;
        const int row = currentRow();
        if (row >= 0)
            m_table->storeValues(row, edits);
        return;
    }
    DataPacket::Row values = std::move(m_buffer);
    m_buffer.clear();
    m_state = State::Browse;
    const int row = m_table->appendRow();
    m_currentRow = row;
    m_table->storeRow(row, std::move(values));
    m_goFirst = false;
    m_stale = true;
    m_currentRow = row;
    notifyDetails();
}

void DataView::cancel()
{
    m_state = State::Browse;
    m_buffer.clear();
    m_edits.clear();
}

void DataView::append()
{
    if (!isActive())
        throw DatasetError(u"%1: cannot perform this operation on a closed dataset"_s.arg(m_name));
    if (m_state != State::Browse)
        post();
    m_buffer = DataPacket::Row(m_table->columnCount());
    QList<QVariant> values;
    if (m_master && masterValues(values)) {
        for (qsizetype i = 0; i < m_linkColumns.size(); ++i) {
            if (m_linkColumns[i] >= 0)
                m_buffer[m_linkColumns[i]] =
                    DataPacket::convertValue(m_table->columns()[m_linkColumns[i]], values[i]);
        }
    }
    m_state = State::Insert;
}

void DataView::deleteRow()
{
    cancel();
    const int row = currentRow();
    if (row < 0)
        return;
    m_table->removeRow(row);
}

void DataView::emptyTable()
{
    cancel();
    if (isActive())
        m_table->emptyTable();
}
