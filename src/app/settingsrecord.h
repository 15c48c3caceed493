#pragma once

#include "platform/colorcodec.h"

#include <QString>

// The main screen's settings record: one field per key of kvx.ini, named as the panel's screens
// know them, holding the defaults until the file is read. SettingsStore reads and writes it.
struct SettingsRecord
{
    // [MTPath]
    QString ProjDir;

    // [MTCom]
    QString LanHost = QStringLiteral("192.168.1.151");
    int LanPort = 10001;
    bool BusMon = false;

    // [MTSS]
    bool DumpConnection = false;
    int DumpConnectionTimer = 180;
    int CleanTimer = 120;
    bool ScreenSPict = true;
    QString ScreenSImage;
    bool ScreenSWrap = false;
    QString MainUrl = QStringLiteral("qrc:/halvane/welcome.html");

    // [Sett]
    int FontSize = 14;
    int ComButHeight = 90;
    int SpeedButHeight = 90;
    int TempFontSize = 34;
    int ComSpeedBFontSize = 10;
    TColor BackGndColor = 0x007D9CAA;
    TColor TextColor = 0x00392F2D;
    TColor AccentColor = 0x00263533;
    int btnRounding = 8;
    bool UseSingleButtons = false;
    bool UseWideNav = false;
    int NoColumns = 4;
    int RowHeight = 150;
    int NavHeight = 90;
    int NavWidth = 200;
    int GlowPercent = 0;
    int StatTimer = 150;
    bool AutoCloseWeb = false;
    bool DispNuvo = false;
    bool DispSiedle = false;
    bool EndUserOnly = false;
    bool AMinimalise = false;
    QString EndUserC = QStringLiteral("7086");
    int StartDelay = 5;
    TColor btnBevelColorOn = ColorCodec::clRed;
    TColor btnBevelColorOff = ColorCodec::clGreen;
    TColor btnTextColorOn = ColorCodec::clRed;
    TColor btnTextColorOff = ColorCodec::clGreen;
    TColor HeatingOnColor = ColorCodec::clRed;
    TColor HeatingOffColor = ColorCodec::clBlue;
    bool btnOnOffColors = false;
    QString TouchMainNav;

    // [TSM]
    int FollowingTSMGR = 0;
    int FollowingTSMAD = 0;

    // [DMX] (the presets are read by the RGB screen when it is shown)
    bool DMXColor4 = false;
    bool DMXFade = false;

    // [Nuvo]
    bool NuvAutoClose = true;
    bool NuvInternetState = true;

    // [Halvane]: addresses of everything outside the panel, so that tests and the demo can point
    // them at this machine. The .example names never resolve; an installer sets real ones.
    QString ManualUrl = QStringLiteral("https://www.halvane.example/HalvaneManualNL/Introductie.html");
    QString UpdateServer = QStringLiteral("https://www.halvane.example");
    QString IconServer = QStringLiteral("https://icons.halvane.example/icons/png/light/");
    QString SsdpAddress = QStringLiteral("239.255.255.250");
    int SsdpPort = 1900;
    int PlayerPort = 4747;
    int PlayerHttpPort = 80;
};
