#include "bus/telegramhandler.h"

#include "app/settingsrecord.h"
#include "bus/busmonitorlog.h"
#include "bus/exchangefields.h"
#include "bus/telegramhandlerhooks.h"
#include "data/dataerror.h"
#include "data/datamodulekvx.h"
#include "data/datatable.h"
#include "data/dataview.h"
#include "data/filterexpression.h"
#include "platform/logging.h"
#include "platform/powercontrol.h"
#include "platform/shellopener.h"

#include <QFileInfo>
#include <QTime>

using namespace Qt::StringLiterals;

namespace {

// Thrown inside the handling when the shutdown or restart cannot go on: the rest of the
// telegram's handling is skipped, as when the system refuses the privilege.
struct HandlingAborted
{
};

// Receiving is set for exactly as long as the handling runs, whatever way it ends.
class ReceivingScope
{
public:
    explicit ReceivingScope(bool &flag) : m_flag(flag) { m_flag = true; }
    ~ReceivingScope() { m_flag = false; }
    Q_DISABLE_COPY_MOVE(ReceivingScope)

private:
    bool &m_flag;
};

QString errorText(const std::exception &e)
{
    if (const auto *dataError = dynamic_cast<const DataError *>(&e))
        return dataError->message();
    return QString::fromUtf8(e.what());
}

} // namespace

template<typename Answers>
bool TelegramHandler::refreshStamp(TableStamp &stamp, const DataView &view, const QList<QStringView> &columns,
                                   Answers &answers)
{
    const std::shared_ptr<DataTable> &table = view.table();
    if (!table || !table->isOpen()) {
        stamp = {};
        answers.clear();
        return false;
    }
    if (stamp.table != table || stamp.structure != table->structureVersion()) {
        stamp.table = table;
        stamp.structure = table->structureVersion();
        stamp.columns.clear();
        for (QStringView name : columns)
            stamp.columns.append(table->columnIndex(name));
        stamp.versions.clear();
        answers.clear();
    }
    if (stamp.columns.contains(-1))
        return false;
    bool same = stamp.versions.size() == stamp.columns.size();
    for (qsizetype i = 0; same && i < stamp.columns.size(); ++i)
        same = stamp.versions[i] == table->columnVersion(stamp.columns[i]);
    if (!same) {
        stamp.versions.clear();
        for (int column : std::as_const(stamp.columns))
            stamp.versions.append(table->columnVersion(column));
        answers.clear();
    }
    return true;
}

TelegramHandler::TelegramHandler(TDataModuleKVX &data, ExchangeFields &fields, const SettingsRecord &settings,
                                 PlatformServices platform, TelegramHandlerHooks &hooks)
    : m_data(data), m_fields(fields), m_settings(settings), m_platform(platform), m_hooks(hooks)
{}

QString TelegramHandler::pointFilter(int address, int group)
{
    return u"Address="_s + QString::number(address) + u" and Group="_s + QString::number(group);
}

QString TelegramHandler::reactionFilter(const QString &memberId)
{
    return u"ActionId = "_s + FilterExpression::quote(memberId);
}

const QString &TelegramHandler::cachedPointFilter(int address, int group)
{
    QString &text = m_pointFilters[std::size_t(address) * 16 + std::size_t(group)];
    if (text.isNull())
        text = pointFilter(address, group);
    return text;
}

void TelegramHandler::ProcessTelegram(Telegram telegram)
{
    m_fields.LSB = telegram.byte0;
    m_fields.MSB = telegram.byte1;
    ProcessTelegram();
}

void TelegramHandler::ProcessTelegram()
{
    if (!m_hooks.programStarted())
        return;
    ReceivingScope receiving(m_fields.Receiving);

    const int code = m_fields.MSB / 16;
    m_fields.MSB = m_fields.MSB % 16;
    const int group = m_fields.MSB;
    const int address = m_fields.LSB;
    const QString functionName = m_data.functionList().name(code);
    const bool setOrReset = code == int(FunctionCode::Set) || code == int(FunctionCode::Reset);

    try {
        // The reporting member of a Set or Reset: its name also fills the bus monitor's line.
        Member member;
        if (setOrReset)
            member = incomingMember(address * 16 + group, cachedPointFilter(address, group));

        if (m_hooks.busMonitorVisible()) {
            const Telegram telegram{quint8(address), quint8(code * 16 + group)};
            m_hooks.appendBusMonitorLine(BusMonitorLog::formatLine(m_data.functionList(), telegram,
                                                                   member.name, QTime::currentTime()));
        }

        switch (FunctionCode(code)) {
        case FunctionCode::Set:
        case FunctionCode::Reset:
            handleSetReset(address, group, code == int(FunctionCode::Set), member, functionName);
            break;
        case FunctionCode::Readout:
            handleReadout(address);
            break;
        case FunctionCode::System:
            handleSystem(address, group);
            break;
        case FunctionCode::Settings:
            m_fields.TSMSettMSB = group;
            m_fields.TSMSettLSB = address;
            break;
        case FunctionCode::Value:
            handleValue(address, group);
            break;
        default:
            break; // only logged
        }
    } catch (const HandlingAborted &) {
        qCWarning(lcBus) << "Handling of" << functionName << group << address << "ended early";
    } catch (const std::exception &e) {
        // The hooks are the main screen's; nothing of theirs may end up in the event loop either.
        qCWarning(lcBus) << "Handling of" << functionName << group << address << "failed:" << errorText(e);
    }
}

