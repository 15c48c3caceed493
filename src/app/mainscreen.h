#pragma once

#include "bus/exchangefields.h"
#include "bus/gatewaylinkhooks.h"
#include "bus/statuspollerhooks.h"
#include "bus/telegram.h"
#include "bus/telegramhandlerhooks.h"
#include "platform/colorcodec.h"
#include "platform/platformservices.h"

#include <QHash>
#include <QPointer>
#include <QTimer>
#include <QWidget>

#include <functional>
#include <memory>

class BusMonitorView;
class GatewayLink;
class IconSet;
class RedrawCoalescer;
class StatusPoller;
class TelegramHandler;
class MainArea;
class MessageOverlay;
class PopupPanel;
class QScrollArea;
class Spinner;
class ProjectDialog;
class QLabel;
class QProgressBar;
class QStackedWidget;
class QVBoxLayout;
class SettingsStore;
class StartDelayPanel;
class DataView;
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
class TMainScreen final : public QWidget,
                          private GatewayLinkHooks,
                          private TelegramHandlerHooks,
                          private StatusPollerHooks
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
    // Handles the telegram in LSB and MSB of the exchange fields (called by the link for each
    // telegram, in order).
    void ProcessTelegram();

    // ---- the project's buttons ---------------------------------------------------------------
    void LoadSpeedButtons();
    // Asks for a redraw of the buttons' on/off faces; the redraw runs once per frame (a burst of
    // telegrams redraws once, and what shows when the burst ends is the same).
    void requestSetFonts();
    void SetFonts() override;
    void Check4AddMembers();
    void btnSpeedButMouseDown(TouchButton *button);
    void btnSpeedButMouseUp();
    void btnCommButMouseDown(TouchButton *button);
    void btnCommButMouseUp();
    void btnSettingsClick();
    void spCombbHeightSelectedValueChanged(int value);
    void spSpeedbHeightSelectedValueChanged(int value);
    // Starts a status poll of the main screen's buttons.
    void AskStatusScreen();
    bool StatusScreen() const;
    bool AskingStatusScreen() const;
    StatusPoller &statusPoller() { return *m_poller; }
    QProgressBar *progressBar() const { return Progress; }

    // ---- the frame ---------------------------------------------------------------------------
    void imgButtonsClick();
    void imgThermoClick();
    void imgClockClick();
    void imgRGBClick();
    void imgMusicClick();
    void imgSiedleClick();
    void imgRefreshClick();
    void imgCleaningClick();
    void imgSettingsClick();
    void imgUpdateClick();
    void imgMinimizeClick();
    void imgExitClick();
    void CenterDock();
    void ClockTimerTimer();
    void lblTempClick();
    void AskFollowedThermostat();
    void SendComfort();
    void ShowWebPage();
    void ShowPicture();
    void ShowAccessCodeForm();
    void ShowSettingsForm();
    // The main screen became the active page again (a sub-screen closed).
    void FormActivate();

    // ---- closing -----------------------------------------------------------------------------
    void DoTheClose();

    // The door-station program, started from the dock.
    static constexpr auto SiedlePath = u"C:\\Program Files (x86)\\Siedle\\BSHT 650-0\\bsht.exe";

    SettingsRecord &settings();
    const SettingsRecord &settings() const;
    SettingsStore &settingsStore() { return m_settings; }
    TDataModuleKVX &data() { return m_data; }
    GatewayLink &link() { return *m_link; }
    QTimer &startDelayTimer() { return m_startDelayTimer; }
    StartDelayPanel *startDelayPanel() const { return m_startDelay; }
    QLabel *connectionStatusLabel() const { return lblConnStatus; }
    QLabel *clockLabel() const { return lblTime; }
    QLabel *temperatureLabel() const { return lblTemp; }
    QWidget *speedButtonArea() const;
    QWidget *commButtonArea() const;
    QWidget *speedButtonPanel() const { return panSpeedButtons; }
    QWidget *commButtonPanel() const { return panCommButtons; }
    QWidget *dock() const { return panDock; }
    TouchButton *dockIcon(const QString &objectName) const;
    QWidget *smallSettingsPanel() const { return panSmallSettings; }
    Spinner *commButtonSpinner() const { return spCombbHeight; }
    Spinner *speedButtonSpinner() const { return spSpeedbHeight; }
    PopupPanel *thermostatPopup() const { return m_thermoPopup; }
    QList<TouchButton *> comfortButtons() const { return m_comfortButtons; }
    MessageOverlay *messageOverlay() const { return m_message; }
    const IconSet &iconSet() const { return *m_icons; }
    MainArea *mainArea() const { return m_mainArea; }
    bool isClosed() const { return m_closed; }

    // ---- fields the screens share --------------------------------------------------------------
    bool ProgramStarted = false;
    int StartDelayTimer = 0;
    bool RTCPResent = false;
    bool DMXPResent = false;
    bool TSMPResent = false;

    quint8 Send0 = 0;
    quint8 Send1 = 0;
    int DSFunct = 0;
    // LSB, MSB, Receiving and the read-outs that the thermostat, RGB and clock screens read.
    ExchangeFields Fields;
    QPointer<TouchButton> ClickBut;
    bool EUClose = false;
    bool EUSettings = false;
    QString ComfortText1 = QStringLiteral("Nacht");
    QString ComfortText2 = QStringLiteral("Dag");
    QString ComfortText3 = QStringLiteral("Standby");
    QString ComfortText4 = QStringLiteral("Afwezig");

