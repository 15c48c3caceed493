#pragma once

#include <memory>

class LinuxPlatform;
class QtProjectDialog;
class SettingsStore;
class TDataModuleKVX;
class TMainScreen;
class UnixSignalWatcher;

// The panel's long-lived objects, created in their order (the central data module first, then
// the main screen) and destroyed in reverse.
class Application final
{
public:
    Application();
    ~Application();
    Application(const Application &) = delete;
    Application &operator=(const Application &) = delete;

    TMainScreen &mainScreen() { return *m_mainScreen; }

    // Shows the main screen and runs the event loop until it closes. SIGTERM and SIGINT close it
    // as the exit icon does.
    int run();

private:
    std::unique_ptr<LinuxPlatform> m_platform;
    std::unique_ptr<QtProjectDialog> m_projectDialog;
    std::unique_ptr<SettingsStore> m_settings;
    std::unique_ptr<TDataModuleKVX> m_data;
    std::unique_ptr<TMainScreen> m_mainScreen;
    std::unique_ptr<UnixSignalWatcher> m_signals;
};