// ---- Set and Reset -------------------------------------------------------------------------

void TelegramHandler::handleSetReset(int address, int group, bool on, const Member &member,
                                     const QString &functionName)
{
    const QString &filter = cachedPointFilter(address, group);
    const int point = address * 16 + group;
    updateStateView(m_data.cdsMTButFont, m_stateViewCounts[0], point, filter, on);
    updateStateView(m_data.cdsMTSpeedButFont, m_stateViewCounts[1], point, filter, on);
    updateStateView(m_data.cdsMTCommButFont, m_stateViewCounts[2], point, filter, on);

    // Reactions never run while the main screen polls its buttons: the replies to the poll
    // are states, not events. A bus point that no member uses has no reactions.
    if (!m_hooks.statusPollRunning() && !member.id.isEmpty())
        runReactions(member.id, functionName);

    // The buttons are redrawn when the button screen is not polling its own buttons, or when the
    // main screen is not in the speed-button phase of its poll. One redraw covers both screens,
    // so it is asked for once even when both hold.
    const bool buttonScreenShows = m_hooks.buttonScreenExists() && !m_hooks.buttonScreenPolling();
    if (buttonScreenShows || !m_hooks.speedPhaseRunning())
        m_hooks.redrawRequested();
}

void TelegramHandler::updateStateView(DataView &view, PointCounts &known, int point, const QString &filter,
                                      bool on)
{
    try {
        if (!view.isActive())
            return; // the table did not load: no buttons to switch
        const bool remember = refreshStamp(known.stamp, view, {u"Address", u"Group"}, known.counts);
        if (remember && known.counts.value(point, -1) == 0) {
            if (view.isFiltered())
                view.clearFilter();
            return;
        }
        view.clearFilter();
        // The state views have no master link, so their unfiltered rows are the table's rows;
        // asking the table spares building the unfiltered row list on every telegram.
        const bool hasRecords = view.master() ? view.recordCount() > 0 : view.table()->rowCount() > 0;
        if (!hasRecords)
            return;
        view.setFilter(filter);
        int bound = 0;
        for (view.first(); !view.eof(); view.next()) {
            ++bound;
            const QVariant active = view.fieldValue(u"Active");
            if (active.isNull() || active.toBool() != on) {
                view.setFieldValue(u"Active", on);
                view.post();
            }
        }
        if (remember)
            known.counts.insert(point, bound);
    } catch (const DataError &e) {
        view.cancel();
        qCWarning(lcBus) << view.name() << "state not stored:" << e.message();
    }
}

TelegramHandler::Member TelegramHandler::incomingMember(int point, const QString &filter)
{
    DataView &incoming = m_data.cdsIncoming;
    try {
        if (!incoming.isActive())
            return {};
        const bool remember =
            refreshStamp(m_membersStamp, incoming, {u"MemberID", u"Name", u"Address", u"Group"}, m_members);
        if (remember) {
            if (const auto it = m_members.constFind(point); it != m_members.cend())
                return *it;
        }
        incoming.setFilter(filter);
        Member member;
        if (!incoming.eof())
            member = {incoming.fieldText(u"MemberID"), incoming.fieldText(u"Name")};
        if (remember)
            m_members.insert(point, member);
        return member;
    } catch (const DataError &e) {
        qCWarning(lcBus) << "Reporting member not found:" << e.message();
        return {};
    }
}

// ---- reactions -----------------------------------------------------------------------------

void TelegramHandler::runReactions(const QString &memberId, const QString &functionName)
{
    DataView &react = m_data.cdsMTReact;
    try {
        if (!react.isActive())
            return;
        const bool remember = refreshStamp(m_reactionsStamp, react, {u"ActionID"}, m_reactionCounts);
        if (remember && m_reactionCounts.value(memberId, -1) == 0)
            return;
        react.setFilter(reactionFilter(memberId));
        const int count = react.recordCount();
        if (remember)
            m_reactionCounts.insert(memberId, count);
        for (int n = 0; n < count; ++n) {
            // A reaction may close the tables (shutdown): the remaining records are gone.
            if (!react.isActive() || react.eof())
                break;
            if (react.fieldText(u"AFct") == functionName) {
                Reaction reaction;
                reaction.pcFunct = react.fieldText(u"PCFunct");
                reaction.startIt = {react.fieldText(u"StartIt1"), react.fieldText(u"StartIt2"),
                                    react.fieldText(u"StartIt3"), react.fieldText(u"StartIt4")};
                carryOut(reaction);
            }
            if (!react.isActive())
                break;
            react.next();
        }
    } catch (const DataError &e) {
        qCWarning(lcBus) << "Reactions of" << memberId << "not run:" << e.message();
    }
}

