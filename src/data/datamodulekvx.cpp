#include "data/datamodulekvx.h"

#include "data/dataerror.h"
#include "data/datatable.h"
#include "platform/inifile.h"
#include "platform/logging.h"
#include "platform/programfolder.h"

#include <QDir>
#include <QFileInfo>

using namespace Qt::StringLiterals;

namespace {

using DerivedFields::MemberRef;

QString text(const DataTable &table, int row, QStringView column)
{
    return table.value(row, column).toString();
}

std::optional<int> number(const DataTable &table, int row, QStringView column)
{
    const QVariant v = table.value(row, column);
    if (!v.isValid())
        return std::nullopt;
    return v.toInt();
}

QVariant optionalInt(const std::optional<int> &value)
{
    return value ? QVariant(*value) : QVariant();
}

} // namespace

TDataModuleKVX::TDataModuleKVX(QObject *parent) : TDataModuleKVX(ProgramFolder::path(), parent) {}

TDataModuleKVX::TDataModuleKVX(const QString &programFolder, QObject *parent)
    : QObject(parent), m_programFolder(programFolder),
      m_functionList(QDir(programFolder).filePath(u"Functions.ini"_s))
{
    setUp();
}

TDataModuleKVX::~TDataModuleKVX()
{
    // Views go before the tables they look at: detach them while every table still exists.
    for (DataView *view :
         {&cdsLookup1, &cdsIncoming, &cdsMTLookup1, &cdsMTButFont, &cdsMTSpeedButFont, &cdsMTCommButFont})
        view->detach();
    for (const ProjectTable &t : std::as_const(m_projectTables))
        t.dataSet->clearMasterLink();
}

void TDataModuleKVX::setUp()
{
    DataView *const sets[] = {&cdsMembers,      &cdsRTC,         &cdsTSM,          &cdsMTNav,
                              &cdsMTBut,        &cdsMTAct,       &cdsMTReact,      &cdsMTSettings,
                              &cdsMTAddMembers, &cdsMTSpeedBut,  &cdsMTSpeedAct,   &cdsMTCommBut,
                              &cdsMTCommAct,    &cdsNuvoPlayers, &cdsNuvoFavorites};
    const QList<TableDeclaration> &declarations = TableDeclarations::projectFileSet();
    for (qsizetype i = 0; i < declarations.size(); ++i) {
        DataView *view = sets[i];
        Q_ASSERT(view->name() == declarations[i].tableName);
        view->bind(std::make_shared<DataTable>(declarations[i].tableName));
        m_projectTables.append({declarations[i], view});
    }
    cdsReadOut.bind(std::make_shared<DataTable>(u"cdsReadOut"_s));
    registerDerivedColumns();
}

void TDataModuleKVX::registerDerivedColumns()
{
    // Target of an action row, through the given lookup view.
    auto addTarget = [this](DataView &table, DataView &lookup) {
        auto target = [this, &lookup](const DataTable &t, int row) {
            const QString actionId = text(t, row, u"ActionID");
            std::optional<MemberRef> member;
            if (DerivedFields::needsTargetLookup(actionId))
                member = lookupMember(lookup, actionId);
            return DerivedFields::actionTarget(actionId, member, number(t, row, u"DataAd"),
                                               number(t, row, u"DataGr"), text(t, row, u"DataName"));
        };
        DataTable &t = *table.table();
        t.addDerivedColumn(u"Aad"_s,
                           [target](const DataTable &t, int row) { return optionalInt(target(t, row).aad); });
        t.addDerivedColumn(u"Agr"_s,
                           [target](const DataTable &t, int row) { return optionalInt(target(t, row).agr); });
        t.addDerivedColumn(u"AName"_s,
                           [target](const DataTable &t, int row) { return QVariant(target(t, row).aName); });
    };
    auto addFunctionText = [this](DataView &table, const QString &name, bool clockTable) {
        table.table()->addDerivedColumn(name, [this, clockTable](const DataTable &t, int row) {
            return QVariant(
                DerivedFields::functionText(m_functionList, t.value(row, u"Function").toInt(), clockTable));
        });
    };
    auto addCaption = [this](DataView &table) {
        table.table()->addDerivedColumn(u"ActionCapt"_s, [this](const DataTable &t, int row) {
            const QString actionId = text(t, row, u"ActionID");
            std::optional<MemberRef> member;
            if (DerivedFields::needsCaptionLookup(actionId))
                member = lookupMember(cdsMTLookup1, actionId);
            return QVariant(DerivedFields::actionCaption(actionId, member));
        });
    };

    // Module tables look members up through cdsLookup1.
    addTarget(cdsRTC, cdsLookup1);
    addFunctionText(cdsRTC, u"Afct"_s, true);
    addTarget(cdsTSM, cdsLookup1);
    addFunctionText(cdsTSM, u"Afct"_s, false);
    // Button actions: the navigation screens' through cdsMTLookup1, the main screen's through
    // cdsLookup1.
    addTarget(cdsMTAct, cdsMTLookup1);
    addTarget(cdsMTSpeedAct, cdsLookup1);
    addTarget(cdsMTCommAct, cdsLookup1);
    addFunctionText(cdsMTReact, u"AFct"_s, false);
    addCaption(cdsMTBut);
    addCaption(cdsMTSpeedBut);
    addCaption(cdsMTCommBut);

    // A clock row gets its identifier when it is stored, from the group and address of the clock
    // module that cdsMembers stands on.
    cdsRTC.table()->setStoreHook([this](DataTable &t, int row) {
        const int column = t.columnIndex(u"RTCModuleID");
        if (column < 0)
            return;
        int group = 0;
        int address = 0;
        const int member = cdsMembers.isActive() ? cdsMembers.currentRow() : -1;
        if (member >= 0) {
            const DataTable &members = *cdsMembers.table();
            group = members.value(member, u"Group").toInt();
            address = members.value(member, u"Address").toInt();
        }
        const int id = t.value(row, u"Switch").toInt() * 5 + t.value(row, u"Register").toInt() + group * 100 +
                       address - 4;
        t.setValue(row, column, id);
    });
}

