#include "app/mainscreen.h"

#include "app/busmonitorview.h"
#include "app/mainarea.h"
#include "app/messageoverlay.h"
#include "app/projectdialog.h"
#include "app/settingsstore.h"
#include "app/startdelaypanel.h"
#include "bus/busmonitorlog.h"
#include "bus/gatewaylink.h"
#include "bus/redrawcoalescer.h"
#include "bus/statuspoller.h"
#include "bus/telegramhandler.h"
#include "data/datamodulekvx.h"
#include "data/opendatasets.h"
#include "platform/logging.h"
#include "touch/assets.h"
#include "touch/iconset.h"
#include "touch/popuppanel.h"
#include "touch/touchbutton.h"
#include "touch/touchcolors.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QResizeEvent>
#include <QTime>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace {

constexpr int kTopBarHeight = 62;
constexpr int kAccentHeight = 8;
constexpr int kBottomBarHeight = 105;
constexpr int kStartDelayInterval = 1000;

void setBackground(QWidget *w, TColor color)
{
    w->setAutoFillBackground(true);
    QPalette pal = w->palette();
    pal.setColor(QPalette::Window, toQColor(color));
    w->setPalette(pal);
}

void setTextColor(QWidget *w, TColor color)
{
    QPalette pal = w->palette();
    pal.setColor(QPalette::WindowText, toQColor(color));
    pal.setColor(QPalette::Text, toQColor(color));
    w->setPalette(pal);
}

} // namespace

TMainScreen::TMainScreen(Services services, QWidget *parent)
    : QWidget(parent), m_settings(services.settings), m_data(services.data), m_platform(services.platform),
      m_projectDialog(services.projectDialog)
{
    setObjectName(u"MainScreen"_s);
    setWindowTitle(u"HalvanescreenVCL-MainForm"_s);
    setWindowFlag(Qt::FramelessWindowHint);
    resize(1024, 686);

    m_link = new GatewayLink(m_settings.record(), this, this);
    m_handler = std::make_unique<TelegramHandler>(m_data, Fields, m_settings.record(), m_platform,
                                                  static_cast<TelegramHandlerHooks &>(*this));
    m_poller =
        new StatusPoller(m_data, Fields, m_settings.record(), static_cast<StatusPollerHooks &>(*this), this);
    // A button's new face shows within a few milliseconds of its telegram, and a burst still
    // redraws only every few milliseconds.
    m_redraw = new RedrawCoalescer([this] { SetFonts(); }, this);
    m_redraw->setFrameInterval(4);
    m_link->setTelegramHandler([this](Telegram t) {
        Fields.LSB = t.byte0;
        Fields.MSB = t.byte1;
        ProcessTelegram();
    });

    m_startDelayTimer.setInterval(kStartDelayInterval);
    connect(&m_startDelayTimer, &QTimer::timeout, this, &TMainScreen::StartDelayTimerTimer);

    m_icons = std::make_unique<IconSet>();
    buildFrame();

    m_clockTimer.setInterval(1000);
    connect(&m_clockTimer, &QTimer::timeout, this, &TMainScreen::ClockTimerTimer);
    m_clockTimer.start();

    FormCreate();
}

TMainScreen::~TMainScreen() = default;

SettingsRecord &TMainScreen::settings()
{
    return m_settings.record();
}

const SettingsRecord &TMainScreen::settings() const
{
    return m_settings.record();
}

// ---- the frame -----------------------------------------------------------------------------

