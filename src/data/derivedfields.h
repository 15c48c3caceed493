#pragma once

#include <QString>

#include <optional>

class FunctionList;

// The values the panel derives from stored columns when a row is read. Pure functions: the member
// lookups they need are done by the caller (MemberLookup) and handed in.
namespace DerivedFields {

// The member an action or button points at, as the lookup found it.
struct MemberRef
{
    int address = 0;
    int group = 0;
    QString name;
};

// Address, group and name of an action's target (Aad, Agr, AName). Address and group are empty
// (nullopt, read as 0) when the member was not found.
struct ActionTarget
{
    std::optional<int> aad;
    std::optional<int> agr;
    QString aName;
};

// True for "DATAW" and "MISCW": the target is given by DataAd, DataGr and DataName.
bool isExplicitTarget(const QString &actionId);

// True when the ActionID needs a member lookup for its target (not empty, not explicit).
bool needsTargetLookup(const QString &actionId);

// The target of an action row: empty ActionID → 0/0/""; found member → its address, group and
// name; not found → "Undefined Member" with empty address and group; "DATAW"/"MISCW" → the row's
// own DataAd/DataGr/DataName whatever the lookup gave.
ActionTarget actionTarget(const QString &actionId, const std::optional<MemberRef> &member,
                          std::optional<int> dataAd, std::optional<int> dataGr, const QString &dataName);

// The text of a stored function value (code × 16): empty for 0 and for values whose code lies
// outside 0..15; "****" for 17 in the clock table.
QString functionText(const FunctionList &functions, int function, bool clockTable);

// True when a button caption needs a lookup: ActionID neither empty nor "EmptyButton".
bool needsCaptionLookup(const QString &actionId);

// The derived caption of a button: the member's name, empty when there is none to look up or
// the lookup found nothing.
QString actionCaption(const QString &actionId, const std::optional<MemberRef> &member);

} // namespace DerivedFields
