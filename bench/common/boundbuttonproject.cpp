#include "boundbuttonproject.h"

#include "data/tabledeclarations.h"
#include "data/tablefiles.h"

#include <QDir>
#include <QList>
#include <QVariantHash>

using namespace Qt::StringLiterals;

namespace BoundButtonProject {

void write(const QString &folder)
{
    auto file = [&](const TableDeclaration &d) { return QDir(folder).filePath(d.fileName); };
    QList<QVariantHash> members, nav, buttons, speed, comm, reactions;
    for (int s = 0; s < 16; ++s) {
        const QString name = u"Scherm%1"_s.arg(s);
        nav.append({{u"Name"_s, name}, {u"Screen"_s, name}, {u"Indexer"_s, s}});
    }
    for (int n = 0; n < ButtonCount; ++n) {
        const QString id = u"M%1"_s.arg(n);
        members.append({{u"MemberID"_s, id},
                        {u"Name"_s, u"Lid %1"_s.arg(n)},
                        {u"Group"_s, n % 16},
                        {u"Address"_s, n / 16},
                        {u"Version"_s, u"REL_8"_s}});
        const QVariantHash b{{u"Name"_s, u"Knop%1"_s.arg(n)},
                             {u"Screen"_s, u"Scherm%1"_s.arg(n % 16)},
                             {u"ButCap"_s, u"Knop %1"_s.arg(n)},
                             {u"Group"_s, n % 16},
                             {u"Address"_s, n / 16},
                             {u"Active"_s, false},
                             {u"Indexer"_s, n},
                             {u"Dim"_s, 1 + n % 70},
                             {u"ActionID"_s, id}};
        (n % 3 == 0 ? buttons : n % 3 == 1 ? speed : comm).append(b);
    }
    for (int n = 0; n < 32; ++n)
        reactions.append(
            {{u"ActionID"_s, u"M%1"_s.arg(n * 7)}, {u"Function"_s, 32}, {u"PCFunct"_s, QString()}});
    TableFiles::write(file(TableDeclarations::members()), TableDeclarations::members(), members);
    TableFiles::write(file(TableDeclarations::mtNav()), TableDeclarations::mtNav(), nav);
    TableFiles::write(file(TableDeclarations::mtBut()), TableDeclarations::mtBut(), buttons);
    TableFiles::write(file(TableDeclarations::mtSpeedBut()), TableDeclarations::mtSpeedBut(), speed);
    TableFiles::write(file(TableDeclarations::mtCommBut()), TableDeclarations::mtCommBut(), comm);
    TableFiles::write(file(TableDeclarations::mtReact()), TableDeclarations::mtReact(), reactions);
}

} // namespace BoundButtonProject
