#include "app/settingkeys.h"

using namespace Qt::StringLiterals;

namespace SettingKeys {
namespace {

using R = SettingsRecord;

SettingKey integer(const QString &s, const QString &k, int def, int R::*f)
{
    return {s, k, SettingType::Integer, def, f};
}
SettingKey boolean(const QString &s, const QString &k, bool def, bool R::*f)
{
    return {s, k, SettingType::Boolean, def, f};
}
SettingKey colour(const QString &s, const QString &k, TColor def, TColor R::*f)
{
    return {s, k, SettingType::Colour, QVariant::fromValue(uint(def)), f};
}
SettingKey text(const QString &s, const QString &k, const QString &def, QString R::*f)
{
    return {s, k, SettingType::Text, def, f};
}

constexpr int kPresets[8][3] = {{255, 0, 0},   {0, 255, 0},   {0, 0, 255},   {255, 255, 0},
                                {0, 255, 255}, {255, 125, 5}, {5, 125, 255}, {125, 255, 5}};

QList<SettingKey> buildTable()
{
    const R d; // the defaults live in the record's initialisers
    const QString path = u"MTPath"_s, com = u"MTCom"_s, ss = u"MTSS"_s, sett = u"Sett"_s;
    QList<SettingKey> t{
        text(path, u"ProjDir"_s, d.ProjDir, &R::ProjDir),

        text(com, u"LanHost"_s, d.LanHost, &R::LanHost),
        integer(com, u"LanPort"_s, d.LanPort, &R::LanPort),
        boolean(com, u"BusMon"_s, d.BusMon, &R::BusMon),

        boolean(ss, u"DumPConnection"_s, d.DumpConnection, &R::DumpConnection),
        integer(ss, u"DumPConnectionTimer"_s, d.DumpConnectionTimer, &R::DumpConnectionTimer),
        integer(ss, u"CleanTimer"_s, d.CleanTimer, &R::CleanTimer),
        boolean(ss, u"ScreenSPict"_s, d.ScreenSPict, &R::ScreenSPict),
        text(ss, u"ScreenSImage"_s, d.ScreenSImage, &R::ScreenSImage),
        boolean(ss, u"ScreenSWrap"_s, d.ScreenSWrap, &R::ScreenSWrap),
        text(ss, u"MainUrl"_s, d.MainUrl, &R::MainUrl),

        integer(sett, u"FontSize"_s, d.FontSize, &R::FontSize),
        integer(sett, u"ComButHeight"_s, d.ComButHeight, &R::ComButHeight),
        integer(sett, u"SpeedButHeight"_s, d.SpeedButHeight, &R::SpeedButHeight),
        integer(sett, u"TempFontSize"_s, d.TempFontSize, &R::TempFontSize),
        integer(sett, u"CommSpeedBFontSize"_s, d.ComSpeedBFontSize, &R::ComSpeedBFontSize),
        colour(sett, u"BackGndColor"_s, d.BackGndColor, &R::BackGndColor),
        colour(sett, u"TextColor"_s, d.TextColor, &R::TextColor),
        colour(sett, u"AccentColor"_s, d.AccentColor, &R::AccentColor),
        integer(sett, u"BtnRounding"_s, d.btnRounding, &R::btnRounding),
        boolean(sett, u"UseSingleButtons"_s, d.UseSingleButtons, &R::UseSingleButtons),
        boolean(sett, u"UseWideNav"_s, d.UseWideNav, &R::UseWideNav),
        integer(sett, u"NoColumns"_s, d.NoColumns, &R::NoColumns),
        integer(sett, u"RowHeight"_s, d.RowHeight, &R::RowHeight),
        integer(sett, u"NavHeight"_s, d.NavHeight, &R::NavHeight),
        integer(sett, u"NavWidth"_s, d.NavWidth, &R::NavWidth),
        integer(sett, u"GlowPercent"_s, d.GlowPercent, &R::GlowPercent),
        integer(sett, u"StatTimer"_s, d.StatTimer, &R::StatTimer),
        boolean(sett, u"AutoCloseWeb"_s, d.AutoCloseWeb, &R::AutoCloseWeb),
        boolean(sett, u"DispNuvo"_s, d.DispNuvo, &R::DispNuvo),
        boolean(sett, u"DispSiedle"_s, d.DispSiedle, &R::DispSiedle),
        boolean(sett, u"EndUserOnly"_s, d.EndUserOnly, &R::EndUserOnly),
        boolean(sett, u"AMinimalise"_s, d.AMinimalise, &R::AMinimalise),
        text(sett, u"EndUserC"_s, d.EndUserC, &R::EndUserC),
        integer(sett, u"StartDelay"_s, d.StartDelay, &R::StartDelay),
        colour(sett, u"btnBevelColorOn"_s, d.btnBevelColorOn, &R::btnBevelColorOn),
        colour(sett, u"btnBevelColorOff"_s, d.btnBevelColorOff, &R::btnBevelColorOff),
        colour(sett, u"btnTextColorOn"_s, d.btnTextColorOn, &R::btnTextColorOn),
        colour(sett, u"btnTextColorOff"_s, d.btnTextColorOff, &R::btnTextColorOff),
        colour(sett, u"HeatingOnColor"_s, d.HeatingOnColor, &R::HeatingOnColor),
        colour(sett, u"HeatingOffColor"_s, d.HeatingOffColor, &R::HeatingOffColor),
        boolean(sett, u"btnOnOffColors"_s, d.btnOnOffColors, &R::btnOnOffColors),
        text(sett, u"TouchMainNav"_s, d.TouchMainNav, &R::TouchMainNav),

        integer(u"TSM"_s, u"FollowingGr"_s, d.FollowingTSMGR, &R::FollowingTSMGR),
        integer(u"TSM"_s, u"FollowingAd"_s, d.FollowingTSMAD, &R::FollowingTSMAD),

        boolean(u"DMX"_s, u"Color4"_s, d.DMXColor4, &R::DMXColor4),
        boolean(u"DMX"_s, u"Fade"_s, d.DMXFade, &R::DMXFade),
    };
    for (int n = 1; n <= 8; ++n) {
        const DmxPreset p = defaultDmxPreset(n);
        const QString ps = u"PS"_s + QString::number(n);
        t.append({u"DMX"_s, ps + u'R', SettingType::Integer, p.red, {}});
        t.append({u"DMX"_s, ps + u'G', SettingType::Integer, p.green, {}});
        t.append({u"DMX"_s, ps + u'B', SettingType::Integer, p.blue, {}});
        t.append({u"DMX"_s, ps + u"Name"_s, SettingType::Text, p.name, {}});
    }
    t.append({
        boolean(u"Nuvo"_s, u"AutoClose"_s, d.NuvAutoClose, &R::NuvAutoClose),
        boolean(u"Nuvo"_s, u"Internet"_s, d.NuvInternetState, &R::NuvInternetState),

        text(u"Halvane"_s, u"ManualUrl"_s, d.ManualUrl, &R::ManualUrl),
        text(u"Halvane"_s, u"UpdateServer"_s, d.UpdateServer, &R::UpdateServer),
        text(u"Halvane"_s, u"IconServer"_s, d.IconServer, &R::IconServer),
        text(u"Halvane"_s, u"SsdpAddress"_s, d.SsdpAddress, &R::SsdpAddress),
        integer(u"Halvane"_s, u"SsdpPort"_s, d.SsdpPort, &R::SsdpPort),
        integer(u"Halvane"_s, u"PlayerPort"_s, d.PlayerPort, &R::PlayerPort),
        integer(u"Halvane"_s, u"PlayerHttpPort"_s, d.PlayerHttpPort, &R::PlayerHttpPort),
    });
    return t;
}

} // namespace

const QList<SettingKey> &all()
{
    static const QList<SettingKey> table = buildTable();
    return table;
}

const SettingKey *find(const QString &section, const QString &key)
{
    for (const SettingKey &k : all()) {
        if (k.section.compare(section, Qt::CaseInsensitive) == 0 &&
            k.key.compare(key, Qt::CaseInsensitive) == 0)
            return &k;
    }
    return nullptr;
}

DmxPreset defaultDmxPreset(int n)
{
    if (n < 1 || n > 8)
        return {};
    const auto &p = kPresets[n - 1];
    return {p[0], p[1], p[2], u"Preset"_s + QString::number(n)};
}

} // namespace SettingKeys