void TMainScreen::buildFrame()
{
    auto *root = new QVBoxLayout(this);
    root->setContentsMargins(0, 0, 0, 0);
    root->setSpacing(0);

    panTop = new QWidget(this);
    panTop->setObjectName(u"panTop"_s);
    panTop->setFixedHeight(kTopBarHeight);
    auto *top = new QHBoxLayout(panTop);
    top->setContentsMargins(12, 0, 8, 0);
    lblTime = new QLabel(u"Zoeken..."_s, panTop);
    lblTime->setObjectName(u"lblTime"_s);
    lblTemp = new QLabel(u"..."_s, panTop);
    lblTemp->setObjectName(u"lblTemp"_s);
    lblTemp->setAccessibleName(u"Temperatuur"_s);
    lblTemp->hide();
    lblConnStatus = new QLabel(panTop);
    lblConnStatus->setObjectName(u"lblConnStatus"_s);
    imgLogoOn = new QLabel(panTop);
    imgLogoOn->setObjectName(u"imgLogoOn"_s);
    imgLogoOn->setAccessibleName(u"Verbonden"_s);
    imgLogoOn->setPixmap(Assets::logoOn(QSize(44, 44), devicePixelRatioF()));
    imgLogoOn->hide();
    imgLogoOff = new QLabel(panTop);
    imgLogoOff->setObjectName(u"imgLogoOff"_s);
    imgLogoOff->setAccessibleName(u"Niet verbonden"_s);
    imgLogoOff->setPixmap(Assets::logoOff(QSize(44, 44), devicePixelRatioF()));
    imgLogoOff->hide();
    btnSettings = new TouchButton(panTop);
    btnSettings->setObjectName(u"btnSettings"_s);
    btnSettings->setAccessibleName(u"Knopgrootte"_s);
    btnSettings->setText(u"\u2699"_s);
    btnSettings->setFixedSize(48, 48);
    top->addWidget(lblTime);
    top->addStretch(1);
    top->addWidget(lblTemp);
    top->addStretch(1);
    top->addWidget(lblConnStatus);
    top->addWidget(imgLogoOn);
    top->addWidget(imgLogoOff);
    top->addWidget(btnSettings);
    root->addWidget(panTop);

    panAccent = new QWidget(this);
    panAccent->setObjectName(u"panAccent"_s);
    panAccent->setFixedHeight(kAccentHeight);
    Progress = new QProgressBar(panAccent);
    Progress->setObjectName(u"Progress"_s);
    Progress->setTextVisible(false);
    Progress->hide();
    panHeating = new QWidget(panAccent);
    panHeating->setObjectName(u"panHeating"_s);
    panHeating->setFixedSize(40, 2);
    panHeating->hide();
    root->addWidget(panAccent);

    panMiddle = new QWidget(this);
    auto *middle = new QHBoxLayout(panMiddle);
    middle->setContentsMargins(0, 0, 0, 0);
    middle->setSpacing(0);
    panMain = new QWidget(panMiddle);
    panMain->setObjectName(u"panMain"_s);
    auto *main = new QVBoxLayout(panMain);
    main->setContentsMargins(0, 0, 0, 0);
    main->setSpacing(0);
    auto *areaRow = new QHBoxLayout;
    m_mainArea = new MainArea(panMain);
    m_mainArea->setObjectName(u"panMainArea"_s);
    m_mainArea->setDefaultPicture(Assets::defaultPicture(QSize(900, 560)));
    connect(m_mainArea, &MainArea::activity, this, &TMainScreen::KeepConAlive);
    connect(m_mainArea, &MainArea::addressChanged, this, [this](const QString &text) {
        if (!m_readingSettings)
            m_settings.write(u"MTSS"_s, u"MainUrl"_s, text);
    });
    memMonitor = new BusMonitorView(m_link->busMonitor(), panMain);
    memMonitor->setFixedWidth(260);
    memMonitor->hide();
    areaRow->addWidget(m_mainArea, 1);
    areaRow->addWidget(memMonitor);
    main->addLayout(areaRow, 1);
    panCommButtons = new QWidget(panMain);
    panCommButtons->setObjectName(u"panCommButtons"_s);
    main->addWidget(panCommButtons);
    panSpeedButtons = new QWidget(panMiddle);
    panSpeedButtons->setObjectName(u"panSpeedButtons"_s);
    middle->addWidget(panMain);
    middle->addWidget(panSpeedButtons);
    root->addWidget(panMiddle, 1);

    panBottom = new QWidget(this);
    panBottom->setObjectName(u"panBottom"_s);
    panBottom->setFixedHeight(kBottomBarHeight);
    root->addWidget(panBottom);

    buildDock();
    buildThermostatPopup();
    buildSmallSettingsPanel();
    m_message = new MessageOverlay(this);

    m_startDelay = new StartDelayPanel(this);
    connect(m_startDelay, &StartDelayPanel::progressTapped, this, &TMainScreen::CompleteStartUp);

    connect(m_link, &GatewayLink::statusTextChanged, lblConnStatus, &QLabel::setText);
    connect(m_link, &GatewayLink::onlineChanged, this, [this](bool online) {
        imgLogoOn->setVisible(online);
        imgLogoOff->setVisible(!online);
    });
    imgLogoOn->installEventFilter(this);
    imgLogoOff->installEventFilter(this);
}

