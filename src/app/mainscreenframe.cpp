// The frame around the project's buttons: the dock, the clock line, the thermostat pop-up, the
// main area and the door-station launcher.
#include "app/mainscreen.h"

#include "app/clockline.h"
#include "app/messageoverlay.h"
#include "app/settingsstore.h"
#include "bus/gatewaylink.h"
#include "data/datamodulekvx.h"
#include "platform/logging.h"
#include "platform/processcontrol.h"
#include "platform/shellopener.h"
#include "touch/iconset.h"
#include "touch/popuppanel.h"
#include "touch/touchbutton.h"
#include "touch/touchcolors.h"

#include <QDateTime>
#include <QEvent>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace {

struct DockEntry
{
    const char16_t *objectName;
    const char16_t *accessibleName;
    const char16_t *picture; // an entry of the icon set
    void (TMainScreen::*handler)();
};

// Left to right, with a gap after the door station.
const DockEntry kDock[] = {
    {u"imgButtons", u"Knoppen", u"HuisAlgemeen", &TMainScreen::imgButtonsClick},
    {u"imgThermo", u"Thermostaat", u"Verwarming", &TMainScreen::imgThermoClick},
    {u"imgClock", u"Klokmodule", u"Klokscherm", &TMainScreen::imgClockClick},
    {u"imgRGB", u"RGB-verlichting", u"Sfeer", &TMainScreen::imgRGBClick},
    {u"imgMusic", u"Muziek", u"Muziek", &TMainScreen::imgMusicClick},
    {u"imgSiedle", u"Deurstation", u"Bel", &TMainScreen::imgSiedleClick},
    {u"imgRefresh", u"Vernieuwen", u"Status", &TMainScreen::imgRefreshClick},
    {u"imgCleaning", u"Reinigen", u"Help", &TMainScreen::imgCleaningClick},
    {u"imgSettings", u"Instellingen", u"Opslaan", &TMainScreen::imgSettingsClick},
    {u"imgUpdate", u"Update", u"PijlOp", &TMainScreen::imgUpdateClick},
    {u"imgMinimize", u"Minimaliseren", u"PijlNeer", &TMainScreen::imgMinimizeClick},
    {u"imgExit", u"Afsluiten", u"AanUit", &TMainScreen::imgExitClick},
};

constexpr int kDockIconSize = 84;

} // namespace

void TMainScreen::buildDock()
{
    panDock = new QWidget(panBottom);
    panDock->setObjectName(u"panDock"_s);
    auto *row = new QHBoxLayout(panDock);
    row->setContentsMargins(0, 10, 0, 10);
    row->setSpacing(6);
    const QStringList names = IconSet::names();
    for (const DockEntry &entry : kDock) {
        const QString objectName = QString::fromUtf16(entry.objectName);
        if (objectName == u"imgRefresh"_s)
            row->addSpacing(15);
        auto *icon = new TouchButton(panDock);
        icon->setObjectName(objectName);
        icon->setAccessibleName(QString::fromUtf16(entry.accessibleName));
        icon->setToolTip(icon->accessibleName());
        icon->setFixedSize(kDockIconSize, kDockIconSize);
        icon->setBevel(false);
        icon->setPicturePosition(TouchButton::PictureCenter);
        icon->setPictureScaling(TouchButton::PictureFitted);
        icon->setPicture(m_icons->off().icon(int(names.indexOf(QString::fromUtf16(entry.picture)))));
        const auto handler = entry.handler;
        connect(icon, &TouchButton::clicked, this, [this, handler] { (this->*handler)(); });
        row->addWidget(icon);
    }
    // Shown by their rules: the special modules, the settings and the update check.
    for (const auto *name :
         {u"imgThermo", u"imgClock", u"imgRGB", u"imgMusic", u"imgSiedle", u"imgUpdate", u"imgMinimize"})
        dockIcon(QString::fromUtf16(name))->hide();
    panBottom->installEventFilter(this);
}

TouchButton *TMainScreen::dockIcon(const QString &objectName) const
{
    return panDock->findChild<TouchButton *>(objectName, Qt::FindDirectChildrenOnly);
}

void TMainScreen::CenterDock()
{
    panDock->adjustSize();
    panDock->move((width() - panDock->width()) / 2, (panBottom->height() - panDock->height()) / 2);
}

void TMainScreen::FormActivate()
{
    m_link->resetInactivityCount();
    const SettingsRecord &s = settings();
    dockIcon(u"imgMusic"_s)->setVisible(s.DispNuvo);
    dockIcon(u"imgSiedle"_s)->setVisible(s.DispSiedle);
    dockIcon(u"imgMinimize"_s)->setVisible(s.AMinimalise);
    CenterDock();
}

void TMainScreen::dockAction(const std::function<void()> &action)
{
    if (!StatusScreen() && ProgramStarted)
        action();
    KeepConAlive();
}

// The screens these icons open are pages of their own; until a page exists its icon only counts
// as activity.
void TMainScreen::imgButtonsClick()
{
    dockAction([] {});
}

void TMainScreen::imgThermoClick()
{
    dockAction([] {});
}

void TMainScreen::imgClockClick()
{
    dockAction([] {});
}

void TMainScreen::imgRGBClick()
{
    dockAction([] {});
}

void TMainScreen::imgMusicClick()
{
    dockAction([] {});
}

void TMainScreen::imgRefreshClick()
{
    dockAction([this] {
        SetConnection();
        AskStatusScreen();
    });
}

void TMainScreen::imgCleaningClick()
{
    dockAction([] {});
}

