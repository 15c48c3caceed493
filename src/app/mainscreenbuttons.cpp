// The project's buttons on the main screen: the speed buttons in the right-hand panel and the
// communication buttons under the main area, their press and release, their on/off faces and
// the small panel that sets their size.
#include "app/mainscreen.h"

#include "app/settingsstore.h"
#include "bus/redrawcoalescer.h"
#include "data/dataerror.h"
#include "data/datamodulekvx.h"
#include "data/datatable.h"
#include "data/filterexpression.h"
#include "platform/logging.h"
#include "platform/shellopener.h"
#include "touch/iconset.h"
#include "touch/spinner.h"
#include "touch/touchbutton.h"
#include "touch/touchcolors.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QScrollArea>
#include <QScroller>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace {

QScrollArea *makeScrollArea(QWidget *panel, const QString &name, const QMargins &margins, TColor background)
{
    delete panel->layout();
    auto *outer = new QVBoxLayout(panel);
    outer->setContentsMargins(margins);
    auto *area = new QScrollArea(panel);
    area->setObjectName(name);
    area->setFrameShape(QFrame::NoFrame);
    area->setWidgetResizable(true);
    area->setAutoFillBackground(true);
    QPalette pal = area->palette();
    pal.setColor(QPalette::Window, toQColor(background));
    area->setPalette(pal);
    QScroller::grabGesture(area->viewport(), QScroller::LeftMouseButtonGesture);
    outer->addWidget(area);
    return area;
}

} // namespace

QWidget *TMainScreen::speedButtonArea() const
{
    return sbSpeedButtons ? sbSpeedButtons->widget() : nullptr;
}

QWidget *TMainScreen::commButtonArea() const
{
    return sbComSpeedButtons ? sbComSpeedButtons->widget() : nullptr;
}

TouchButton *TMainScreen::makeProjectButton(DataView &table, QWidget *parent)
{
    const SettingsRecord &s = settings();
    auto *b = new TouchButton(parent);
    b->setObjectName(table.fieldText(u"Name"));
    QString caption = table.fieldText(u"ButCap");
    if (caption.isEmpty())
        caption = table.fieldText(u"ActionCapt");
    b->setText(caption);
    b->setAccessibleName(caption.isEmpty() ? b->objectName() : caption);
    b->setColor(toQColor(s.BackGndColor));
    b->setBevel(true);
    b->setBevelColor(toQColor(s.AccentColor));
    b->setTextAlignment(Qt::AlignCenter);
    // The common look of built buttons.
    b->setRounding(s.btnRounding);
    b->setWordWrap(true);
    b->setGlowPercent(s.GlowPercent);
    b->setShadow(true);
    return b;
}

void TMainScreen::LoadSpeedButtons()
{
    const SettingsRecord &s = settings();
    m_speedButtons.clear();
    m_commButtons.clear();
    ClickBut = nullptr;

    delete sbSpeedButtons;
    sbSpeedButtons =
        makeScrollArea(panSpeedButtons, u"sbSpeedButtons"_s, QMargins(3, 3, 3, 3), s.BackGndColor);
    auto *speedContent = new QWidget;
    auto *column = new QVBoxLayout(speedContent);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    DataView &speed = m_data.cdsMTSpeedBut;
    if (speed.isActive()) {
        speed.clearFilter();
        // In table order from the top, as buttons docked to the top one after the other.
        for (speed.first(); !speed.eof(); speed.next()) {
            TouchButton *b = makeProjectButton(speed, speedContent);
            b->setFixedHeight(s.SpeedButHeight);
            b->setTextColor(toQColor(s.TextColor));
            b->setFontSize(s.FontSize);
            b->setPicturePosition(TouchButton::PictureLeft);
            b->setPictureScaling(TouchButton::PictureStretched);
            b->setPicture(m_icons->off().icon(speed.fieldInt(u"Dim")));
            connect(b, &TouchButton::pressed, this, [this, b] { btnSpeedButMouseDown(b); });
            connect(b, &TouchButton::released, this, &TMainScreen::btnSpeedButMouseUp);
            column->addWidget(b);
            m_speedButtons[b->objectName()].append(SpeedFace{b});
        }
    }
    column->addStretch(1);
    sbSpeedButtons->setWidget(speedContent);

    delete sbComSpeedButtons;
    sbComSpeedButtons =
        makeScrollArea(panCommButtons, u"sbComSpeedButtons"_s, QMargins(5, 10, 5, 10), s.BackGndColor);
    auto *commContent = new QWidget;
    auto *row = new QHBoxLayout(commContent);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(0);
    DataView &comm = m_data.cdsMTCommBut;
    if (comm.isActive()) {
        comm.clearFilter();
        for (comm.first(); !comm.eof(); comm.next()) {
            TouchButton *b = makeProjectButton(comm, commContent);
            b->setFixedWidth(s.ComButHeight);
            b->setTextColor(toQColor(s.AccentColor));
            b->setFontSize(s.ComSpeedBFontSize);
            connect(b, &TouchButton::pressed, this, [this, b] { btnCommButMouseDown(b); });
            connect(b, &TouchButton::released, this, &TMainScreen::btnCommButMouseUp);
            row->addWidget(b);
            m_commButtons[b->objectName()].append(b);
        }
    }
    row->addStretch(1);
    sbComSpeedButtons->setWidget(commContent);

    if (s.DumpConnection)
        AskStatusScreen();
}

