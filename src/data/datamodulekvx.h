#pragma once

#include "bus/functionlist.h"
#include "data/dataview.h"
#include "data/derivedfields.h"
#include "data/tabledeclarations.h"

#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>

#include <memory>
#include <optional>

// The central data module: owns every project table and its views for the whole run, the function
// list and the project folder. One instance is made at start and handed by reference to whoever
// needs the tables; a project switch reloads the tables in place (TOpenDataSets).
//
// Every table and view is a public DataView named as the panel names it. A table's own cursor
// (cdsMembers, cdsMTBut, ...) carries the table's order and master link once the table is open;
// the lookup views of Members and the state views of the button tables are further cursors over
// the same rows. Derived columns (Aad, Agr, AName, AFct/Afct, ActionCapt) and the RTCModuleID
// store rule are registered once here and read like stored columns.
class TDataModuleKVX final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TDataModuleKVX)

public:
    // The function list is built from Functions.ini in the program's folder before anything else.
    explicit TDataModuleKVX(QObject *parent = nullptr);
    // The same with another program folder (ReadOut.xml and Functions.ini live there).
    explicit TDataModuleKVX(const QString &programFolder, QObject *parent = nullptr);
    ~TDataModuleKVX() override;

    const ::FunctionList &functionList() const { return m_functionList; }
    const QString &programFolder() const { return m_programFolder; }

    // The project folder, always ending in a separator when not empty ("…/Huis/").
    const QString &ProjDir() const { return m_projDir; }
    void setProjDir(const QString &dir);
    // ProjDir names an existing folder.
    bool hasProject() const;
    // Path of a project file; an existing file whose name differs only in case is found too.
    QString projectFile(const QString &fileName) const;

    // The four comfort captions from ProjSett.ini (section Comforts, Comfort1..Comfort4), with
    // "Nacht", "Dag", "Standby", "Afwezig" for a missing file or key. Read afresh on every call.
    QStringList comfortCaptions() const;

    // ---- the project tables, in the order of the file set --------------------------------------
    DataView cdsMembers{QStringLiteral("cdsMembers")};
    DataView cdsRTC{QStringLiteral("cdsRTC")};
    DataView cdsTSM{QStringLiteral("cdsTSM")};
    DataView cdsMTNav{QStringLiteral("cdsMTNav")};
    DataView cdsMTBut{QStringLiteral("cdsMTBut")};
    DataView cdsMTAct{QStringLiteral("cdsMTAct")};
    DataView cdsMTReact{QStringLiteral("cdsMTReact")};
    DataView cdsMTSettings{QStringLiteral("cdsMTSettings")};
    DataView cdsMTAddMembers{QStringLiteral("cdsMTAddMembers")};
    DataView cdsMTSpeedBut{QStringLiteral("cdsMTSpeedBut")};
    DataView cdsMTSpeedAct{QStringLiteral("cdsMTSpeedAct")};
    DataView cdsMTCommBut{QStringLiteral("cdsMTCommBut")};
    DataView cdsMTCommAct{QStringLiteral("cdsMTCommAct")};
    DataView cdsNuvoPlayers{QStringLiteral("cdsNuvoPlayers")};
    DataView cdsNuvoFavorites{QStringLiteral("cdsNuvoFavorites")};

    // ---- views -----------------------------------------------------------------------------
    // Over Members: member lookups for the derived columns, and the sender of incoming telegrams.
    DataView cdsLookup1{QStringLiteral("cdsLookup1")};
    DataView cdsIncoming{QStringLiteral("cdsIncoming")};
    DataView cdsMTLookup1{QStringLiteral("cdsMTLookup1")};
    // State views of the button tables: no master link, so they see every button.
    DataView cdsMTButFont{QStringLiteral("cdsMTButFont")};
    DataView cdsMTSpeedButFont{QStringLiteral("cdsMTSpeedButFont")};
    DataView cdsMTCommButFont{QStringLiteral("cdsMTCommButFont")};

    // ---- the scratch table beside the program ----------------------------------------------
    DataView cdsReadOut{QStringLiteral("cdsReadOut")};

    // A table of the file set with its declaration.
    struct ProjectTable
    {
        TableDeclaration declaration;
        DataView *dataSet;
    };
    const QList<ProjectTable> &projectTables() const { return m_projectTables; }
    // A table of the file set (or cdsReadOut) by name, nullptr when unknown.
    DataView *dataSet(const QString &tableName);

    // Member lookup by MemberID in one of the lookup views: ascending MemberID order, the first
    // key that begins with the text (case-sensitive). On failure the view does not move.
    std::optional<DerivedFields::MemberRef> lookupMember(DataView &view, const QString &memberId);

    // The state update of an incoming Set (true) or Reset (false) telegram, done through an index
    // on Address and Group instead of filtering the three state views: Active of every row of
    // MTBut, MTSpeedBut and MTCommBut with that address and group, on every screen. The rows are
    // the ones the state views see and the table saves. Returns the number of rows that matched.
    // The views' filters and current rows are left alone.
    int SetButtonStates(int address, int group, bool active);

    // ---- dataset errors caught while loading, saving and closing ---------------------------
    struct DataSetFailure
    {
        QString tableName;
        QString fileName;
        QString operation; // "open", "save", "close"
        QString message;
    };
    const QList<DataSetFailure> &dataSetFailures() const { return m_failures; }
    void clearDataSetFailures() { m_failures.clear(); }
    // The failure of one table in the last load, empty when it loaded.
    QString failureOf(const QString &tableName) const;

private:
    friend class TOpenDataSets;

    void setUp();
    void registerDerivedColumns();
    void addFailure(const DataView &table, const QString &operation, const QString &message);

    QString m_programFolder;
    ::FunctionList m_functionList;
    QString m_projDir;
    QList<ProjectTable> m_projectTables;
    QList<DataSetFailure> m_failures;
    bool m_readOutOpened = false; // cdsReadOut was opened in this run
};
