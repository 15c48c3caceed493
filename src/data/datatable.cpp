#include "data/datatable.h"

#include "data/dataerror.h"
#include "data/dataview.h"

#include <limits>

using namespace Qt::StringLiterals;

struct DataTable::EqualityIndex
{
    QList<int> columns;
    quint64 structureVersion = 0;
    QList<quint64> columnVersions;
    QHash<QList<qint64>, QList<int>> buckets;
};

namespace {

constexpr qint64 kNullKey = std::numeric_limits<qint64>::min();

QString foldName(QStringView name)
{
    return name.toString().toCaseFolded();
}

qint64 keyOf(const QVariant &value)
{
    if (!value.isValid())
        return kNullKey;
    if (value.typeId() == QMetaType::Bool)
        return value.toBool() ? 1 : 0;
    if (value.typeId() == QMetaType::Int)
        return value.toInt();
    bool ok = false;
    const qint64 number = value.toLongLong(&ok);
    return ok ? number : kNullKey;
}

const QList<int> kNoRows;

} // namespace

DataTable::DataTable(QString name) : m_name(std::move(name)) {}

DataTable::~DataTable()
{
    const auto views = m_views;
    for (DataView *view : views)
        view->tableClosed();
}

void DataTable::open(const QString &path)
{
    if (m_open)
        close();
    m_fileName = path;
    openPacket(DataPacket::readFile(path));
}

void DataTable::openPacket(DataPacket packet)
{
    if (m_open)
        close();
    m_packet = std::move(packet);
    for (DataPacket::Row &row : m_packet.rows)
        row.resize(m_packet.columns.size());
    m_columnByName.clear();
    for (int c = 0; c < int(m_packet.columns.size()); ++c) {
        const QString key = foldName(m_packet.columns[c].name);
        if (!m_columnByName.contains(key))
            m_columnByName.insert(key, c);
    }
    m_columnVersions = QList<quint64>(m_packet.columns.size(), 1);
    m_equalityIndexes.clear();
    m_open = true;
    touchStructure(true);
}

void DataTable::createEmpty(const QList<DataColumn> &columns)
{
    openPacket(DataPacket::withColumns(columns));
}

void DataTable::save()
{
    saveAs(m_fileName);
}

void DataTable::saveAs(const QString &path)
{
    if (!m_open)
        throw DatasetError(u"%1: cannot save a closed table"_s.arg(m_name));
    m_packet.writeFile(path);
}

QByteArray DataTable::toXml() const
{
    return m_packet.toXml();
}

void DataTable::close()
{
    if (!m_open)
        return;
    m_open = false;
    m_packet = DataPacket();
    m_columnByName.clear();
    m_columnVersions.clear();
    m_equalityIndexes.clear();
    touchStructure(true);
}

int DataTable::columnIndex(QStringView name) const
{
    return m_columnByName.value(foldName(name), -1);
}

void DataTable::addDerivedColumn(const QString &name, DerivedFunction function)
{
    const QString key = foldName(name);
    if (const auto it = m_derivedByName.constFind(key); it != m_derivedByName.cend()) {
        m_derivedFunctions[*it] = std::move(function);
    } else {
        m_derivedByName.insert(key, int(m_derivedNames.size()));
        m_derivedNames.append(name);
        m_derivedFunctions.append(std::move(function));
    }
    touchStructure(true);
}

void DataTable::clearDerivedColumns()
{
    m_derivedNames.clear();
    m_derivedFunctions.clear();
    m_derivedByName.clear();
    touchStructure(true);
}

int DataTable::fieldIndex(QStringView name) const
{
    for (const NameCacheEntry &entry : m_nameCache) {
        if (!entry.name.isNull() && entry.name.size() == name.size() && entry.name == name)
            return entry.index;
    }
    const QString key = foldName(name);
    int index = m_columnByName.value(key, -1);
    if (const auto it = m_derivedByName.constFind(key); it != m_derivedByName.cend())
        index = -2 - *it;
    m_nameCache[m_nameCacheNext] = {name.toString(), index};
    m_nameCacheNext = (m_nameCacheNext + 1) % int(m_nameCache.size());
    return index;
}

QVariant DataTable::value(int row, int field) const
{
    if (!m_open || row < 0 || row >= rowCount())
        return {};
    if (field >= 0)
        return field < columnCount() ? m_packet.rows[row][field] : QVariant();
    const int derived = -2 - field;
    if (derived < 0 || derived >= int(m_derivedFunctions.size()))
        return {};
    return m_derivedFunctions[derived](*this, row);
}

quint64 DataTable::columnVersion(int column) const
{
    return column >= 0 && column < int(m_columnVersions.size()) ? m_columnVersions[column]
                                                                : m_structureVersion;
}