void TMainScreen::sendActions(DataView &actions)
{
    if (!actions.isActive())
        return;
    for (actions.first(); !actions.eof(); actions.next()) {
        Send0 = quint8(actions.fieldInt(u"Aad"));
        Send1 = quint8((actions.fieldInt(u"Agr") + actions.fieldInt(u"Function")) % 256);
        SendData();
    }
}

namespace {

// Filters a table; a filter the table cannot take (a closed table, a broken file) leaves it
// as it was and tells the caller.
bool applyFilter(DataView &view, const QString &text)
{
    if (!view.isActive())
        return false;
    try {
        view.setFilter(text);
        return true;
    } catch (const std::exception &e) {
        qCWarning(lcApp) << "filter" << text << "on" << view.name() << "failed:" << e.what();
        return false;
    }
}

const QString kPressFlanks = QStringLiteral(" and On_Off = True and ((Flank = 1)or(Flank = 2))");
const QString kReleaseFlanks = QStringLiteral(" and On_Off = True and ((Flank = 0)or(Flank = 2))");

} // namespace

void TMainScreen::btnSpeedButMouseDown(TouchButton *button)
{
    KeepConAlive();
    ClickBut = button;
    const QString name = FilterExpression::quote(button->objectName());
    if (applyFilter(m_data.cdsMTSpeedBut, u"Name = "_s + name)) {
        const QString startIt = m_data.cdsMTSpeedBut.fieldText(u"StartIt");
        if (!startIt.isEmpty() && !m_data.cdsMTSpeedBut.isEmpty())
            m_platform.shell.open(startIt, ShellOpener::ShowMode::Maximized); // StartSpeedButProgram
    }
    if (applyFilter(m_data.cdsMTSpeedAct, u"Button = "_s + name + kPressFlanks))
        sendActions(m_data.cdsMTSpeedAct); // SendSpeedActions
}

void TMainScreen::btnSpeedButMouseUp()
{
    if (!ClickBut)
        return;
    if (applyFilter(m_data.cdsMTSpeedAct,
                    u"Button = "_s + FilterExpression::quote(ClickBut->objectName()) + kReleaseFlanks))
        sendActions(m_data.cdsMTSpeedAct);
}

void TMainScreen::btnCommButMouseDown(TouchButton *button)
{
    KeepConAlive();
    ClickBut = button;
    const QString name = FilterExpression::quote(button->objectName());
    if (applyFilter(m_data.cdsMTCommBut, u"Name = "_s + name)) {
        const QString startIt = m_data.cdsMTCommBut.fieldText(u"StartIt");
        if (!startIt.isEmpty() && !m_data.cdsMTCommBut.isEmpty()) {
            ShowWebPage();
            openCommButPage(startIt); // OpenCommButPage
        }
    }
    if (applyFilter(m_data.cdsMTCommAct, u"Button = "_s + name + kPressFlanks))
        sendActions(m_data.cdsMTCommAct); // SendCommActions
}

void TMainScreen::btnCommButMouseUp()
{
    if (!ClickBut)
        return;
    if (applyFilter(m_data.cdsMTCommAct,
                    u"Button = "_s + FilterExpression::quote(ClickBut->objectName()) + kReleaseFlanks))
        sendActions(m_data.cdsMTCommAct);
}

void TMainScreen::requestSetFonts()
{
    m_redraw->request();
}

void TMainScreen::SetFonts()
{
    if (!ProgramStarted)
        return;
    const SettingsRecord &s = settings();

    DataView &speed = m_data.cdsMTSpeedButFont;
    if (speed.isActive()) {
        speed.clearFilter();
        const auto table = speed.table();
        const int nameField = table->fieldIndex(u"Name");
        const int activeField = table->fieldIndex(u"Active");
        const int dimField = table->fieldIndex(u"Dim");
        for (const int row : speed.visibleRows()) {
            const auto it = m_speedButtons.find(table->value(row, nameField).toString());
            if (it == m_speedButtons.end())
                continue;
            const bool active = table->value(row, activeField).toBool();
            const int dim = table->value(row, dimField).toInt();
            for (SpeedFace &face : *it) {
                if (face.known && face.active == active && face.dim == dim)
                    continue;
                face.button->setPicture(m_icons->forState(active).icon(dim));
                // Which face shows, for tests and tools that look at the button from outside.
                face.button->setProperty("faceActive", active);
                face = SpeedFace{face.button, true, active, dim};
            }
        }
    }

    DataView &comm = m_data.cdsMTCommButFont;
    if (comm.isActive()) {
        comm.clearFilter();
        const auto table = comm.table();
        const int nameField = table->fieldIndex(u"Name");
        const int activeField = table->fieldIndex(u"Active");
        const QColor off = toQColor(s.AccentColor);
        const QColor on = toQColor(ColorCodec::clRed);
        for (const int row : comm.visibleRows()) {
            const auto it = m_commButtons.constFind(table->value(row, nameField).toString());
            if (it == m_commButtons.constEnd())
                continue;
            const QColor bevel = table->value(row, activeField).toBool() ? on : off;
            for (TouchButton *b : *it)
                b->setBevelColor(bevel);
        }
    }
    // The button screen's buttons follow here once that screen exists.
}

