#pragma once

#include <QList>
#include <QString>

// The tables the panel knows, as plain data: the columns with which a missing file is created, the
// order each table is walked in and the master it hangs under. A table loaded from a file takes its
// columns from that file; these declarations only describe a fresh file.
struct ColumnDeclaration
{
    QString name;
    QString type;  // the data packet's fieldtype: "string", "i4", "i2" or "boolean"
    int width = 0; // characters, for "string" columns
};

struct TableDeclaration
{
    QString tableName; // "cdsMembers"
    QString fileName;  // "Members.xml"
    QList<ColumnDeclaration> columns;
    QString indexFieldNames; // the table's order, fields separated by ';' (empty: file order)
    bool caseInsensitiveIndex = false;
    QString masterTable;  // the table this one is a detail of ("" for none)
    QString masterFields; // link fields of the master, ';'-separated
    QString detailFields; // the matching fields of this table
};

namespace TableDeclarations {

// The project file set in the order it is loaded and saved: masters before their details.
const QList<TableDeclaration> &projectFileSet();

TableDeclaration members();
TableDeclaration rtc();
TableDeclaration tsm();
TableDeclaration mtNav();
TableDeclaration mtBut();
TableDeclaration mtAct();
TableDeclaration mtReact();
TableDeclaration mtSettings();
TableDeclaration mtAddMembers();
TableDeclaration mtSpeedBut();
TableDeclaration mtSpeedAct();
TableDeclaration mtCommBut();
TableDeclaration mtCommAct();
TableDeclaration nuvoPlayers();
TableDeclaration nuvoFavorites();

// The scratch table beside the program.
TableDeclaration readOut();
// The player browse levels beside the program ("TopLevel.xml", "Niv1.xml" .. "Niv10.xml"): one
// layout, ordered by Counter, compared without regard to case.
TableDeclaration playerLevel(const QString &tableName, const QString &fileName);

// The declaration of a project table by its table name ("cdsRTC"), or nullptr.
const TableDeclaration *find(const QString &tableName);

} // namespace TableDeclarations
