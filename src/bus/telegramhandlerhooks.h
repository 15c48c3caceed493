#pragma once

#include <QString>

// What the telegram handler asks of the main screen. The main screen implements it; the hooks
// that concern other screens (thermostat, RGB, clock, button screen) do nothing by default and are
// forwarded by the main screen only while those screens exist.
class TelegramHandlerHooks
{
public:
    virtual ~TelegramHandlerHooks() = default;

    // The start delay has ended (ProgramStarted). Before that telegrams are dropped without trace.
    virtual bool programStarted() const = 0;
    // A status poll of the main-screen buttons is running, either phase (AskingStatusScreen).
    virtual bool statusPollRunning() const = 0;
    // The poll is in its speed-button phase (StatusScreen).
    virtual bool speedPhaseRunning() const = 0;

    // The button screen exists, and it is running a status poll of its own.
    virtual bool buttonScreenExists() const { return false; }
    virtual bool buttonScreenPolling() const { return false; }

    // The buttons' on/off looks must be refreshed. By default this redraws at once (SetFonts); a
    // screen that coalesces redraws overrides it to mark the look stale and redraw once per
    // frame, so that what is shown when the handling ends is the same.
    virtual void redrawRequested() { SetFonts(); }
    virtual void SetFonts() {}

    // The bus monitor list is shown; append a line to it.
    virtual bool busMonitorVisible() const { return false; }
    virtual void appendBusMonitorLine(const QString &line) { (void)line; }

    // Put the address into the address box and show the web view (ShowWebPage), which loads it.
    virtual void showWebPage(const QString &address) = 0;

    // The shutdown sequence: save and close every project table; close the main form (the
    // main form's close handler saves what is still open); let pending events run.
    virtual void saveAndCloseTables() = 0;
    virtual void closeMainForm() = 0;
    virtual void processPendingEvents() {}

    // One step of the main screen's progress bar (clock read-out).
    virtual void stepProgress() {}

    // The thermostat screen: a heating-state reply arrived (ProcessAskVW); show the stored values
    // (ShowTemp). The RGB screen: the read-out is complete (SetResult). The clock screen: the
    // read-out is complete (CheckReadOut).
    virtual void ProcessAskVW() {}
    virtual void ShowTemp() {}
    virtual void SetResult() {}
    virtual void CheckReadOut() {}
};