void DataTable::setValue(int row, int column, const QVariant &value)
{
    if (!m_open)
        throw DatasetError(u"%1: the table is closed"_s.arg(m_name));
    if (column < 0 || column >= columnCount())
        throw DatasetError(u"%1: cannot write this column (unknown or derived)"_s.arg(m_name));
    if (row < 0 || row >= rowCount())
        throw DatasetError(u"%1: no such row"_s.arg(m_name));
    QVariant converted = DataPacket::convertValue(m_packet.columns[column], value);
    QVariant &cell = m_packet.rows[row][column];
    if (cell.isValid() == converted.isValid() && cell == converted)
        return;
    cell = std::move(converted);
    touchColumns({column});
}

int DataTable::appendRow()
{
    if (!m_open)
        throw DatasetError(u"%1: the table is closed"_s.arg(m_name));
    m_packet.rows.append(DataPacket::Row(columnCount()));
    touchStructure();
    return rowCount() - 1;
}

void DataTable::removeRow(int row)
{
    if (!m_open || row < 0 || row >= rowCount())
        return;
    m_packet.rows.removeAt(row);
    ++m_structureVersion;
    const auto views = m_views;
    for (DataView *view : views)
        view->rowRemoved(row);
}

void DataTable::emptyTable()
{
    if (!m_open)
        return;
    m_packet.rows.clear();
    touchStructure(true);
}

void DataTable::storeRow(int row, DataPacket::Row values)
{
    if (!m_open || row < 0 || row >= rowCount())
        throw DatasetError(u"%1: no such row"_s.arg(m_name));
    values.resize(columnCount());
    QList<int> changed;
    DataPacket::Row &stored = m_packet.rows[row];
    for (int c = 0; c < columnCount(); ++c) {
        if (stored[c].isValid() != values[c].isValid() || stored[c] != values[c]) {
            stored[c] = std::move(values[c]);
            changed.append(c);
        }
    }
    if (!changed.isEmpty())
        touchColumns(changed);
    if (m_storeHook)
        m_storeHook(*this, row);
}

void DataTable::storeValues(int row, const QList<std::pair<int, QVariant>> &values)
{
    if (!m_open || row < 0 || row >= rowCount())
        throw DatasetError(u"%1: no such row"_s.arg(m_name));
    QList<int> changed;
    DataPacket::Row &stored = m_packet.rows[row];
    for (const auto &[column, value] : values) {
        if (column < 0 || column >= columnCount())
            continue;
        QVariant &cell = stored[column];
        if (cell.isValid() != value.isValid() || cell != value) {
            cell = value;
            if (!changed.contains(column))
                changed.append(column);
        }
    }
    if (!changed.isEmpty())
        touchColumns(changed);
    if (m_storeHook)
        m_storeHook(*this, row);
}

const QList<int> &DataTable::equalRows(const QList<int> &columns, const QList<qint64> &key) const
{
    std::shared_ptr<EqualityIndex> index;
    for (const auto &candidate : m_equalityIndexes) {
        if (candidate->columns == columns) {
            index = candidate;
            break;
        }
    }
    bool fresh = index && index->structureVersion == m_structureVersion;
    if (fresh) {
        for (qsizetype i = 0; i < columns.size(); ++i)
            fresh = fresh && index->columnVersions[i] == columnVersion(columns[i]);
    }
    if (!fresh) {
        if (!index) {
            index = std::make_shared<EqualityIndex>();
            index->columns = columns;
            m_equalityIndexes.append(index);
        }
        index->buckets.clear();
        index->structureVersion = m_structureVersion;
        index->columnVersions.clear();
        for (int c : columns)
            index->columnVersions.append(columnVersion(c));
        QList<qint64> rowKey(columns.size());
        for (int r = 0; r < rowCount(); ++r) {
            const DataPacket::Row &values = m_packet.rows[r];
            for (qsizetype i = 0; i < columns.size(); ++i)
                rowKey[i] = keyOf(values[columns[i]]);
            index->buckets[rowKey].append(r);
        }
    }
    const auto it = index->buckets.constFind(key);
    return it == index->buckets.cend() ? kNoRows : *it;
}

void DataTable::registerView(DataView *view)
{
    if (!m_views.contains(view))
        m_views.append(view);
}

void DataTable::unregisterView(DataView *view)
{
    m_views.removeAll(view);
}

void DataTable::touchColumns(const QList<int> &columns)
{
    for (int c : columns) {
        if (c >= 0 && c < int(m_columnVersions.size()))
            ++m_columnVersions[c];
    }
    const auto views = m_views;
    for (DataView *view : views)
        view->rowsChanged(columns);
}

void DataTable::touchStructure(bool reload)
{
    if (reload)
        m_nameCache = {};
    ++m_structureVersion;
    const auto views = m_views;
    for (DataView *view : views)
        view->structureChanged(reload);
}