void TMainScreen::layoutPanels()
{
    // The speed-button panel is a third of the window, the main panel twice that; the
    // communication-button row an eighth of the height.
    const int third = width() / 3;
    panSpeedButtons->setFixedWidth(third);
    panMain->setFixedWidth(third * 2);
    panCommButtons->setFixedHeight(height() / 8);
}

// ---- start-up ------------------------------------------------------------------------------

void TMainScreen::FormCreate()
{
    RTCPResent = false;
    DMXPResent = false;
    TSMPResent = false;
    m_poller->stop();

    m_settings.load();
    const SettingsRecord &s = settings();
    m_data.setProjDir(s.ProjDir);
    m_readingSettings = true;
    m_mainArea->setAddress(s.MainUrl);
    m_readingSettings = false;
    m_mainArea->setPictureStretched(s.ScreenSWrap);
    m_mainArea->setManualUrl(s.ManualUrl);

    m_startDelay->setGeometry(rect());
    m_startDelay->raise();
    m_startDelay->show();
    StartDelayTimer = s.StartDelay;
    m_startDelay->setMaximum(s.StartDelay);
    m_startDelay->setPosition(s.StartDelay);

    qCInfo(lcDiag).noquote() << u"DataModuleKVX.ProjDir: "_s + m_data.ProjDir();
    if (m_data.ProjDir().isEmpty())
        m_startDelayTimer.start();
}

void TMainScreen::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    FormActivate();
    if (m_shownOnce)
        return;
    m_shownOnce = true;
    QCoreApplication::processEvents();
    AdjustSettings();
    if (!m_data.ProjDir().isEmpty())
        m_startDelayTimer.start();
    qCInfo(lcDiag) << "Update";
}

void TMainScreen::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    m_startDelay->setGeometry(rect());
    layoutPanels();
    AdjustSettings();
}

void TMainScreen::StartDelayTimerTimer()
{
    --StartDelayTimer;
    m_startDelay->setPosition(StartDelayTimer);
    if (StartDelayTimer <= 0)
        CompleteStartUp();
}

void TMainScreen::CompleteStartUp()
{
    if (m_terminating || m_closed)
        return;
    ProgramStarted = true;
    m_startDelayTimer.stop();
    m_startDelay->hide();

    LoadProject();
    if (m_terminating || m_closed)
        return;

    LoadSpeedButtons();
    QCoreApplication::processEvents();
    AdjustSettings();
    QCoreApplication::processEvents();
    if (m_terminating || m_closed)
        return;
    Check4AddMembers();
    // The button screen's First flag is set here once that screen exists.
    const SettingsRecord &s = settings();
    if (!s.DumpConnection && !s.LanHost.isEmpty())
        AskStatusScreen();
    SetFonts();
    if (!s.TouchMainNav.isEmpty())
        qCInfo(lcDiag).noquote() << u"StopStartUpTimer: "_s + s.TouchMainNav;
    if (!ProgramStarted)
        return; // another project was chosen: its countdown runs the start-up again
    qCInfo(lcApp) << "start-up complete";
    Q_EMIT startUpCompleted();
}

void TMainScreen::LoadProject()
{
    ResetConnection();
    if (!m_data.hasProject()) {
        OpenProject();
        return;
    }
    try {
        TOpenDataSets::OpenAllTouchXML(m_data);
    } catch (const std::exception &e) {
        // A project file that cannot be read or written: the tables that loaded stay open and the
        // panel carries on with them.
        qCWarning(lcApp) << "loading the project failed:" << e.what();
    }
    Check4AddMembers();
    LoadSpeedButtons();
    SetConnection();
}

