#pragma once

// What the gateway link asks of the screens around it when the inactivity timeout passes. The
// main screen implements it; every hook does nothing until the screens it concerns exist.
class GatewayLinkHooks
{
public:
    virtual ~GatewayLinkHooks() = default;

    // A status poll of the main-screen buttons is in its speed-button phase (StatusScreen).
    virtual bool statusScreenRunning() const { return false; }
    // Close the settings, clock, RGB and thermostat screens; the button screen too when
    // closeButtonScreen (no home navigation screen is set), the player screen when
    // closePlayerScreen (NuvAutoClose).
    virtual void closeSubScreens(bool closeButtonScreen, bool closePlayerScreen)
    {
        (void)closeButtonScreen;
        (void)closePlayerScreen;
    }
    // Switch the main area to the picture (AutoCloseWeb).
    virtual void showPicture() {}
    // Send the button screen back towards its home screen (StartAutoNav), when it exists.
    virtual void startAutoNav() {}
};
