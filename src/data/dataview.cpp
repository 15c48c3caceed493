// DataView: attaching, order, filter, master link, and building the visible rows.
#include "data/dataview.h"

#include "data/boundfilter.h"
#include "data/dataerror.h"
#include "data/datatable.h"
#include "data/datavalues.h"
#include "data/filterexpression.h"

#include <algorithm>

using namespace Qt::StringLiterals;
using DataValues::compareValues;
using DataValues::sameValue;

namespace {

constexpr qsizetype kFilterCacheLimit = 4096;

QStringList splitFields(const QString &fields)
{
    QStringList names;
    for (const QString &part : fields.split(u';', Qt::SkipEmptyParts)) {
        const QString name = part.trimmed();
        if (!name.isEmpty())
            names.append(name);
    }
    return names;
}

} // namespace

DataView::DataView(QString name) : m_name(std::move(name)) {}

DataView::~DataView()
{
    if (m_table)
        m_table->unregisterView(this);
    if (m_master)
        m_master->m_details.removeAll(this);
    for (DataView *detail : std::as_const(m_details)) {
        detail->m_master = nullptr;
        detail->m_stale = true;
    }
}

// ---- the table -----------------------------------------------------------------------------

void DataView::attach(std::shared_ptr<DataTable> table)
{
    if (!table || !table->isOpen())
        throw DatasetError(u"%1: cannot perform this operation on a closed dataset"_s.arg(m_name));
    bind(std::move(table));
}

void DataView::bind(std::shared_ptr<DataTable> table)
{
    if (m_table)
        m_table->unregisterView(this);
    m_table = std::move(table);
    if (m_table)
        m_table->registerView(this);
    resetState();
}

void DataView::detach()
{
    if (m_table)
        m_table->unregisterView(this);
    m_table.reset();
    resetState();
}

bool DataView::isActive() const
{
    return m_table && m_table->isOpen();
}

void DataView::resetState()
{
    m_indexFieldNames.clear();
    m_orderColumns.clear();
    m_filterText.clear();
    m_filter.reset();
    m_filterCache.clear();
    if (m_master)
        m_master->m_details.removeAll(this);
    m_master = nullptr;
    m_linkNames.clear();
    m_masterNames.clear();
    m_linkColumns.clear();
    m_state = State::Browse;
    m_buffer.clear();
    m_edits.clear();
    m_stale = true;
    m_goFirst = true;
    m_orderStale = true;
    notifyDetails();
}

// Column indices are resolved again when the table is (re)loaded: another file may hold the
// columns in another order. What no longer resolves is dropped.
void DataView::rebindToColumns()
{
    m_filterCache.clear();
    m_orderColumns.clear();
    m_linkColumns.clear();
    if (!isActive())
        return;
    QStringList kept;
    for (const QString &name : splitFields(m_indexFieldNames)) {
        const int index = m_table->fieldIndex(name);
        if (index != -1) {
            m_orderColumns.append(index);
            kept.append(name);
        }
    }
    m_indexFieldNames = kept.join(u';');
    for (const QString &name : std::as_const(m_linkNames)) {
        const int index = m_table->fieldIndex(name);
        if (index == -1) {
            clearMasterLink();
            break;
        }
        m_linkColumns.append(index);
    }
    if (!m_filterText.isEmpty()) {
        try {
            m_filter = boundFilter(m_filterText);
        } catch (const DatasetError &) {
            m_filterText.clear();
            m_filter.reset();
        }
    }
}

// ---- order ---------------------------------------------------------------------------------

void DataView::setIndexFieldNames(const QString &fields)
{
    const QStringList names = splitFields(fields);
    QList<int> columns;
    if (m_table && m_table->isOpen()) {
        for (const QString &name : names) {
            const int index = m_table->fieldIndex(name);
            if (index == -1)
                throw DatasetError(u"%1: field '%2' not found"_s.arg(m_name, name));
            columns.append(index);
        }
    }
    m_indexFieldNames = names.join(u';');
    m_orderColumns = columns;
    m_orderStale = true;
    m_stale = true;
    m_goFirst = true;
    notifyDetails();
}

void DataView::setIndexCaseInsensitive(bool on)
{
    if (m_indexCaseInsensitive == on)
        return;
    m_indexCaseInsensitive = on;
    m_orderStale = true;
    m_stale = true;
    m_goFirst = true;
    notifyDetails();
}

// ---- filter --------------------------------------------------------------------------------

std::shared_ptr<const BoundFilter> DataView::boundFilter(const QString &text)
{
    if (const auto it = m_filterCache.constFind(text); it != m_filterCache.cend())
        return *it;
    if (!isActive())
        throw DatasetError(u"%1: cannot perform this operation on a closed dataset"_s.arg(m_name));
    const auto expression = FilterExpression::parse(text);
    auto bound = BoundFilter::bind(*expression, *m_table);
    if (m_filterCache.size() >= kFilterCacheLimit)
        m_filterCache.clear();
    m_filterCache.insert(text, bound);
    return bound;
}