void TMainScreen::Check4AddMembers()
{
    RTCPResent = false;
    TSMPResent = false;
    DMXPResent = false;
    DataView &add = m_data.cdsMTAddMembers;
    if (add.isActive()) {
        for (add.first(); !add.eof(); add.next()) {
            const QString kind = add.fieldText(u"Version").left(3);
            if (kind == u"RTC"_s)
                RTCPResent = true;
            else if (kind == u"TSM"_s)
                TSMPResent = true;
            else if (kind == u"DMX"_s)
                DMXPResent = true;
        }
    }
    dockIcon(u"imgClock"_s)->setVisible(RTCPResent);
    dockIcon(u"imgRGB"_s)->setVisible(DMXPResent);
    dockIcon(u"imgThermo"_s)->setVisible(TSMPResent);
    if (TSMPResent)
        lblTemp->show();
    panThermo->setProperty("shownInPopup", TSMPResent);

    DataView &comm = m_data.cdsMTCommBut;
    DataView &speed = m_data.cdsMTSpeedBut;
    if (comm.isActive())
        comm.clearFilter();
    if (speed.isActive())
        speed.clearFilter();
    panCommButtons->setVisible(comm.isActive() && comm.recordCount() > 0);
    panSpeedButtons->setVisible(speed.isActive() && speed.recordCount() > 0);
    CenterDock();
}

// ---- the small settings panel --------------------------------------------------------------

void TMainScreen::buildSmallSettingsPanel()
{
    panSmallSettings = new QWidget(this);
    panSmallSettings->setObjectName(u"panSmallSettings"_s);
    panSmallSettings->setAutoFillBackground(true);
    auto *layout = new QHBoxLayout(panSmallSettings);
    layout->setContentsMargins(12, 8, 12, 8);
    auto addSpinner = [&](const QString &caption, const QString &name, int minimum, int maximum) {
        auto *box = new QVBoxLayout;
        auto *label = new QLabel(caption, panSmallSettings);
        label->setObjectName(u"lbl"_s + name);
        auto *spinner = new Spinner(panSmallSettings);
        spinner->setObjectName(name);
        spinner->setAccessibleName(caption);
        spinner->addColumn(minimum, maximum, 1, true);
        spinner->setFixedSize(110, 120);
        box->addWidget(label, 0, Qt::AlignHCenter);
        box->addWidget(spinner);
        layout->addLayout(box);
        return spinner;
    };
    spCombbHeight = addSpinner(u"Comm toetsen"_s, u"spCombbHeight"_s, 50, 250);
    spSpeedbHeight = addSpinner(u"Sneltoetsen"_s, u"spSpeedbHeight"_s, 15, 100);
    connect(spCombbHeight, &Spinner::valueChanged, this,
            [this](int, int value) { spCombbHeightSelectedValueChanged(value); });
    connect(spSpeedbHeight, &Spinner::valueChanged, this,
            [this](int, int value) { spSpeedbHeightSelectedValueChanged(value); });
    panSmallSettings->adjustSize();
    panSmallSettings->hide();
    connect(btnSettings, &TouchButton::clicked, this, &TMainScreen::btnSettingsClick);
}

void TMainScreen::btnSettingsClick()
{
    if (!panSmallSettings->isVisible()) {
        const SettingsRecord &s = settings();
        spCombbHeight->setValue(0, s.ComButHeight);
        spSpeedbHeight->setValue(0, s.SpeedButHeight);
        panSmallSettings->adjustSize();
        panSmallSettings->move(width() - panSmallSettings->width() - 8,
                               panTop->height() + panAccent->height());
        panSmallSettings->raise();
        panSmallSettings->show();
        return;
    }
    panSmallSettings->hide();
    LoadSpeedButtons();
    AskStatusScreen();
}

void TMainScreen::spCombbHeightSelectedValueChanged(int value)
{
    m_settings.write(u"Sett"_s, u"ComButHeight"_s, value);
}

void TMainScreen::spSpeedbHeightSelectedValueChanged(int value)
{
    m_settings.write(u"Sett"_s, u"SpeedButHeight"_s, value);
}
