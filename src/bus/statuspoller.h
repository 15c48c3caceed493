#pragma once

#include "bus/telegram.h"

#include <QList>
#include <QObject>
#include <QTimer>

class DataView;
class StatusPollerHooks;
class TDataModuleKVX;
struct ExchangeFields;
struct SettingsRecord;

// The status poll of the main-screen buttons (AskStatusScreen): one Status telegram per speed
// button, then one per communication button, one per tick of a timer of StatTimer ms, while the
// members' Set and Reset replies fill in the states. At the end the buttons are redrawn and the
// followed thermostat is asked for its values.
//
// The poll asks the buttons as they were when it started: their address and group are copied
// then, so a press during the poll (which filters the button table to the pressed button) neither
// changes whom it asks nor makes it run past the end. A new poll, in either phase of a running
// one, starts over from the speed buttons with the states cleared.
class StatusPoller final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(StatusPoller)

public:
    // fields: Receiving, checked on every tick. settings: StatTimer, FollowingTSMGR/AD, read when
    // they are needed.
    StatusPoller(TDataModuleKVX &data, const ExchangeFields &fields, const SettingsRecord &settings,
                 StatusPollerHooks &hooks, QObject *parent = nullptr);
    ~StatusPoller() override;

    // Starts a poll (nothing while ProgramStarted is false).
    void AskStatusScreen();
    // Ends a running poll at once, without the redraw and the thermostat question (closing).
    void stop();

    // Timer handlers: one polling step each, skipped while a telegram is being handled.
    void StatusTimerTimer();
    void StatusTimer1Timer();

    // The speed-button phase runs (the dock waits, received states are not drawn yet).
    bool StatusScreen() const { return m_statusScreen; }
    // A poll runs, either phase (received telegrams trigger no reactions).
    bool AskingStatusScreen() const { return m_askingStatusScreen; }
    // Record number (from 1) of the next button to ask in the running phase.
    int StatusNr() const { return m_statusNr; }

    bool isStatusTimerActive() const { return m_statusTimer.isActive(); }
    bool isStatusTimer1Active() const { return m_statusTimer1.isActive(); }
    int statusTimerInterval() const { return m_statusTimer.interval(); }
    int statusTimer1Interval() const { return m_statusTimer1.interval(); }

Q_SIGNALS:
    // The poll ended after asking every button.
    void pollFinished();

private:
    struct Point
    {
        int address = 0;
        int group = 0;
    };

    void AskNextSpeedButStatus();
    void AskNextCommButStatus();
    void askPoint(const QList<Point> &points);
    // Removes the filters from the table and its state view, clears Active in every button and
    // returns the buttons' bus points in table order.
    QList<Point> resetButtons(DataView &table, DataView &stateView);

    TDataModuleKVX &m_data;
    const ExchangeFields &m_fields;
    const SettingsRecord &m_settings;
    StatusPollerHooks &m_hooks;
    QTimer m_statusTimer;  // StatusTimer: speed-button phase
    QTimer m_statusTimer1; // StatusTimer1: communication-button phase
    QList<Point> m_speedButtons;
    QList<Point> m_commButtons;
    bool m_statusScreen = false;
    bool m_askingStatusScreen = false;
    int m_statusNr = 1;
};
