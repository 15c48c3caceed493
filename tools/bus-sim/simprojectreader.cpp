#include "simprojectreader.h"

#include "platform/windows1252.h"

#include <QDir>
#include <QFile>
#include <QHash>
#include <QXmlStreamReader>

using namespace Qt::StringLiterals;

namespace {

using Row = QHash<QString, QString>;

int number(const Row &row, const QString &column)
{
    return row.value(column).trimmed().toInt();
}

// The rows of an XML data packet as the writing program saw them: rows whose RowState marks an
// older image or a deletion are left out. Only the few columns the simulator needs are read, by
// the names the rows carry them under.
std::optional<QList<Row>> readRows(const QString &fileName, QString *error)
{
    QFile file(fileName);
    if (!file.exists())
        return QList<Row>{};
    if (!file.open(QIODevice::ReadOnly)) {
        *error = u"%1: %2"_s.arg(fileName, file.errorString());
        return std::nullopt;
    }
    const QByteArray bytes = file.readAll();
    // Without an encoding declaration a packet that is not UTF-8 is in the Windows code page.
    const qsizetype declarationEnd = bytes.indexOf("?>");
    const QByteArray declaration = declarationEnd > 0 ? bytes.left(declarationEnd) : QByteArray();
    QXmlStreamReader xml;
    if (!declaration.contains("encoding") && !Windows1252::isValidUtf8(bytes))
        xml.addData(Windows1252::decode(bytes));
    else
        xml.addData(bytes);

    QList<Row> rows;
    bool sawPacket = false;
    while (!xml.atEnd()) {
        xml.readNext();
        if (!xml.isStartElement())
            continue;
        if (xml.name() == "DATAPACKET"_L1) {
            sawPacket = true;
        } else if (xml.name() == "ROW"_L1) {
            Row row;
            for (const QXmlStreamAttribute &attribute : xml.attributes())
                row.insert(attribute.name().toString(), attribute.value().toString());
            if ((number(row, u"RowState"_s) & 3) == 0)
                rows.append(row);
        }
    }
    if (xml.hasError() || !sawPacket) {
        *error = u"%1: not a data packet%2"_s.arg(fileName, xml.hasError() ? u" (%1)"_s.arg(xml.errorString())
                                                                           : QString());
        return std::nullopt;
    }
    return rows;
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
    for (const QString &table : {u"Members.xml"_s, u"MTAddMembers.xml"_s}) {
        const auto rows = readRows(dir.filePath(table), error);
        if (!rows)
            return std::nullopt;
        for (const Row &row : *rows) {
            SimMember member;
            member.memberId = row.value(u"MemberID"_s);
            member.name = row.value(u"Name"_s);
            member.group = number(row, u"Group"_s);
            member.address = number(row, u"Address"_s);
            member.version = row.value(u"Version"_s);
            // Points outside the telegram's ranges cannot be reached on the bus.
            if (member.group < 0 || member.group > 15 || member.address < 0 || member.address > 255)
                continue;
            project.members.append(member);
        }
    }

    const auto rtc = readRows(dir.filePath(u"RTC.xml"_s), error);
    if (!rtc)
        return std::nullopt;
    for (const Row &row : *rtc) {
        SimClockRow clock;
        clock.memberId = row.value(u"MemberID"_s);
        clock.switchNr = number(row, u"Switch"_s);
        clock.reg = number(row, u"Register"_s);
        clock.actionNr = number(row, u"ActionNr"_s);
        clock.enabled = row.value(u"On_Off"_s).compare(u"TRUE"_s, Qt::CaseInsensitive) == 0;
        clock.flank = number(row, u"Flank"_s);
        clock.minute = number(row, u"Min"_s);
        clock.hour = number(row, u"Hrs"_s);
        clock.dow = number(row, u"Dow"_s);
        clock.day = number(row, u"Day"_s);
        clock.month = number(row, u"Mon"_s);
        project.clockRows.append(clock);
    }
    return project;
}