void TMainScreen::OpenProject()
{
    const auto chosen = m_projectDialog.chooseProjectFile(this, m_data.ProjDir());
    if (!chosen) {
        // Without a project the panel has nothing to show: end the program.
        m_terminating = true;
        qCInfo(lcApp) << "no project chosen: closing";
        QMetaObject::invokeMethod(this, &TMainScreen::close, Qt::QueuedConnection);
        return;
    }
    ProgramStarted = false;
    const QString folder = QFileInfo(*chosen).absolutePath();
    m_data.setProjDir(folder);
    // The open tables are still bound to the files they came from: they are saved there.
    try {
        TOpenDataSets::SaveAllXML(m_data, false);
    } catch (const std::exception &e) {
        qCWarning(lcApp) << "saving the old project failed:" << e.what();
    }
    LoadProject();
    m_settings.write(u"MTPath"_s, u"ProjDir"_s, m_data.ProjDir());
    StartDelayTimer = 2;
    m_startDelay->setPosition(StartDelayTimer);
    m_startDelayTimer.start();
}

void TMainScreen::AdjustSettings()
{
    if (!ProgramStarted)
        return;
    const SettingsRecord &s = settings();
    QFont tempFont = lblThermoMeasured->font();
    tempFont.setPointSize(s.TempFontSize);
    lblThermoMeasured->setFont(tempFont);
    lblThermoSet->setFont(tempFont);
    setBackground(this, s.AccentColor);
    setBackground(panAccent, s.AccentColor);
    setBackground(panBottom, s.AccentColor);
    setBackground(panTop, s.BackGndColor);
    setBackground(panMain, s.BackGndColor);
    setBackground(panSpeedButtons, s.BackGndColor);
    setBackground(panCommButtons, s.BackGndColor);

    setTextColor(lblTime, s.TextColor);
    setTextColor(lblTemp, s.TextColor);
    setTextColor(lblConnStatus, s.TextColor);
    {
        QPalette pal = memMonitor->palette();
        pal.setColor(QPalette::Base, toQColor(s.BackGndColor));
        pal.setColor(QPalette::Text, toQColor(s.TextColor));
        memMonitor->setPalette(pal);
    }
    m_mainArea->applyColors(s.BackGndColor, s.TextColor);
    btnSettings->setTextColor(toQColor(s.TextColor));
    btnSettings->setRounding(s.btnRounding);
    btnSettings->setColor(toQColor(s.BackGndColor));

    setBackground(panSmallSettings, s.BackGndColor);
    for (QLabel *label : panSmallSettings->findChildren<QLabel *>())
        setTextColor(label, s.TextColor);
    m_thermoPopup->setColor(toQColor(s.BackGndColor));
    m_thermoPopup->setTextColor(toQColor(s.TextColor));
    for (QLabel *label : panThermo->findChildren<QLabel *>())
        setTextColor(label, s.TextColor);
    for (TouchButton *b : std::as_const(m_comfortButtons)) {
        b->setTextColor(toQColor(s.TextColor));
        b->setRounding(s.btnRounding);
        b->setColor(toQColor(s.BackGndColor));
    }

    layoutPanels();

    const QStringList comforts = m_data.comfortCaptions();
    ComfortText1 = comforts.value(0);
    ComfortText2 = comforts.value(1);
    ComfortText3 = comforts.value(2);
    ComfortText4 = comforts.value(3);
    const QString captions[] = {ComfortText1, ComfortText2, ComfortText3, ComfortText4};
    for (int i = 0; i < m_comfortButtons.size(); ++i) {
        m_comfortButtons[i]->setText(captions[i]);
        m_comfortButtons[i]->setAccessibleName(captions[i]);
    }
    // The heating indicator sits under the temperature label's left edge.
    panHeating->move(lblTemp->mapTo(this, QPoint(0, 0)).x(),
                     (panAccent->height() - panHeating->height()) / 2);

    if (s.ScreenSPict) {
        showPicture();
        if (!s.ScreenSImage.isEmpty() && QFile::exists(s.ScreenSImage))
            m_mainArea->loadPictureFile(s.ScreenSImage);
    } else {
        ShowWebPage();
    }
    memMonitor->setVisible(s.BusMon);
}

// ---- link ----------------------------------------------------------------------------------

void TMainScreen::SetConnection()
{
    m_link->SetConnection();
}

void TMainScreen::ResetConnection()
{
    m_link->ResetConnection();
}

