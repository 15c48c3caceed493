#include "simproject.h"

using namespace Qt::StringLiterals;

SimMember::Kind SimMember::kind() const
{
    const QString word = version.left(3);
    if (word.compare(u"TSM"_s, Qt::CaseInsensitive) == 0)
        return Kind::Thermostat;
    if (word.compare(u"DMX"_s, Qt::CaseInsensitive) == 0)
        return Kind::Rgb;
    if (word.compare(u"RTC"_s, Qt::CaseInsensitive) == 0)
        return Kind::Clock;
    return Kind::Ordinary;
}