void DataView::setFilter(const QString &text)
{
    if (text.trimmed().isEmpty()) {
        clearFilter();
        return;
    }
    m_filter = boundFilter(text); // throws before anything changes
    m_filterText = text;
    m_stale = true;
    m_goFirst = true;
    notifyDetails();
}

void DataView::clearFilter()
{
    m_filterText.clear();
    m_filter.reset();
    m_stale = true;
    m_goFirst = true;
    notifyDetails();
}

void DataView::setFilterCaseInsensitive(bool on)
{
    if (m_filterCaseInsensitive == on)
        return;
    m_filterCaseInsensitive = on;
    m_stale = true;
    m_goFirst = true;
    notifyDetails();
}

// ---- master link ---------------------------------------------------------------------------

void DataView::setMasterLink(DataView *master, const QString &detailFields, const QString &masterFields)
{
    const QStringList linkNames = splitFields(detailFields);
    const QStringList masterNames = splitFields(masterFields);
    if (!master || master == this || linkNames.isEmpty() || linkNames.size() != masterNames.size())
        throw DatasetError(u"%1: invalid master link"_s.arg(m_name));
    for (DataView *up = master; up; up = up->m_master) {
        if (up == this)
            throw DatasetError(u"%1: master link would form a cycle"_s.arg(m_name));
    }
    QList<int> columns;
    if (isActive()) {
        for (const QString &name : linkNames) {
            const int index = m_table->fieldIndex(name);
            if (index == -1)
                throw DatasetError(u"%1: field '%2' not found"_s.arg(m_name, name));
            columns.append(index);
        }
    }
    if (master->isActive()) {
        for (const QString &name : masterNames) {
            if (master->m_table->fieldIndex(name) == -1)
                throw DatasetError(u"%1: master field '%2' not found"_s.arg(m_name, name));
        }
    }
    if (m_master)
        m_master->m_details.removeAll(this);
    m_master = master;
    master->m_details.append(this);
    m_linkNames = linkNames;
    m_masterNames = masterNames;
    m_linkColumns = columns;
    m_stale = true;
    m_goFirst = true;
    notifyDetails();
}

void DataView::clearMasterLink()
{
    if (m_master)
        m_master->m_details.removeAll(this);
    m_master = nullptr;
    m_linkNames.clear();
    m_masterNames.clear();
    m_linkColumns.clear();
    m_stale = true;
    m_goFirst = true;
    notifyDetails();
}

bool DataView::masterValues(QList<QVariant> &values) const
{
    values.clear();
    if (!m_master || !m_master->isActive())
        return false;
    const int row = m_master->currentRow();
    if (row < 0)
        return false;
    for (const QString &name : m_masterNames)
        values.append(m_master->m_table->value(row, m_master->m_table->fieldIndex(name)));
    return true;
}

QList<int> DataView::masterColumns() const
{
    QList<int> columns;
    if (m_master && m_master->m_table) {
        for (const QString &name : m_masterNames)
            columns.append(m_master->m_table->fieldIndex(name));
    }
    return columns;
}

bool DataView::linkMatches(int row, const QList<QVariant> &values) const
{
    for (qsizetype i = 0; i < m_linkColumns.size(); ++i) {
        if (!sameValue(m_table->value(row, m_linkColumns[i]), values[i]))
            return false;
    }
    return true;
}

// ---- change notifications ------------------------------------------------------------------

void DataView::rowsChanged(const QList<int> &columns)
{
    bool affected = m_filter && m_filter->usesDerived();
    for (int c : columns) {
        if (m_orderColumns.contains(c)) {
            m_orderStale = true;
            affected = true;
        }
        affected = affected || m_linkColumns.contains(c) || (m_filter && m_filter->columns().contains(c));
    }
    for (int c : m_orderColumns)
        m_orderStale = m_orderStale || DataTable::isDerivedIndex(c);
    if (affected)
        m_stale = true;
    // A detail follows the values of our current row.
    for (DataView *detail : std::as_const(m_details)) {
        const QList<int> linked = detail->masterColumns();
        for (int c : columns) {
            if (linked.contains(c) || c <= -2) {
                detail->masterMoved();
                break;
            }
        }
    }
}

void DataView::structureChanged(bool reloaded)
{
    if (m_state != State::Browse && reloaded)
        cancel();
    if (reloaded) {
        rebindToColumns();
        m_goFirst = true;
    }
    m_stale = true;
    m_orderStale = true;
    notifyDetails();
}

void DataView::rowRemoved(int row)
{
    if (m_currentRow == row)
        m_currentRow = -2; // gone: the row now at its place becomes current
    else if (m_currentRow > row)
        --m_currentRow;
    if (m_state == State::Edit && m_currentRow == -2)
        cancel();
    m_stale = true;
    m_orderStale = true;
    notifyDetails();
}

void DataView::masterMoved()
{
    m_stale = true;
    m_goFirst = true;
    notifyDetails();
}

void DataView::tableClosed()
{
    m_table.reset();
    m_stale = true;
}

void DataView::notifyDetails() const
{
    for (DataView *detail : m_details)
        detail->masterMoved();
}

