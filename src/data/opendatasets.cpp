#include "data/opendatasets.h"

#include "data/dataerror.h"
#include "data/datamodulekvx.h"
#include "data/datatable.h"
#include "data/tablefiles.h"
#include "platform/logging.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

using namespace Qt::StringLiterals;

namespace {

const TableDeclaration &declarationOf(TDataModuleKVX &dm, const DataView &table)
{
    for (const TDataModuleKVX::ProjectTable &t : dm.projectTables()) {
        if (t.dataSet == &table)
            return t.declaration;
    }
    static const TableDeclaration readOut = TableDeclarations::readOut();
    if (table.name() == readOut.tableName)
        return readOut;
    throw DatasetError(u"%1: not a table of the project"_s.arg(table.name()));
}

void createEmptyFile(DataTable &table, const TableDeclaration &declaration, const QString &path)
{
    table.createEmpty(TableFiles::declaredColumns(declaration));
    table.setFileName(path);
    try {
        table.save();
    } catch (const DataError &) {
        table.close(); // nothing was written: the table is not open on a file
        throw;
    }
}

QStringList splitFields(const QString &fields)
{
    return fields.split(u';', Qt::SkipEmptyParts);
}

// Old projects declared Group as a 16-bit column; the table declares it as 32-bit.
const QByteArray kOldGroup = QByteArrayLiteral(R"(<FIELD attrname="Group" fieldtype="i2"/>)");
const QByteArray kNewGroup = QByteArrayLiteral(R"(<FIELD attrname="Group" fieldtype="i4"/>)");

void upgradeGroupDeclaration(const QString &path)
{
    QFile in(path);
    if (!in.open(QIODevice::ReadOnly))
        throw DataFileError(u"%1: cannot read: %2"_s.arg(path, in.errorString()));
    QByteArray bytes = in.readAll();
    if (in.error() != QFileDevice::NoError)
        throw DataFileError(u"%1: cannot read: %2"_s.arg(path, in.errorString()));
    in.close();
    if (!bytes.contains(kOldGroup))
        return; // nothing to upgrade: the file stays as it is
    bytes.replace(kOldGroup, kNewGroup);
    QSaveFile out(path);
    if (!out.open(QIODevice::WriteOnly) || out.write(bytes) != bytes.size() || !out.commit())
        throw DataFileError(u"%1: cannot write: %2"_s.arg(path, out.errorString()));
    qCInfo(lcData) << "upgraded the Group declaration of" << path;
}

} // namespace

void TOpenDataSets::OpenAllTouchXML(TDataModuleKVX &dm)
{
    dm.clearDataSetFailures();
    MembersOpen(dm);
    RTCOpen(dm);
    TSMOpen(dm);
    MTNavOpen(dm);
    MTButOpen(dm);
    MTActOpen(dm);
    MTReactOpen(dm);
    MTSettingsOpen(dm);
    MTAddMembersOpen(dm);
    MTSpeedButOpen(dm);
    MTSpeedActOpen(dm);
    MTCommButOpen(dm);
    MTCommActOpen(dm);
    NuvoPlayersOpen(dm);
    NuvoFavoritesOpen(dm);
}

void TOpenDataSets::SaveAllXML(TDataModuleKVX &dm, bool close)
{
    for (const TDataModuleKVX::ProjectTable &t : dm.projectTables()) {
        if (!t.dataSet->isActive())
            continue;
        SaveADataSet(dm, *t.dataSet);
        if (close)
            CloseADataSet(dm, *t.dataSet);
    }
    if (close && dm.m_readOutOpened)
        ReadOutClose(dm);
}

void TOpenDataSets::OpenADataSet(TDataModuleKVX &dm, DataView &table, const QString &fileName)
{
    const TableDeclaration &declaration = declarationOf(dm, table);
    DataTable &t = *table.table();
    try {
        if (t.isOpen())
            t.close();
        const QString path = dm.projectFile(fileName);
        t.setFileName(path);
        if (!QFileInfo::exists(path))
            createEmptyFile(t, declaration, path);
        t.open(path);
        configure(dm, table);
    } catch (const DatasetError &e) {
        t.close();
        dm.addFailure(table, u"open"_s, e.message());
    }
}

// The order and master link a table carries once it is open.
void TOpenDataSets::configure(TDataModuleKVX &dm, DataView &table)
{
    const TableDeclaration &declaration = declarationOf(dm, table);
    DataTable &t = *table.table();
    // Order on the columns the file has; a file without one of them is walked without it.
    QStringList order;
    for (const QString &field : splitFields(declaration.indexFieldNames)) {
        if (t.hasField(field))
            order.append(field);
        else
            qCWarning(lcData).noquote() << table.name() << "has no column" << field << "to order on";
    }
    table.setIndexCaseInsensitive(declaration.caseInsensitiveIndex);
    table.setIndexFieldNames(order.join(u';'));
    if (!declaration.masterTable.isEmpty()) {
        DataView *master = dm.dataSet(declaration.masterTable);
        table.setMasterLink(master, declaration.detailFields, declaration.masterFields);
    }
    // The view stands on its first row; the order itself is built when the rows are first read.
}

void TOpenDataSets::OpenALocalDataSet(TDataModuleKVX &dm, DataView &table, const QString &fileName)
{
    const TableDeclaration &declaration = declarationOf(dm, table);
    DataTable &t = *table.table();
    if (t.isOpen())
        t.close();
    const QString path = QDir(dm.programFolder()).filePath(fileName);
    t.setFileName(path);
    if (QFileInfo::exists(path) && !QFile::remove(path))
        throw DataFileError(u"%1: cannot delete the old file"_s.arg(path));
    createEmptyFile(t, declaration, path);
    t.open(path);
    table.bind(table.table());
}

