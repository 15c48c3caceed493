#pragma once

#include "bus/telegram.h"
#include "platform/platformservices.h"

#include <QHash>
#include <QList>
#include <QString>
#include <QtGlobal>

#include <array>
#include <memory>

class DataTable;
class DataView;
class TDataModuleKVX;
class TelegramHandlerHooks;
struct ExchangeFields;
struct SettingsRecord;

// The interpretation of every received telegram (ProcessTelegram): Set and Reset switch the
// Active state of every button bound to the reporting bus point in the three state views and run
// the project's reactions for that member; Value, Settings and System store thermostat and RGB
// read-outs in the exchange fields; Readout collects a clock module's registers into cdsReadOut.
// The main screen owns it, feeds it every telegram in order of arrival on the user-interface
// thread, and implements its hooks.
//
// Answers that only depend on the tables' keys are remembered between telegrams: which member
// reports for a bus point, how many buttons of each state view are bound to it, whether a member
// has reactions. Each is found through the table's filter the first time and forgotten as soon as
// the table is reloaded or a column it depends on changes, so the result is always the filter's.
// A state view with no button on the bus point then only has its filter removed.
//
// Nothing thrown by the tables (a closed table, a filter the engine refuses) leaves the handler:
// the step concerned is logged and skipped, and the handling goes on.
class TelegramHandler final
{
    Q_DISABLE_COPY_MOVE(TelegramHandler)

public:
    // settings: FollowingTSMGR and FollowingTSMAD, read on every System telegram.
    TelegramHandler(TDataModuleKVX &data, ExchangeFields &fields, const SettingsRecord &settings,
                    PlatformServices platform, TelegramHandlerHooks &hooks);

    // Handles the telegram held in LSB and MSB of the exchange fields. MSB is left reduced to the
    // group, LSB keeps the address byte.
    void ProcessTelegram();
    // Stores the telegram in LSB and MSB, then handles it.
    void ProcessTelegram(Telegram telegram);

    // The filter text that finds the buttons and members of a bus point: "Address=12 and Group=5".
    static QString pointFilter(int address, int group);
    // The filter text of a member's reactions: "ActionId = 'M''1'" (inner quotes doubled).
    static QString reactionFilter(const QString &memberId);

private:
    struct Member
    {
        QString id;
        QString name;
    };
    struct Reaction
    {
        QString pcFunct;
        std::array<QString, 4> startIt;
    };

    // The version of a table's rows and of some of its columns: a remembered answer about the
    // table holds while the stamp is unchanged.
    struct TableStamp
    {
        std::shared_ptr<DataTable> table;
        quint64 structure = 0;
        QList<int> columns;
        QList<quint64> versions;
    };
    // Brings the stamp up to date with the view's table; false (nothing can be remembered) when
    // the table is closed or lacks a column. Clears `answers` when the stamp changed.
    template<typename Answers>
    static bool refreshStamp(TableStamp &stamp, const DataView &view, const QList<QStringView> &columns,
                             Answers &answers);
    struct PointCounts
    {
        TableStamp stamp;
        QHash<int, int> counts; // bus point (address × 16 + group) → bound buttons
    };

    void handleSetReset(int address, int group, bool on, const Member &member, const QString &functionName);
    void updateStateView(DataView &view, PointCounts &known, int point, const QString &filter, bool on);
    Member incomingMember(int point, const QString &filter);
    void runReactions(const QString &memberId, const QString &functionName);
    void carryOut(const Reaction &reaction);
    void ShutDownPC();
    void RestartPC();
    void openStartIt(const QString &target);
    void handleReadout(int address);
    void handleSystem(int address, int group);
    void handleValue(int address, int group);
    const QString &cachedPointFilter(int address, int group);

    TDataModuleKVX &m_data;
    ExchangeFields &m_fields;
    const SettingsRecord &m_settings;
    PlatformServices m_platform;
    TelegramHandlerHooks &m_hooks;
    // "Address=a and Group=g" for every bus point, built on first use.
    std::array<QString, 256 * 16> m_pointFilters;
    std::array<PointCounts, 3> m_stateViewCounts; // cdsMTButFont, cdsMTSpeedButFont, cdsMTCommButFont
    TableStamp m_membersStamp;
    QHash<int, Member> m_members; // bus point → reporting member
    TableStamp m_reactionsStamp;
    QHash<QString, int> m_reactionCounts; // member ID → reactions
};