// ---- building the visible rows -------------------------------------------------------------

void DataView::ensureBuilt() const
{
    if (m_stale)
        rebuild();
}

void DataView::ensureOrder() const
{
    if (!m_orderStale && m_ordered.size() == m_table->rowCount())
        return;
    const int n = m_table->rowCount();
    m_ordered.resize(n);
    for (int i = 0; i < n; ++i)
        m_ordered[i] = i;
    if (!m_orderColumns.isEmpty()) {
        const Qt::CaseSensitivity cs = m_indexCaseInsensitive ? Qt::CaseInsensitive : Qt::CaseSensitive;
        const DataTable &table = *m_table;
        const QList<int> &columns = m_orderColumns;
        bool derived = false;
        for (int c : columns)
            derived = derived || DataTable::isDerivedIndex(c);
        if (derived) {
            // Derived values are computed once per row, not once per comparison.
            QList<QList<QVariant>> keys(n);
            for (int r = 0; r < n; ++r) {
                for (int c : columns)
                    keys[r].append(table.value(r, c));
            }
            std::stable_sort(m_ordered.begin(), m_ordered.end(), [&](int a, int b) {
                for (qsizetype i = 0; i < columns.size(); ++i) {
                    const int order = compareValues(keys[a][i], keys[b][i], cs);
                    if (order != 0)
                        return order < 0;
                }
                return false;
            });
        } else {
            std::stable_sort(m_ordered.begin(), m_ordered.end(), [&](int a, int b) {
                const DataPacket::Row &x = table.rowValues(a);
                const DataPacket::Row &y = table.rowValues(b);
                for (int c : columns) {
                    const int order = compareValues(x[c], y[c], cs);
                    if (order != 0)
                        return order < 0;
                }
                return false;
            });
        }
    }
    m_orderRank.resize(n);
    for (int i = 0; i < n; ++i)
        m_orderRank[m_ordered[i]] = i;
    m_orderStale = false;
}

void DataView::rebuild() const
{
    QList<QVariant> linkValues;
    bool linkOk = true;
    if (m_master)
        linkOk = masterValues(linkValues);
    const int previousRow = m_currentRow;
    const int previousIndex = m_current;

    m_rows.clear();
    if (isActive() && linkOk) {
        const DataTable &table = *m_table;
        const bool caseInsensitive = m_filterCaseInsensitive;
        if (m_filter && m_filter->isEqualityConjunction()) {
            // A shared copy: evaluating the link may run derived columns that use this table.
            const QList<int> candidates =
                table.equalRows(m_filter->equalityColumns(), m_filter->equalityKey());
            if (!m_master) {
                m_rows = candidates;
            } else {
                for (int row : candidates) {
                    if (linkMatches(row, linkValues))
                        m_rows.append(row);
                }
            }
            if (!m_orderColumns.isEmpty() && m_rows.size() > 1) {
                ensureOrder();
                std::sort(m_rows.begin(), m_rows.end(),
                          [this](int a, int b) { return m_orderRank[a] < m_orderRank[b]; });
            }
        } else {
            const int n = table.rowCount();
            if (!m_orderColumns.isEmpty())
                ensureOrder();
            const bool ordered = !m_orderColumns.isEmpty();
            if (!m_filter && !m_master) {
                if (ordered) {
                    m_rows = m_ordered;
                } else {
                    // Shared, not copied: removing a filter costs no walk over the rows.
                    if (m_identity.size() != n) {
                        m_identity.resize(n);
                        for (int i = 0; i < n; ++i)
                            m_identity[i] = i;
                    }
                    m_rows = m_identity;
                }
            } else {
                for (int i = 0; i < n; ++i) {
                    const int row = ordered ? m_ordered[i] : i;
                    if (m_filter && !m_filter->matches(table, row, caseInsensitive))
                        continue;
                    if (m_master && !linkMatches(row, linkValues))
                        continue;
                    m_rows.append(row);
                }
            }
        }
    }

    const int count = int(m_rows.size());
    if (count == 0) {
        m_current = -1;
        m_eof = m_bof = true;
    } else if (m_goFirst) {
        m_current = 0;
        m_bof = true;
        m_eof = false;
    } else {
        int found = -1;
        if (previousRow >= 0 && previousRow < count && m_rows[previousRow] == previousRow)
            found = previousRow;
        else if (previousRow >= 0)
            found = int(m_rows.indexOf(previousRow));
        if (found >= 0) {
            m_current = found;
        } else {
            m_current = std::clamp(previousIndex, 0, count - 1);
            m_eof = m_bof = false;
        }
    }
    m_currentRow = m_current >= 0 ? m_rows[m_current] : -1;
    m_stale = false;
    m_goFirst = false;
    if (m_currentRow != previousRow)
        notifyDetails();
}

void DataView::setCurrentIndex(int index) const
{
    const int previousRow = m_currentRow;
    m_current = index;
    m_currentRow = index >= 0 && index < int(m_rows.size()) ? m_rows[index] : -1;
    if (m_currentRow != previousRow)
        notifyDetails();
}