void TMainScreen::imgSettingsClick()
{
    dockAction([this] {
        if (settings().EndUserOnly) {
            EUSettings = true;
            EUClose = false;
            ShowAccessCodeForm();
        } else {
            ShowSettingsForm();
        }
    });
}

void TMainScreen::imgUpdateClick()
{
    dockAction([this] {
        m_message->showMessage(
            u"Er is een nieuwere versie beschikbaar.\nHet downloaden zal starten als je dit "
            u"programma afsluit."_s);
    });
}

void TMainScreen::imgMinimizeClick()
{
    dockAction([this] { showMinimized(); });
}

void TMainScreen::imgExitClick()
{
    dockAction([this] {
        if (settings().EndUserOnly) {
            EUClose = true;
            EUSettings = false;
            ShowAccessCodeForm();
        } else {
            DoTheClose();
        }
    });
}

void TMainScreen::ShowAccessCodeForm()
{
    // The access-code page is added with the settings screens.
    qCInfo(lcApp) << "access code asked for" << (EUClose ? "exit" : "settings");
}

void TMainScreen::ShowSettingsForm()
{
    // The settings page is added with the settings screens.
    qCInfo(lcApp) << "settings screen asked for";
}

// The door station: no guard and no activity count.
void TMainScreen::imgSiedleClick()
{
    const QString path = QString::fromUtf16(SiedlePath);
    const QString fileName = path.mid(path.lastIndexOf(u'\\') + 1);
    bool ok = true;
    if (m_platform.processes.ProcessExists(fileName))
        m_platform.processes.KillProcess(u"BSHT.exe"_s);
    ok = m_platform.shell.open(path, ShellOpener::ShowMode::Normal);
    if (!ok)
        m_message->showMessage(u"Het geselecteerde programma kan niet geopend worden"_s);
}

// ---- clock line ----------------------------------------------------------------------------

void TMainScreen::ClockTimerTimer()
{
    lblTime->setText(ClockLine::text(QDateTime::currentDateTime()));
    // The clock labels of the other screens follow here once those screens exist.
}

// ---- thermostat pop-up ---------------------------------------------------------------------

void TMainScreen::buildThermostatPopup()
{
    m_thermoPopup = new PopupPanel(this);
    m_thermoPopup->setObjectName(u"popThermo"_s);
    m_thermoPopup->setHeader(u"Thermostaat"_s);
    m_thermoPopup->setFooter(u"-"_s);
    panThermo = new QWidget;
    panThermo->setObjectName(u"panThermo"_s);
    auto *grid = new QGridLayout(panThermo);
    auto *measured = new QLabel(u"Gemeten temperatuur:"_s, panThermo);
    auto *set = new QLabel(u"Ingestelde temperatuur:"_s, panThermo);
    lblThermoMeasured = new QLabel(u"..."_s, panThermo);
    lblThermoMeasured->setObjectName(u"lblThermoMeasured"_s);
    lblThermoSet = new QLabel(u"..."_s, panThermo);
    lblThermoSet->setObjectName(u"lblThermoSet"_s);
    grid->addWidget(measured, 0, 0, 1, 2);
    grid->addWidget(lblThermoMeasured, 0, 2, 1, 2, Qt::AlignRight);
    grid->addWidget(set, 1, 0, 1, 2);
    grid->addWidget(lblThermoSet, 1, 2, 1, 2, Qt::AlignRight);
    auto *comforts = new QWidget(panThermo);
    comforts->setObjectName(u"panComfort"_s);
    auto *row = new QHBoxLayout(comforts);
    row->setContentsMargins(4, 4, 4, 4);
    for (int n = 1; n <= 4; ++n) {
        auto *b = new TouchButton(comforts);
        b->setObjectName(u"btnComfort"_s + QString::number(n));
        b->setMinimumHeight(64);
        connect(b, &TouchButton::clicked, this, [this, n] {
            DSFunct = 10 + n;
            SendComfort();
        });
        row->addWidget(b);
        m_comfortButtons.append(b);
    }
    grid->addWidget(comforts, 2, 0, 1, 4);
    panThermo->setMinimumWidth(460);
    m_thermoPopup->setContentWidget(panThermo);
    lblTemp->installEventFilter(this);
}

void TMainScreen::lblTempClick()
{
    const QSize size = m_thermoPopup->panelSize();
    const QPoint labelLeft = lblTemp->mapTo(this, QPoint(0, 0));
    m_thermoPopup->popupAt(QPoint(labelLeft.x() - size.width() / 2, 50));
    AskFollowedThermostat();
}

void TMainScreen::AskFollowedThermostat()
{
    const SettingsRecord &s = settings();
    Send0 = quint8(s.FollowingTSMAD);
    Send1 = quint8(0x50 + s.FollowingTSMGR);
    SendData();
}

void TMainScreen::SendComfort()
{
    KeepConAlive();
    const SettingsRecord &s = settings();
    Send0 = quint8(DSFunct);
    Send1 = 0xE0;
    SendData();
    // The pop-up shows the followed thermostat, so its comfort buttons address that one; without
    // a followed thermostat, the selected special module.
    int address = s.FollowingTSMAD;
    int group = s.FollowingTSMGR;
    if (address == 0 && group == 0 && m_data.cdsMTAddMembers.isActive()) {
        address = m_data.cdsMTAddMembers.fieldInt(u"Address");
        group = m_data.cdsMTAddMembers.fieldInt(u"Group");
    }
    Send0 = quint8(address);
    Send1 = quint8(0xD0 + group);
    SendData();
}
