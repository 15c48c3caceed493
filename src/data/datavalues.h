#pragma once

#include <QString>
#include <QVariant>

// Comparing the values of table cells the way orders, locates and master links compare them.
namespace DataValues {

bool isNumeric(const QVariant &v);
QString textOf(const QVariant &value);
// Order of two column values: null first, numbers by value, everything else as text.
int compareValues(const QVariant &a, const QVariant &b, Qt::CaseSensitivity cs);
// Equal and both not null.
bool sameValue(const QVariant &a, const QVariant &b);

} // namespace DataValues
