#include "app/clockline.h"

#include "bus/busmonitorlog.h"

using namespace Qt::StringLiterals;

namespace ClockLine {

QString dutchWeekday(const QDate &date)
{
    static const char16_t *const names[] = {u"Maandag", u"Dinsdag",  u"Woensdag", u"Donderdag",
                                            u"Vrijdag", u"Zaterdag", u"Zondag"};
    const int day = date.dayOfWeek(); // 1 = Monday .. 7 = Sunday
    if (day < 1 || day > 7)
        return {};
    return QString::fromUtf16(names[day - 1]);
}

QString text(const QDateTime &moment, const QLocale &locale)
{
    return dutchWeekday(moment.date()) + u", "_s + locale.toString(moment.date(), QLocale::ShortFormat) +
           u" - "_s + locale.toString(moment.time(), BusMonitorLog::longTimeFormat(locale));
}

} // namespace ClockLine
