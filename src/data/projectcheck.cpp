#include "data/projectcheck.h"

#include "data/datamodulekvx.h"
#include "data/datatable.h"
#include "data/derivedfields.h"

#include <QHash>
#include <QSet>

using namespace Qt::StringLiterals;

namespace {

using ProjectCheck::Problem;

// Stored values only: the derived columns of the same names are not what the file holds.
QVariant stored(const DataTable &t, int row, QStringView column)
{
    const int index = t.columnIndex(column);
    return index < 0 ? QVariant() : t.value(row, index);
}

QString storedText(const DataTable &t, int row, QStringView column)
{
    return stored(t, row, column).toString();
}

QString fileOf(const DataView &view)
{
    const QString path = view.table()->fileName();
    return path.mid(path.lastIndexOf(u'/') + 1);
}

void checkRange(QList<Problem> &problems, const DataView &view, int row, QStringView column, int low,
                int high, const QString &what)
{
    const QVariant v = stored(*view.table(), row, column);
    if (!v.isValid())
        return;
    const int value = v.toInt();
    if (value < low || value > high)
        problems.append(
            {fileOf(view), row + 1,
             u"%1 %2 %3 lies outside %4..%5"_s.arg(what, column.toString()).arg(value).arg(low).arg(high)});
}

QString rowName(const DataTable &t, int row)
{
    const QString name = storedText(t, row, u"Name");
    return name.isEmpty() ? QString() : u"'%1': "_s.arg(name);
}

} // namespace

namespace ProjectCheck {

bool isIdentifier(const QString &name)
{
    if (name.isEmpty())
        return false;
    for (qsizetype i = 0; i < name.size(); ++i) {
        const QChar c = name.at(i);
        const bool letter = (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || c == u'_';
        const bool digit = c >= u'0' && c <= u'9';
        if (!letter && !(digit && i > 0))
            return false;
    }
    return true;
}

QList<Problem> check(const TDataModuleKVX &dm)
{
    QList<Problem> problems;

    QSet<QString> memberIds;
    if (dm.cdsMembers.isActive()) {
        const DataTable &members = *dm.cdsMembers.table();
        for (int r = 0; r < members.rowCount(); ++r) {
            memberIds.insert(storedText(members, r, u"MemberID"));
            checkRange(problems, dm.cdsMembers, r, u"Group", 0, 15, u"member"_s);
            checkRange(problems, dm.cdsMembers, r, u"Address", 0, 255, u"member"_s);
        }
    }
    if (dm.cdsMTAddMembers.isActive()) {
        const DataTable &add = *dm.cdsMTAddMembers.table();
        for (int r = 0; r < add.rowCount(); ++r) {
            checkRange(problems, dm.cdsMTAddMembers, r, u"Group", 0, 15, u"module"_s);
            checkRange(problems, dm.cdsMTAddMembers, r, u"Address", 0, 255, u"module"_s);
            const QString id = storedText(add, r, u"MemberID");
            if (dm.cdsMembers.isActive() && !memberIds.contains(id))
                problems.append({fileOf(dm.cdsMTAddMembers), r + 1,
                                 u"module %1is not a member (MemberID '%2')"_s.arg(rowName(add, r), id)});
        }
    }
    const bool haveMembers = dm.cdsMembers.isActive();

    // Buttons.
    for (const DataView *view : {&dm.cdsMTBut, &dm.cdsMTSpeedBut, &dm.cdsMTCommBut}) {
        if (!view->isActive())
            continue;
        const DataTable &t = *view->table();
        const bool navigation = view == &dm.cdsMTBut;
        QHash<QString, int> firstRowOf; // screen + name -> first row
        for (int r = 0; r < t.rowCount(); ++r) {
            const QString name = storedText(t, r, u"Name");
            const QString screen = navigation ? storedText(t, r, u"Screen") : QString();
            const QString where = navigation ? u" on screen '%1'"_s.arg(screen) : QString();
            if (name.isEmpty()) {
                problems.append({fileOf(*view), r + 1, u"button without a name"_s + where});
            } else {
                if (!isIdentifier(name))
                    problems.append(
                        {fileOf(*view), r + 1, u"button name '%1' is not a valid identifier"_s.arg(name)});
                const QString key = screen + u'\n' + name;
                if (const auto it = firstRowOf.constFind(key); it != firstRowOf.cend())
                    problems.append(
                        {fileOf(*view), r + 1,
                         u"button name '%1' repeats row %2%3"_s.arg(name).arg(*it + 1).arg(where)});
                else
                    firstRowOf.insert(key, r);
            }
            const QString actionId = storedText(t, r, u"ActionID");
            if (haveMembers && DerivedFields::needsCaptionLookup(actionId) && !memberIds.contains(actionId))
                problems.append(
                    {fileOf(*view), r + 1,
                     u"button %1names member '%2', which does not exist"_s.arg(rowName(t, r), actionId)});
            checkRange(problems, *view, r, u"Dim", 0, 70, u"button %1picture"_s.arg(rowName(t, r)));
            checkRange(problems, *view, r, u"Group", 0, 15, u"button %1"_s.arg(rowName(t, r)).trimmed());
            checkRange(problems, *view, r, u"Address", 0, 255, u"button %1"_s.arg(rowName(t, r)).trimmed());
        }
    }

    // Actions, reactions and clock rows: their target member, or their explicit target's range.
    for (const DataView *view :
         {&dm.cdsMTAct, &dm.cdsMTSpeedAct, &dm.cdsMTCommAct, &dm.cdsMTReact, &dm.cdsRTC}) {
        if (!view->isActive())
            continue;
        const DataTable &t = *view->table();
        for (int r = 0; r < t.rowCount(); ++r) {
            const QString actionId = storedText(t, r, u"ActionID");
            if (DerivedFields::isExplicitTarget(actionId)) {
                checkRange(problems, *view, r, u"DataGr", 0, 15, u"explicit target"_s);
                checkRange(problems, *view, r, u"DataAd", 0, 255, u"explicit target"_s);
            } else if (haveMembers && !actionId.isEmpty() && !memberIds.contains(actionId)) {
                const QString button = storedText(t, r, u"Button");
                const QString owner = button.isEmpty() ? QString() : u" of button '%1'"_s.arg(button);
                problems.append({fileOf(*view), r + 1,
                                 u"action%1 names member '%2', which does not exist"_s.arg(owner, actionId)});
            }
        }
    }

    // Navigation screens: the picture number.
    if (dm.cdsMTNav.isActive()) {
        const DataTable &t = *dm.cdsMTNav.table();
        for (int r = 0; r < t.rowCount(); ++r) {
            const QString image = storedText(t, r, u"Image");
            bool ok = false;
            const int number = image.trimmed().toInt(&ok);
            if (!ok && !image.trimmed().isEmpty())
                problems.append({fileOf(dm.cdsMTNav), r + 1,
                                 u"screen %1picture '%2' is not a number"_s.arg(rowName(t, r), image)});
            else if (number < 0 || number > 70)
                problems.append({fileOf(dm.cdsMTNav), r + 1,
                                 u"screen %1picture %2 lies outside 0..70"_s.arg(rowName(t, r)).arg(number)});
        }
    }
    return problems;
}

} // namespace ProjectCheck