void TOpenDataSets::SaveADataSet(TDataModuleKVX &dm, DataView &table)
{
    DataTable &t = *table.table();
    if (!t.isOpen())
        return;
    try {
        if (table.isEditing())
            table.post();
        t.save();
    } catch (const DatasetError &e) {
        dm.addFailure(table, u"save"_s, e.message());
    }
}

void TOpenDataSets::CloseADataSet(TDataModuleKVX &dm, DataView &table)
{
    try {
        if (table.isEditing())
            table.cancel();
        table.table()->close();
    } catch (const DatasetError &e) {
        dm.addFailure(table, u"close"_s, e.message());
    }
}

void TOpenDataSets::CloseALocalDataSet(TDataModuleKVX &dm, DataView &table)
{
    CloseADataSet(dm, table);
    const QString path = table.table()->fileName();
    if (!path.isEmpty() && QFileInfo::exists(path) && !QFile::remove(path))
        throw DataFileError(u"%1: cannot delete"_s.arg(path));
}

void TOpenDataSets::MembersOpen(TDataModuleKVX &dm)
{
    DataView &table = dm.cdsMembers;
    DataTable &t = *table.table();
    const TableDeclaration &declaration = declarationOf(dm, table);
    try {
        if (t.isOpen())
            t.close();
        const QString path = dm.projectFile(u"Members.xml"_s);
        t.setFileName(path);
        if (!QFileInfo::exists(path)) {
            createEmptyFile(t, declaration, path);
            t.close();
        }
        upgradeGroupDeclaration(path);
        t.open(path);
        configure(dm, table);
    } catch (const DatasetError &e) {
        t.close();
        dm.addFailure(table, u"open"_s, e.message());
    }
    // Outside the handling above: without Members the lookups cannot work, and the load stops.
    for (DataView *view : {&dm.cdsLookup1, &dm.cdsIncoming, &dm.cdsMTLookup1})
        view->attach(table.table());
    dm.cdsLookup1.setIndexFieldNames(u"MemberID"_s);
    dm.cdsMTLookup1.setIndexFieldNames(u"MemberID"_s);
}

void TOpenDataSets::RTCOpen(TDataModuleKVX &dm)
{
    OpenADataSet(dm, dm.cdsRTC, u"RTC.xml"_s);
}

void TOpenDataSets::TSMOpen(TDataModuleKVX &dm)
{
    OpenADataSet(dm, dm.cdsTSM, u"TSM.xml"_s);
}

void TOpenDataSets::MTNavOpen(TDataModuleKVX &dm)
{
    OpenADataSet(dm, dm.cdsMTNav, u"MTNav.xml"_s);
}

void TOpenDataSets::MTButOpen(TDataModuleKVX &dm)
{
    OpenADataSet(dm, dm.cdsMTBut, u"MTBut.xml"_s);
    dm.cdsMTButFont.bind(dm.cdsMTBut.table());
}

void TOpenDataSets::MTActOpen(TDataModuleKVX &dm)
{
    OpenADataSet(dm, dm.cdsMTAct, u"MTAct.xml"_s);
}

void TOpenDataSets::MTReactOpen(TDataModuleKVX &dm)
{
    OpenADataSet(dm, dm.cdsMTReact, u"MTReact.xml"_s);
}

void TOpenDataSets::MTSettingsOpen(TDataModuleKVX &dm)
{
    OpenADataSet(dm, dm.cdsMTSettings, u"MTSettings.xml"_s);
}

void TOpenDataSets::MTAddMembersOpen(TDataModuleKVX &dm)
{
    OpenADataSet(dm, dm.cdsMTAddMembers, u"MTAddMembers.xml"_s);
    // The module filters ("version = 'RTC*'") ignore case.
    dm.cdsMTAddMembers.setFilterCaseInsensitive(true);
}

void TOpenDataSets::MTSpeedButOpen(TDataModuleKVX &dm)
{
    OpenADataSet(dm, dm.cdsMTSpeedBut, u"MTSpeedBut.xml"_s);
    dm.cdsMTSpeedButFont.bind(dm.cdsMTSpeedBut.table());
}

void TOpenDataSets::MTSpeedActOpen(TDataModuleKVX &dm)
{
    OpenADataSet(dm, dm.cdsMTSpeedAct, u"MTSpeedAct.xml"_s);
}

void TOpenDataSets::MTCommButOpen(TDataModuleKVX &dm)
{
    OpenADataSet(dm, dm.cdsMTCommBut, u"MTCommBut.xml"_s);
    dm.cdsMTCommButFont.bind(dm.cdsMTCommBut.table());
}

void TOpenDataSets::MTCommActOpen(TDataModuleKVX &dm)
{
    OpenADataSet(dm, dm.cdsMTCommAct, u"MTCommAct.xml"_s);
}

void TOpenDataSets::NuvoPlayersOpen(TDataModuleKVX &dm)
{
    OpenADataSet(dm, dm.cdsNuvoPlayers, u"NuvoPlayers.xml"_s);
    dm.cdsNuvoPlayers.setFilterCaseInsensitive(true);
}

void TOpenDataSets::NuvoFavoritesOpen(TDataModuleKVX &dm)
{
    OpenADataSet(dm, dm.cdsNuvoFavorites, u"NuvoFavorites.xml"_s);
}

void TOpenDataSets::ReadOutOpen(TDataModuleKVX &dm)
{
    OpenALocalDataSet(dm, dm.cdsReadOut, u"ReadOut.xml"_s);
    dm.m_readOutOpened = true;
}

void TOpenDataSets::ReadOutClose(TDataModuleKVX &dm)
{
    CloseALocalDataSet(dm, dm.cdsReadOut);
}
