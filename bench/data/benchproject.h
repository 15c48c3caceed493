#pragma once

#include "data/datapacket.h"

#include <QDir>
#include <QString>

#include <functional>

// Generates large project tables for the benchmarks: realistic columns, deterministic values.
// Reusable: writeTable() writes any table; writeLargeProject() writes the big file set
// (10,000 members, 100 navigation screens with 2,000 buttons, 10,000 actions, 480 clock rows,
// speed and communication buttons with their actions).
namespace BenchProject {

struct ColumnSpec
{
    const char16_t *name;
    ColumnType type;
    int width;
};

QList<DataColumn> columns(std::initializer_list<ColumnSpec> fields);

// Writes `rows` rows; fill(row, column index, column) gives each value (invalid: null).
void writeTable(const QString &path, const QList<DataColumn> &columns, int rows,
                const std::function<QVariant(int row, int column, const DataColumn &)> &fill);

// Writes the big file set into `folder`; returns the file names written, in load order.
QStringList writeLargeProject(const QDir &folder);

} // namespace BenchProject
