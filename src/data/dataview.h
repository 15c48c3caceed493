#pragma once

#include "data/datapacket.h"

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>
#include <QVariant>

#include <memory>

class BoundFilter;
class DataTable;

// A cursor over the rows of a DataTable: what the project calls a table ("cdsMembers") or a view
// ("cdsLookup1", "cdsMTButFont"). Any number of views share one table; each has its own current
// row, order, filter and optional master link, so moving or searching in one never moves another.
// Edits made through one view are stored in the shared rows and seen by all.
//
// Visible rows: the rows of the table that pass the filter and the master link, in the view's
// order (ties keep the stored order). Record count, first/next, end of table and record numbers
// all count visible rows only.
class DataView final
{
    Q_DISABLE_COPY_MOVE(DataView)

public:
    struct LocateOptions
    {
        // The column value begins with the searched text (texts only).
        bool partialKey = false;
        bool caseInsensitive = false;
    };

    explicit DataView(QString name = {});
    ~DataView();

    const QString &name() const { return m_name; }

    // ---- the table -------------------------------------------------------------------------
    // Shares the rows of `table`, starting in the default state: no filter, stored order, no
    // master link, on the first row. Throws DatasetError when the table is closed.
    void attach(std::shared_ptr<DataTable> table);
    // Shares the rows of the table under `table` without the closed check (a table's own cursor,
    // attached before the table is opened).
    void bind(std::shared_ptr<DataTable> table);
    void detach();
    const std::shared_ptr<DataTable> &table() const { return m_table; }
    // Attached to a table that is open.
    bool isActive() const;

    // ---- order -----------------------------------------------------------------------------
    // Column names separated by ';' ("Group;Address"); empty: stored order. Moves to the first
    // row. Throws DatasetError for a column the table does not have (the order stays).
    void setIndexFieldNames(const QString &fields);
    const QString &indexFieldNames() const { return m_indexFieldNames; }
    // Text columns of the order compared without regard to case.
    void setIndexCaseInsensitive(bool on);
    bool indexCaseInsensitive() const { return m_indexCaseInsensitive; }

    // ---- filter ----------------------------------------------------------------------------
    // Sets and switches on a filter text and moves to the first visible row. Throws FilterError
    // for a text that does not parse or names an unknown column; the view then keeps its
    // previous filter. An empty text removes the filter.
    void setFilter(const QString &text);
    void clearFilter();
    const QString &filter() const { return m_filterText; }
    bool isFiltered() const { return !m_filterText.isEmpty(); }
    // Text comparisons of the filter without regard to case (level and player tables, the
    // module filters of MTAddMembers).
    void setFilterCaseInsensitive(bool on);
    bool filterCaseInsensitive() const { return m_filterCaseInsensitive; }

    // ---- master link -----------------------------------------------------------------------
    // This view shows only the rows whose `detailFields` equal `masterFields` of the master's
    // current row ("MemberID", "Screen", "Button;..." with ';'). Moving the master moves this
    // view to its first matching row; an empty or closed master gives no rows. Throws
    // DatasetError when a column is unknown or the lists differ in length.
    void setMasterLink(DataView *master, const QString &detailFields, const QString &masterFields);
    void clearMasterLink();
    DataView *master() const { return m_master; }

    // ---- navigation ------------------------------------------------------------------------
    void first();
    void last();
    void next();
    void prior();
    bool eof() const;
    bool bof() const;
    bool isEmpty() const { return recordCount() == 0; }
    int recordCount() const;
    // 1-based position of the current row among the visible rows; 0 when there is none.
    int recNo() const;
    // Moves to visible row n (clamped to 1..recordCount()).
    void setRecNo(int n);
    // Moves to the first visible row, in the current order, whose column equals the value
    // (partialKey: begins with the text). On failure returns false and stays where it was.
    bool locate(const QString &field, const QVariant &value, LocateOptions options);
    bool locate(const QString &field, const QVariant &value) { return locate(field, value, LocateOptions()); }
    // Store index of the current row, -1 when there is none.
    int currentRow() const;
    // Store indices of all visible rows in the view's order.
    QList<int> visibleRows() const;