void TelegramHandler::carryOut(const Reaction &reaction)
{
    if (reaction.pcFunct == u"1")
        ShutDownPC();
    else if (reaction.pcFunct == u"2")
        RestartPC();
    else if (reaction.pcFunct == u"Explorer afsluiten")
        qCInfo(lcDiag) << "PCFunct: Explorer afsluiten (geen actie)";

    for (const QString &target : reaction.startIt) {
        if (!target.isEmpty())
            openStartIt(target);
    }
}

void TelegramHandler::ShutDownPC()
{
    m_hooks.saveAndCloseTables();
    m_hooks.closeMainForm();
    m_hooks.processPendingEvents();
    if (!m_platform.power.SetPrivilege(u"SeShutdownPrivilege"_s, true)) {
        qCWarning(lcPlatform) << "SetPrivilege: SeShutdownPrivilege refused";
        throw HandlingAborted{};
    }
    if (!m_platform.power.forcedShutdown())
        qCWarning(lcPlatform) << "Forced shutdown refused";
    m_hooks.closeMainForm();
}

void TelegramHandler::RestartPC()
{
    if (!m_platform.power.SetPrivilege(u"SeShutdownPrivilege"_s, true)) {
        qCWarning(lcPlatform) << "SetPrivilege: SeShutdownPrivilege refused";
        throw HandlingAborted{};
    }
    if (!m_platform.power.forcedRestart())
        qCWarning(lcPlatform) << "Forced restart refused";
    m_hooks.closeMainForm();
}

void TelegramHandler::openStartIt(const QString &target)
{
    const QStringView head = QStringView(target).left(3);
    if (head == u"htt" || head == u"HTT") {
        m_hooks.showWebPage(target);
        return;
    }
    if (QFileInfo::exists(target)) {
        if (!m_platform.shell.open(target, ShellOpener::ShowMode::Maximized))
            qCWarning(lcPlatform) << "Could not open" << target;
        return;
    }
    qCInfo(lcDiag) << "Gevraagde bestand is niet gevonden!";
}

// ---- read-outs -----------------------------------------------------------------------------

void TelegramHandler::handleReadout(int address)
{
    if (m_fields.RTCReadOut) {
        DataView &readOut = m_data.cdsReadOut;
        try {
            switch (m_fields.ReadData) {
            case 2:
            case 6:
            case 10:
            case 14:
            case 18:
                m_hooks.stepProgress();
                readOut.append();
                readOut.setFieldValue(u"LSB", address);
                readOut.post();
                break;
            case 4:
            case 8:
            case 12:
            case 16:
                m_hooks.stepProgress();
                readOut.setFieldValue(u"MSB", address);
                readOut.post();
                break;
            case 20:
                m_fields.RTCReadOut = false;
                m_hooks.CheckReadOut();
                break;
            default:
                break;
            }
        } catch (const DataError &e) {
            readOut.cancel();
            qCWarning(lcBus) << "Read-out byte" << m_fields.ReadData << "not stored:" << e.message();
        }
    }
    ++m_fields.ReadData;
}

void TelegramHandler::handleSystem(int address, int group)
{
    if (group == 15 && m_fields.TSMAskVW) {
        m_fields.TSMAskVW = false;
        m_fields.TSMAskVWVal = address;
        m_hooks.ProcessAskVW();
    }
    m_fields.TSMValGR = group;
    m_fields.TSMValAD = address;
    const bool followed = group == m_settings.FollowingTSMGR && address == m_settings.FollowingTSMAD;
    if (followed || m_fields.TSMCheckval) {
        m_hooks.ShowTemp();
        m_fields.TSMCheckval = false;
    }
    if (m_fields.AskDMX) {
        m_fields.AskDMX = false;
        m_hooks.SetResult();
    }
}

void TelegramHandler::handleValue(int address, int group)
{
    m_fields.TSMValMSB = group;
    m_fields.TSMValLSB = address;
    if (!m_fields.AskDMX)
        return;
    switch (group) {
    case 1:
        m_fields.DMXR = address;
        break;
    case 2:
        m_fields.DMXG = address;
        break;
    case 3:
        m_fields.DMXB = address;
        break;
    case 4:
        m_fields.DMXW = address;
        break;
    default:
        break;
    }
}
