#include "app/application.h"

#include "app/mainscreen.h"
#include "app/projectdialog.h"
#include "app/settingsstore.h"
#include "data/datamodulekvx.h"
#include "platform/linuxplatform.h"
#include "platform/programfolder.h"
#include "platform/unixsignalwatcher.h"

#include <QApplication>
#include <QTimer>

using namespace Qt::StringLiterals;

Application::Application()
    : m_platform(std::make_unique<LinuxPlatform>()), m_projectDialog(std::make_unique<QtProjectDialog>()),
      m_settings(std::make_unique<SettingsStore>(ProgramFolder::file(u"kvx.ini"_s))),
      m_data(std::make_unique<TDataModuleKVX>())
{
    m_mainScreen = std::make_unique<TMainScreen>(
        TMainScreen::Services{*m_settings, *m_data, m_platform->services(), *m_projectDialog});
    m_signals = std::make_unique<UnixSignalWatcher>();
    QObject::connect(m_signals.get(), &UnixSignalWatcher::terminationRequested, m_mainScreen.get(),
                     [this](int) { m_mainScreen->close(); });
}

Application::~Application() = default;

int Application::run()
{
    // For the README's pictures: HALVANE_SCREENSHOT=file.png saves the window a moment after the
    // start-up completed, then closes the panel the usual way.
    const QString screenshot = qEnvironmentVariable("HALVANE_SCREENSHOT");
    if (!screenshot.isEmpty()) {
        QObject::connect(m_mainScreen.get(), &TMainScreen::startUpCompleted, m_mainScreen.get(),
                         [this, screenshot] {
                             QTimer::singleShot(2500, m_mainScreen.get(), [this, screenshot] {
                                 m_mainScreen->grab().save(screenshot);
                                 m_mainScreen->close();
                             });
                         });
    }
    m_mainScreen->showFullScreen();
    return QApplication::exec();
}
