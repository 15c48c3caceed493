#pragma once

#include <QList>
#include <QString>
#include <QVariantHash>

// The demo project: the Peeters family's house, as the configuration tool would have described it.
// Each table is a list of rows; a row names the columns it fills (the others stay empty).
struct DemoTable
{
    QString tableName; // "cdsMembers"
    QList<QVariantHash> rows;
};

namespace DemoHouse {

QList<DemoTable> tables();
// The text of ProjSett.ini.
QByteArray projectSettings();

} // namespace DemoHouse
