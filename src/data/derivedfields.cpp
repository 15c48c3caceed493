#include "data/derivedfields.h"

#include "bus/functionlist.h"

using namespace Qt::StringLiterals;

namespace DerivedFields {

bool isExplicitTarget(const QString &actionId)
{
    return actionId == u"DATAW"_s || actionId == u"MISCW"_s;
}

bool needsTargetLookup(const QString &actionId)
{
    return !actionId.isEmpty() && !isExplicitTarget(actionId);
}

ActionTarget actionTarget(const QString &actionId, const std::optional<MemberRef> &member,
                          std::optional<int> dataAd, std::optional<int> dataGr, const QString &dataName)
{
    if (actionId.isEmpty())
        return {0, 0, QString()};
    if (isExplicitTarget(actionId))
        return {dataAd, dataGr, dataName};
    if (member)
        return {member->address, member->group, member->name};
    return {std::nullopt, std::nullopt, u"Undefined Member"_s};
}

QString functionText(const FunctionList &functions, int function, bool clockTable)
{
    if (function == 0)
        return {};
    if (clockTable && function == 17)
        return u"****"_s;
    const int code = function / 16; // truncates toward zero, as div does
    if (code < 0 || code > 15)
        return {};
    return functions.name(code);
}

bool needsCaptionLookup(const QString &actionId)
{
    return !actionId.isEmpty() && actionId != u"EmptyButton"_s;
}

QString actionCaption(const QString &actionId, const std::optional<MemberRef> &member)
{
    if (!needsCaptionLookup(actionId) || !member)
        return {};
    return member->name;
}

} // namespace DerivedFields