void TDataModuleKVX::setProjDir(const QString &dir)
{
    m_projDir = dir;
    if (!m_projDir.isEmpty() && !m_projDir.endsWith(u'/'))
        m_projDir.append(u'/');
}

bool TDataModuleKVX::hasProject() const
{
    return !m_projDir.isEmpty() && QFileInfo(m_projDir).isDir();
}

QString TDataModuleKVX::projectFile(const QString &fileName) const
{
    const QString exact = m_projDir + fileName;
    if (QFileInfo::exists(exact) || m_projDir.isEmpty())
        return exact;
    // Project folders come from Windows, where file names ignore case.
    const QStringList entries = QDir(m_projDir).entryList(QDir::Files | QDir::Hidden | QDir::System);
    for (const QString &entry : entries) {
        if (entry.compare(fileName, Qt::CaseInsensitive) == 0)
            return m_projDir + entry;
    }
    return exact;
}

QStringList TDataModuleKVX::comfortCaptions() const
{
    const IniFile ini(projectFile(u"ProjSett.ini"_s));
    const QStringList defaults{u"Nacht"_s, u"Dag"_s, u"Standby"_s, u"Afwezig"_s};
    QStringList captions;
    for (int n = 1; n <= 4; ++n)
        captions.append(ini.readString(u"Comforts"_s, u"Comfort%1"_s.arg(n), defaults.at(n - 1)));
    return captions;
}

DataView *TDataModuleKVX::dataSet(const QString &tableName)
{
    for (const ProjectTable &t : std::as_const(m_projectTables)) {
        if (t.dataSet->name() == tableName)
            return t.dataSet;
    }
    return tableName == cdsReadOut.name() ? &cdsReadOut : nullptr;
}

std::optional<DerivedFields::MemberRef> TDataModuleKVX::lookupMember(DataView &view, const QString &memberId)
{
    if (!view.isActive())
        return std::nullopt;
    try {
        if (view.indexFieldNames() != u"MemberID"_s)
            view.setIndexFieldNames(u"MemberID"_s);
        DataView::LocateOptions options;
        options.partialKey = true;
        if (!view.locate(u"MemberID"_s, memberId, options))
            return std::nullopt;
        return MemberRef{view.fieldInt(u"Address"), view.fieldInt(u"Group"), view.fieldText(u"Name")};
    } catch (const DataError &e) {
        // A Members file without the columns a lookup needs: nothing is found.
        qCWarning(lcData) << "member lookup in" << view.name() << "failed:" << e.message();
        return std::nullopt;
    }
}

int TDataModuleKVX::SetButtonStates(int address, int group, bool active)
{
    int matched = 0;
    for (const DataView *view : {&cdsMTBut, &cdsMTSpeedBut, &cdsMTCommBut}) {
        if (!view->isActive())
            continue;
        DataTable &t = *view->table();
        const int addressColumn = t.columnIndex(u"Address");
        const int groupColumn = t.columnIndex(u"Group");
        const int activeColumn = t.columnIndex(u"Active");
        if (addressColumn < 0 || groupColumn < 0 || activeColumn < 0)
            continue;
        // A copy: writing Active leaves the Address/Group index valid, but the list is the index's.
        const QList<int> rows = t.equalRows({addressColumn, groupColumn}, {address, group});
        for (int row : rows)
            t.setValue(row, activeColumn, active);
        matched += int(rows.size());
    }
    return matched;
}

QString TDataModuleKVX::failureOf(const QString &tableName) const
{
    for (const DataSetFailure &f : m_failures) {
        if (f.tableName == tableName && f.operation == u"open"_s)
            return f.message;
    }
    return {};
}

void TDataModuleKVX::addFailure(const DataView &table, const QString &operation, const QString &message)
{
    const QString file = table.table() ? table.table()->fileName() : QString();
    qCWarning(lcData).noquote() << table.name() << operation << "failed:" << message;
    m_failures.append({table.name(), file, operation, message});
}
