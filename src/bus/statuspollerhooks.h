#pragma once

#include "bus/telegram.h"

// What the status poll asks of the main screen: the start-up state, sending, the progress bar in
// the accent strip and the redraw at the end. The names match TelegramHandlerHooks where both
// ask the same, so one override in the main screen serves both.
class StatusPollerHooks
{
public:
    virtual ~StatusPollerHooks() = default;

    // The start delay has ended (ProgramStarted). Before that no poll starts.
    virtual bool programStarted() const = 0;
    // Send one telegram (the main screen's SendData).
    virtual void sendTelegram(Telegram telegram) = 0;

    // The progress bar: shown at position 0 when a poll starts, its maximum, one step per tick,
    // hidden at the end.
    virtual void showProgress() {}
    virtual void setProgressMaximum(int maximum) { (void)maximum; }
    virtual void stepProgress() {}
    virtual void hideProgress() {}

    // The buttons' on/off looks must be refreshed; redraws at once by default (SetFonts).
    virtual void redrawRequested() { SetFonts(); }
    virtual void SetFonts() {}
};
