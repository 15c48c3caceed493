#include "bus/statuspoller.h"

#include "app/settingsrecord.h"
#include "bus/exchangefields.h"
#include "bus/statuspollerhooks.h"
#include "data/dataerror.h"
#include "data/datamodulekvx.h"
#include "data/dataview.h"
#include "platform/logging.h"

StatusPoller::StatusPoller(TDataModuleKVX &data, const ExchangeFields &fields, const SettingsRecord &settings,
                           StatusPollerHooks &hooks, QObject *parent)
    : QObject(parent), m_data(data), m_fields(fields), m_settings(settings), m_hooks(hooks)
{
    connect(&m_statusTimer, &QTimer::timeout, this, &StatusPoller::StatusTimerTimer);
    connect(&m_statusTimer1, &QTimer::timeout, this, &StatusPoller::StatusTimer1Timer);
}

StatusPoller::~StatusPoller() = default;

void StatusPoller::AskStatusScreen()
{
    if (!m_hooks.programStarted())
        return;
    // A poll still in its communication-button phase gives way to the new one.
    m_statusTimer.stop();
    m_statusTimer1.stop();

    m_statusScreen = true;
    m_askingStatusScreen = true;
    m_hooks.showProgress();
    m_statusNr = 1;

    m_speedButtons = resetButtons(m_data.cdsMTSpeedBut, m_data.cdsMTSpeedButFont);
    m_commButtons = resetButtons(m_data.cdsMTCommBut, m_data.cdsMTCommButFont);
    m_hooks.setProgressMaximum(int(m_speedButtons.size() + m_commButtons.size()));

    m_statusTimer.setInterval(qMax(0, m_settings.StatTimer));
    m_statusTimer.start();
}

void StatusPoller::stop()
{
    const bool running = m_askingStatusScreen;
    m_statusTimer.stop();
    m_statusTimer1.stop();
    m_statusScreen = false;
    m_askingStatusScreen = false;
    m_statusNr = 1;
    if (running)
        m_hooks.hideProgress();
}

QList<StatusPoller::Point> StatusPoller::resetButtons(DataView &table, DataView &stateView)
{
    QList<Point> points;
    try {
        if (table.isActive()) {
            table.clearFilter();
            for (table.first(); !table.eof(); table.next())
                points.append({table.fieldInt(u"Address"), table.fieldInt(u"Group")});
        }
    } catch (const DataError &e) {
        qCWarning(lcBus) << table.name() << "cannot be polled:" << e.message();
        points.clear();
    }
    try {
        if (stateView.isActive()) {
            stateView.clearFilter();
            for (stateView.first(); !stateView.eof(); stateView.next()) {
                if (stateView.fieldIsNull(u"Active") || stateView.fieldBool(u"Active")) {
                    stateView.setFieldValue(u"Active", false);
                    stateView.post();
                }
            }
        }
    } catch (const DataError &e) {
        stateView.cancel();
        qCWarning(lcBus) << stateView.name() << "states not cleared:" << e.message();
    }
    return points;
}

void StatusPoller::StatusTimerTimer()
{
    if (m_fields.Receiving)
        return; // made at the next tick
    AskNextSpeedButStatus();
}

void StatusPoller::StatusTimer1Timer()
{
    if (m_fields.Receiving)
        return;
    AskNextCommButStatus();
}

void StatusPoller::askPoint(const QList<Point> &points)
{
    if (points.isEmpty())
        return;
    const Point &point = points.at(m_statusNr - 1);
    if (point.address >= 0 && point.address <= 255 && point.group >= 0 && point.group <= 15)
        m_hooks.sendTelegram(Telegram::make(point.address, FunctionCode::Status, point.group));
    else
        // Byte 1 would carry another function code: a bus point outside the bus is not asked.
        qCWarning(lcBus) << "Status poll: no bus point at address" << point.address << "group" << point.group;
    ++m_statusNr;
}

void StatusPoller::AskNextSpeedButStatus()
{
    if (!m_statusScreen)
        return;
    m_hooks.stepProgress();
    askPoint(m_speedButtons);
    if (m_statusNr == m_speedButtons.size() + 1) {
        m_statusNr = 1;
        m_statusTimer.stop();
        m_statusTimer1.setInterval(qMax(0, m_settings.StatTimer));
        m_statusTimer1.start();
        m_statusScreen = false;
    }
}

void StatusPoller::AskNextCommButStatus()
{
    if (!m_askingStatusScreen || m_statusScreen)
        return;
    m_hooks.stepProgress();
    askPoint(m_commButtons);
    if (m_statusNr == m_commButtons.size() + 1) {
        m_statusTimer1.stop();
        m_hooks.hideProgress();
        m_statusScreen = false;
        m_hooks.redrawRequested();
        m_askingStatusScreen = false;
        if (m_settings.FollowingTSMGR != 0 && m_settings.FollowingTSMAD != 0) // AskFollowedThermostat
            m_hooks.sendTelegram(
                {quint8(m_settings.FollowingTSMAD), quint8(0x50 + m_settings.FollowingTSMGR)});
        Q_EMIT pollFinished();
    }
}