    // ---- fields ----------------------------------------------------------------------------
    bool hasField(QStringView name) const;
    // Value of a stored or derived column of the current row (names without regard to case; a
    // derived column wins over a stored one of the same name). Null (invalid) when there is no
    // current row. Throws DatasetError for an unknown column.
    QVariant fieldValue(QStringView name) const;
    QString fieldText(QStringView name) const { return fieldValue(name).toString(); }
    int fieldInt(QStringView name) const { return fieldValue(name).toInt(); }
    bool fieldBool(QStringView name) const { return fieldValue(name).toBool(); }
    bool fieldIsNull(QStringView name) const { return !fieldValue(name).isValid(); }

    // ---- editing ---------------------------------------------------------------------------
    // Starts editing the current row (a copy of it); nothing happens without a current row.
    void edit();
    // Sets a stored column of the row being edited or appended (starting an edit when none is
    // running). Converted to the column type: throws DatasetError when it does not fit, when the
    // column is derived or unknown, or when there is no current row.
    void setFieldValue(QStringView name, const QVariant &value);
    // Stores the edited/appended row: runs the table's store hook, tells the other views, and
    // stays on the row when it is still visible.
    void post();
    void cancel();
    bool isEditing() const { return m_state != State::Browse; }
    // Starts a new (all null) row; post() adds it to the table (a detail view fills its link
    // columns from the master) and makes it current.
    void append();
    // Deletes the current row; the next visible row becomes current.
    void deleteRow();
    // Deletes every row of the table.
    void emptyTable();

private:
    friend class DataTable;
    enum class State
    {
        Browse,
        Edit,
        Insert
    };

    void rowsChanged(const QList<int> &columns);
    void structureChanged(bool reloaded);
    void rowRemoved(int row);
    void masterMoved();
    void tableClosed();
    void resetState();
    void rebindToColumns();
    void ensureBuilt() const;
    void rebuild() const;
    void ensureOrder() const;
    void setCurrentIndex(int index) const;
    void notifyDetails() const;
    bool linkMatches(int row, const QList<QVariant> &masterValues) const;
    bool masterValues(QList<QVariant> &values) const;
    QList<int> masterColumns() const;
    int resolveField(QStringView name) const;
    std::shared_ptr<const BoundFilter> boundFilter(const QString &text);

    QString m_name;
    std::shared_ptr<DataTable> m_table;

    QString m_indexFieldNames;
    QList<int> m_orderColumns;
    bool m_indexCaseInsensitive = false;

    QString m_filterText;
    std::shared_ptr<const BoundFilter> m_filter;
    bool m_filterCaseInsensitive = false;
    QHash<QString, std::shared_ptr<const BoundFilter>> m_filterCache;

    DataView *m_master = nullptr;
    QStringList m_linkNames;
    QStringList m_masterNames;
    QList<int> m_linkColumns;
    QList<DataView *> m_details;

    // Visible rows and the cursor over them; rebuilt lazily when stale.
    mutable QList<int> m_rows;
    mutable bool m_stale = true;
    mutable bool m_goFirst = true;
    mutable int m_current = -1;    // index into m_rows
    mutable int m_currentRow = -1; // store row the cursor stands on
    mutable bool m_eof = true;
    mutable bool m_bof = true;
    // All store rows in the view's order and the rank of each store row in it (when ordered).
    mutable QList<int> m_ordered;
    mutable QList<int> m_identity;
    mutable QList<int> m_orderRank;
    mutable bool m_orderStale = true;

    State m_state = State::Browse;
    DataPacket::Row m_buffer;                // the new row while appending
    QList<std::pair<int, QVariant>> m_edits; // the changed columns while editing
};
