#include "simprojectreader.h"

#include "data/dataerror.h"
#include "data/datatable.h"

#include <QDir>
#include <QFileInfo>

#include <memory>

using namespace Qt::StringLiterals;

namespace {

// Reads one table of the project with the panel's own engine (change log folded in, Windows-1252
// files without a declaration, every writer's variant). A missing file is an empty table.
std::optional<std::unique_ptr<DataTable>> openTable(const QString &fileName, QString *error)
{
    auto table = std::make_unique<DataTable>(QFileInfo(fileName).completeBaseName());
    if (!QFileInfo::exists(fileName))
        return table;
    try {
        table->open(fileName);
    } catch (const DataError &failure) {
        *error = u"%1: %2"_s.arg(fileName, failure.message());
        return std::nullopt;
    }
    return table;
}

int number(const DataTable &table, int row, QStringView column)
{
    return table.value(row, column).toInt();
}

QString text(const DataTable &table, int row, QStringView column)
{
    return table.value(row, column).toString();
}

} // namespace

std::optional<SimProject> SimProjectReader::read(const QString &folder, QString *error)
{
    QString ignored;
    if (!error)
        error = &ignored;
    const QDir dir(folder);
    if (!dir.exists()) {
        *error = u"no project folder %1"_s.arg(folder);
        return std::nullopt;
    }

    SimProject project;
    for (const QString &name : {u"Members.xml"_s, u"MTAddMembers.xml"_s}) {
        const auto table = openTable(dir.filePath(name), error);
        if (!table)
            return std::nullopt;
        const DataTable &members = **table;
        for (int row = 0; row < members.rowCount(); ++row) {
            SimMember member;
            member.memberId = text(members, row, u"MemberID");
            member.name = text(members, row, u"Name");
            member.group = number(members, row, u"Group");
            member.address = number(members, row, u"Address");
            member.version = text(members, row, u"Version");
            // Points outside the telegram's ranges cannot be reached on the bus.
            if (member.group < 0 || member.group > 15 || member.address < 0 || member.address > 255)
                continue;
            project.members.append(member);
        }
    }

    const auto rtcTable = openTable(dir.filePath(u"RTC.xml"_s), error);
    if (!rtcTable)
        return std::nullopt;
    const DataTable &rtc = **rtcTable;
    for (int row = 0; row < rtc.rowCount(); ++row) {
        SimClockRow clock;
        clock.memberId = text(rtc, row, u"MemberID");
        clock.switchNr = number(rtc, row, u"Switch");
        clock.reg = number(rtc, row, u"Register");
        clock.actionNr = number(rtc, row, u"ActionNr");
        clock.enabled = rtc.value(row, u"On_Off").toBool();
        clock.flank = number(rtc, row, u"Flank");
        clock.minute = number(rtc, row, u"Min");
        clock.hour = number(rtc, row, u"Hrs");
        clock.dow = number(rtc, row, u"Dow");
        clock.day = number(rtc, row, u"Day");
        clock.month = number(rtc, row, u"Mon");
        project.clockRows.append(clock);
    }
    return project;
}
