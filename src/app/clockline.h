#pragma once

#include <QDateTime>
#include <QLocale>
#include <QString>

// The clock line of the screens: the Dutch weekday, ", ", the date in the system's short date
// format, " - ", the time in its long time format (without a time zone).
namespace ClockLine {

QString dutchWeekday(const QDate &date);
QString text(const QDateTime &moment, const QLocale &locale = QLocale::system());

} // namespace ClockLine