void TMainScreen::SendData()
{
    m_link->SendData(Send0, Send1);
}

void TMainScreen::SendData(Telegram telegram)
{
    Send0 = telegram.byte0;
    Send1 = telegram.byte1;
    SendData();
}

void TMainScreen::KeepConAlive()
{
    m_link->KeepConAlive();
}

void TMainScreen::SendDS()
{
    m_link->SendDS(DSFunct, m_data.cdsMembers.fieldInt(u"Address"), m_data.cdsMembers.fieldInt(u"Group"));
}

void TMainScreen::ProcessTelegram()
{
    m_handler->ProcessTelegram();
}

bool TMainScreen::busMonitorVisible() const
{
    return memMonitor->isVisibleTo(this);
}

void TMainScreen::appendBusMonitorLine(const QString &line)
{
    m_link->busMonitor().append(line);
}

void TMainScreen::showWebPage(const QString &address)
{
    m_mainArea->setAddress(address);
    ShowWebPage();
}

void TMainScreen::saveAndCloseTables()
{
    try {
        TOpenDataSets::SaveAllXML(m_data, true);
    } catch (const std::exception &e) {
        qCWarning(lcApp) << "saving the project failed:" << e.what();
    }
}

void TMainScreen::closeMainForm()
{
    QMetaObject::invokeMethod(this, &TMainScreen::close, Qt::QueuedConnection);
}

void TMainScreen::processPendingEvents()
{
    QCoreApplication::processEvents();
}

void TMainScreen::showProgress()
{
    Progress->setValue(0);
    Progress->setGeometry(0, 0, panAccent->width(), panAccent->height());
    Progress->show();
}

void TMainScreen::setProgressMaximum(int maximum)
{
    Progress->setRange(0, qMax(0, maximum));
}

void TMainScreen::stepProgress()
{
    if (Progress->value() < Progress->maximum())
        Progress->setValue(Progress->value() + 1);
}

void TMainScreen::hideProgress()
{
    Progress->hide();
}

// ---- inactivity hooks ----------------------------------------------------------------------

void TMainScreen::closeSubScreens(bool, bool)
{
    // The sub-screens are added by their own pages; none exists yet.
}

void TMainScreen::showPicture()
{
    ShowPicture();
}

void TMainScreen::ShowPicture()
{
    m_mainArea->ShowPicture();
}

void TMainScreen::ShowWebPage()
{
    m_mainArea->ShowWebPage();
}

void TMainScreen::openCommButPage(const QString &address)
{
    m_mainArea->OpenCommButPage(address);
}

void TMainScreen::AskStatusScreen()
{
    m_poller->AskStatusScreen();
}

bool TMainScreen::StatusScreen() const
{
    return m_poller->StatusScreen();
}

bool TMainScreen::AskingStatusScreen() const
{
    return m_poller->AskingStatusScreen();
}

void TMainScreen::startAutoNav() {}

bool TMainScreen::eventFilter(QObject *watched, QEvent *event)
{
    const bool tap = event->type() == QEvent::MouseButtonPress || event->type() == QEvent::TouchBegin;
    if (tap && watched == imgLogoOn) {
        ResetConnection();
        return true;
    }
    if (tap && watched == imgLogoOff) {
        SetConnection();
        return true;
    }
    if (tap && watched == lblTemp) {
        lblTempClick();
        return true;
    }
    if (watched == panBottom && event->type() == QEvent::Resize)
        CenterDock();
    return QWidget::eventFilter(watched, event);
}

// ---- closing -------------------------------------------------------------------------------

void TMainScreen::DoTheClose()
{
    for (int i = 0; i < 7; ++i) {
        if (m_mainArea->browserExists()) {
            m_mainArea->closeBrowser();
            QCoreApplication::processEvents();
        }
    }
    close();
}

void TMainScreen::closeEvent(QCloseEvent *event)
{
    if (m_closed) {
        event->accept();
        return;
    }
    m_closed = true;
    m_startDelayTimer.stop();
    m_poller->stop();
    m_link->ResetConnection();
    try {
        TOpenDataSets::SaveAllXML(m_data, true);
    } catch (const std::exception &e) {
        qCWarning(lcApp) << "saving the project at close failed:" << e.what();
    }
    event->accept();
}
