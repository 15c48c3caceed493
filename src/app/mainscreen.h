#pragma once

#include "bus/gatewaylinkhooks.h"
#include "bus/telegram.h"
#include "platform/colorcodec.h"
#include "platform/platformservices.h"

#include <QPointer>
#include <QTimer>
#include <QWidget>

class BusMonitorView;
class GatewayLink;
class ProjectDialog;
class QLabel;
class QProgressBar;
class QStackedWidget;
class QVBoxLayout;
class SettingsStore;
class StartDelayPanel;
class TDataModuleKVX;
class TouchButton;
struct SettingsRecord;

// The panel's one window. It holds the settings record (through the store), the gateway link,
// the start-up sequence and the frame around the project's buttons; every other screen is a page
// of this window, created on first use.
//
// Fields and operations carry the names the panel's screens know them by (ProgramStarted,
// StartDelayTimer, CompleteStartUp, LoadProject, SendData, ...), so that each screen calls what
// it has always called.
class TMainScreen final : public QWidget, private GatewayLinkHooks
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TMainScreen)

public:
    struct Services
    {
        SettingsStore &settings;
        TDataModuleKVX &data;
        PlatformServices platform;
        ProjectDialog &projectDialog;
    };

    explicit TMainScreen(Services services, QWidget *parent = nullptr);
    ~TMainScreen() override;

    // ---- start-up ----------------------------------------------------------------------------
    void FormCreate();
    void CompleteStartUp();
    void LoadProject();
    void OpenProject();
    void AdjustSettings();
    void StartDelayTimerTimer();

    // ---- link --------------------------------------------------------------------------------
    void SetConnection();
    void ResetConnection();
    void SendData();
    void SendData(Telegram telegram);
    void KeepConAlive();
    void SendDS();
    // Handles the telegram in LSB and MSB (called by the link for each telegram, in order).
    void ProcessTelegram();

    // ---- closing -----------------------------------------------------------------------------
    void DoTheClose();

    SettingsRecord &settings();
    const SettingsRecord &settings() const;
    SettingsStore &settingsStore() { return m_settings; }
    TDataModuleKVX &data() { return m_data; }
    GatewayLink &link() { return *m_link; }
    QTimer &startDelayTimer() { return m_startDelayTimer; }
    StartDelayPanel *startDelayPanel() const { return m_startDelay; }
    QLabel *connectionStatusLabel() const { return lblConnStatus; }
    bool isClosed() const { return m_closed; }

    // ---- fields the screens share --------------------------------------------------------------
    bool ProgramStarted = false;
    int StartDelayTimer = 0;
    bool StatusScreen = false;
    bool AskingStatusScreen = false;
    bool RTCPResent = false;
    bool DMXPResent = false;
    bool TSMPResent = false;

    quint8 Send0 = 0;
    quint8 Send1 = 0;
    quint8 LSB = 0;
    quint8 MSB = 0;
    int DSFunct = 0;

Q_SIGNALS:
    // The program is about to end (the close handler ran).
    void closed();

protected:
    void showEvent(QShowEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // GatewayLinkHooks
    bool statusScreenRunning() const override { return StatusScreen; }
    void closeSubScreens(bool closeButtonScreen, bool closePlayerScreen) override;
    void showPicture() override;
    void startAutoNav() override;

    void buildFrame();
    void layoutPanels();
    void handleTelegram(Telegram telegram);
    QString incomingMemberName(int address, int group);
    bool projectFolderExists() const;

    SettingsStore &m_settings;
    TDataModuleKVX &m_data;
    PlatformServices m_platform;
    ProjectDialog &m_projectDialog;
    GatewayLink *m_link = nullptr;

    QTimer m_startDelayTimer;
    bool m_shownOnce = false;
    bool m_terminating = false;
    bool m_closed = false;

    // Frame
    QWidget *panTop = nullptr;
    QLabel *lblTime = nullptr;
    QLabel *lblTemp = nullptr;
    QLabel *lblConnStatus = nullptr;
    QLabel *imgLogoOn = nullptr;
    QLabel *imgLogoOff = nullptr;
    TouchButton *btnSettings = nullptr;
    QWidget *panAccent = nullptr;
    QProgressBar *Progress = nullptr;
    QWidget *panHeating = nullptr;
    QWidget *panMiddle = nullptr;
    QWidget *panMain = nullptr;
    QWidget *panSpeedButtons = nullptr;
    QWidget *panCommButtons = nullptr;
    QWidget *panMainArea = nullptr;
    QLabel *imgPicture = nullptr;
    BusMonitorView *memMonitor = nullptr;
    QWidget *panBottom = nullptr;
    StartDelayPanel *m_startDelay = nullptr;
};
