#include "data/datavalues.h"

namespace DataValues {

bool isNumeric(const QVariant &v)
{
    const int id = v.typeId();
    return id == QMetaType::Int || id == QMetaType::Bool || id == QMetaType::LongLong ||
           id == QMetaType::Double;
}

QString textOf(const QVariant &value)
{
    if (value.typeId() == QMetaType::QString)
        return *static_cast<const QString *>(value.constData());
    return value.toString();
}

int compareValues(const QVariant &a, const QVariant &b, Qt::CaseSensitivity cs)
{
    if (!a.isValid() || !b.isValid())
        return int(a.isValid()) - int(b.isValid());
    if (isNumeric(a) && isNumeric(b)) {
        const double x = a.toDouble();
        const double y = b.toDouble();
        return x < y ? -1 : (x > y ? 1 : 0);
    }
    return QString::compare(textOf(a), textOf(b), cs);
}

bool sameValue(const QVariant &a, const QVariant &b)
{
    if (!a.isValid() || !b.isValid())
        return false;
    return compareValues(a, b, Qt::CaseSensitive) == 0;
}

} // namespace DataValues
