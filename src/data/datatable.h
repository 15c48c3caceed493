#pragma once

#include "data/datapacket.h"

#include <QHash>
#include <QList>
#include <QString>
#include <QVariant>

#include <array>
#include <functional>
#include <memory>

class DataView;

// One in-memory table: the row store that any number of views (DataView, the cursors) share.
// It holds the columns and rows of one data-packet file, whether it is open, the file it was
// opened from, the derived columns registered on it and the hook that runs when a row is stored.
//
// Rows are addressed by their store index (0-based, in stored order). Views keep their own
// order, filter, master link and current row over these indices.
class DataTable final
{
    Q_DISABLE_COPY_MOVE(DataTable)

public:
    // A derived (calculated) column: computed from the row each time it is read, never stored.
    using DerivedFunction = std::function<QVariant(const DataTable &table, int row)>;
    // Runs when a row is stored (post of an edit or an append), before the views learn of it; it
    // may change values of the row through setValue().
    using StoreHook = std::function<void(DataTable &table, int row)>;

    explicit DataTable(QString name = {});
    ~DataTable();

    // The table's name ("cdsMembers"), used in error messages.
    const QString &name() const { return m_name; }

    // ---- open / load / save / close --------------------------------------------------------
    bool isOpen() const { return m_open; }
    // The file the table was opened from (empty before the first open).
    const QString &fileName() const { return m_fileName; }
    void setFileName(const QString &path) { m_fileName = path; }
    // Loads the file and opens the table. Throws DataFileError when the file cannot be read,
    // DatasetError when its content is wrong; in both cases the table stays closed.
    void open(const QString &path);
    // Opens the table on a packet already in memory (no file).
    void openPacket(DataPacket packet);
    // Creates the table empty with the declared columns and opens it (no file is written).
    void createEmpty(const QList<DataColumn> &columns);
    // Writes the whole table (merged) to the file it was opened from, or to path. Throws
    // DatasetError when the table is closed, DataFileError when the file cannot be written.
    void save();
    void saveAs(const QString &path);
    QByteArray toXml() const;
    // Closes the table: no rows, no columns; views over it show nothing. The file name stays.
    void close();

    // ---- columns ---------------------------------------------------------------------------
    const QList<DataColumn> &columns() const { return m_packet.columns; }
    int columnCount() const { return int(m_packet.columns.size()); }
    // Index of a stored column, names compared without regard to case; -1 when absent.
    int columnIndex(QStringView name) const;
    const QList<std::pair<QString, QString>> &params() const { return m_packet.params; }

    // Derived columns: read by name like stored ones; a derived column wins over a stored column
    // of the same name. They survive close/open. Index -1 - n encodes derived column n in
    // fieldIndex().
    void addDerivedColumn(const QString &name, DerivedFunction function);
    void clearDerivedColumns();
    // Stored or derived: >= 0 stored column, <= -2 derived column (see isDerivedIndex), -1 none.
    int fieldIndex(QStringView name) const;
    static bool isDerivedIndex(int index) { return index <= -2; }
    bool hasField(QStringView name) const { return fieldIndex(name) != -1; }

    void setStoreHook(StoreHook hook) { m_storeHook = std::move(hook); }

    // ---- rows ------------------------------------------------------------------------------
    int rowCount() const { return int(m_packet.rows.size()); }
    // Value of a stored or derived column (fieldIndex()) of store row `row`; invalid (null) when
    // out of range.
    QVariant value(int row, int field) const;
    QVariant value(int row, QStringView name) const { return value(row, fieldIndex(name)); }
    // Writes a stored column of a store row directly (converted to the column type; throws
    // DatasetError when it does not fit) and tells the views. Writing a derived column throws.
    void setValue(int row, int column, const QVariant &value);
    // Appends an empty (all null) row; returns its store index.
    int appendRow();
    void removeRow(int row);
    // Deletes every row.
    void emptyTable();

    // ---- for views and the engine ----------------------------------------------------------
    const DataPacket::Row &rowValues(int row) const { return m_packet.rows.at(row); }
    // Stores a complete row image (post of an edit/append) and runs the store hook.
    void storeRow(int row, DataPacket::Row values);
    // Stores changed columns of a row (post of an edit) and runs the store hook.
    void storeValues(int row, const QList<std::pair<int, QVariant>> &values);
    // Version counters: structure (rows added/removed/reloaded) and per column (any value
    // written). Views and indexes compare them to know whether their cached state is stale.
    quint64 structureVersion() const { return m_structureVersion; }
    quint64 columnVersion(int column) const;
    // Store rows whose integer/boolean columns equal the key, in stored order. Backed by a hash
    // index built on first use and kept until one of the columns or the rows change.
    const QList<int> &equalRows(const QList<int> &columns, const QList<qint64> &key) const;

private:
    friend class DataView;
    void registerView(DataView *view);
    void unregisterView(DataView *view);
    void touchColumns(const QList<int> &columns);
    void touchStructure(bool reload = false);

    struct EqualityIndex;

    QString m_name;
    QString m_fileName;
    bool m_open = false;
    DataPacket m_packet;
    QHash<QString, int> m_columnByName; // case-folded name -> stored column
    QList<QString> m_derivedNames;
    QList<DerivedFunction> m_derivedFunctions;
    QHash<QString, int> m_derivedByName; // case-folded name -> derived column
    StoreHook m_storeHook;
    QList<DataView *> m_views;
    quint64 m_structureVersion = 1;
    QList<quint64> m_columnVersions;
    // The last names looked up, so that reading and writing the same columns row after row does
    // not fold and hash their names each time.
    struct NameCacheEntry
    {
        QString name;
        int index = -1;
    };
    mutable std::array<NameCacheEntry, 8> m_nameCache;
    mutable int m_nameCacheNext = 0;
    mutable QList<std::shared_ptr<EqualityIndex>> m_equalityIndexes;
};