Q_SIGNALS:
    // The start delay ended and the project is shown.
    void startUpCompleted();

protected:
    void showEvent(QShowEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // GatewayLinkHooks
    bool statusScreenRunning() const override { return StatusScreen(); }
    void closeSubScreens(bool closeButtonScreen, bool closePlayerScreen) override;
    void showPicture() override;
    void startAutoNav() override;
    // TelegramHandlerHooks and StatusPollerHooks
    bool programStarted() const override { return ProgramStarted; }
    bool statusPollRunning() const override { return AskingStatusScreen(); }
    bool speedPhaseRunning() const override { return StatusScreen(); }
    void redrawRequested() override { requestSetFonts(); }
    bool busMonitorVisible() const override;
    void appendBusMonitorLine(const QString &line) override;
    void showWebPage(const QString &address) override;
    void saveAndCloseTables() override;
    void closeMainForm() override;
    void processPendingEvents() override;
    void stepProgress() override;
    void sendTelegram(Telegram telegram) override { SendData(telegram); }
    void showProgress() override;
    void setProgressMaximum(int maximum) override;
    void hideProgress() override;

    void buildFrame();
    void buildDock();
    void buildThermostatPopup();
    void buildSmallSettingsPanel();
    TouchButton *makeProjectButton(DataView &table, QWidget *parent);
    void sendActions(DataView &actions);
    // The dock's common rule: the action runs only when no speed-button poll runs and the start
    // delay has ended; it always counts as activity.
    void dockAction(const std::function<void()> &action);
    void openCommButPage(const QString &address);
    void layoutPanels();

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
    MainArea *m_mainArea = nullptr;
    BusMonitorView *memMonitor = nullptr;
    QWidget *panBottom = nullptr;
    QWidget *panDock = nullptr;
    QScrollArea *sbSpeedButtons = nullptr;
    QScrollArea *sbComSpeedButtons = nullptr;
    // The speed buttons by their record's Name, with the face each one shows now.
    struct SpeedFace
    {
        TouchButton *button = nullptr;
        bool known = false;
        bool active = false;
        int dim = 0;
    };
    QHash<QString, QList<SpeedFace>> m_speedButtons;
    QHash<QString, QList<TouchButton *>> m_commButtons;
    QWidget *panSmallSettings = nullptr;
    Spinner *spCombbHeight = nullptr;
    Spinner *spSpeedbHeight = nullptr;
    PopupPanel *m_thermoPopup = nullptr;
    QWidget *panThermo = nullptr;
    QLabel *lblThermoMeasured = nullptr;
    QLabel *lblThermoSet = nullptr;
    QList<TouchButton *> m_comfortButtons;
    MessageOverlay *m_message = nullptr;
    std::unique_ptr<IconSet> m_icons;
    QTimer m_clockTimer;
    std::unique_ptr<TelegramHandler> m_handler;
    StatusPoller *m_poller = nullptr;
    RedrawCoalescer *m_redraw = nullptr;
    bool m_readingSettings = false;
    StartDelayPanel *m_startDelay = nullptr;
};
