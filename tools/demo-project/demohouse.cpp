#include "demohouse.h"

using namespace Qt::StringLiterals;

namespace {

// Icon numbers of the panel's picture collection used by the demo.
enum Icon
{
    Lamp = 1,
    Stopcontacten = 2,
    GaragepoortOpen = 3,
    RolluikOp = 5,
    RolluikNeer = 6,
    Dimmer = 7,
    Sfeer = 8,
    PijlOp = 9,
    PijlNeer = 10,
    Camera = 12,
    Verwarming = 15,
    Ventilator = 16,
    Bel = 19,
    AllesUit = 20,
    SfeerKoken = 22,
    SfeerTv = 23,
    SfeerRomantisch = 24,
    SfeerOntbijt = 25,
    SfeerEten = 26,
    Afwasmachien = 28,
    DimmerNeer = 31,
    DimmerOp = 32,
    GaragepoortDicht = 33,
    HekkenDicht = 34,
    HekkenOpen = 35,
    Muziek = 37,
    Pomp = 39,
    ZonneschermDicht = 46,
    ZonneschermOpen = 47,
    Badkamer = 48,
    Garage = 53,
    Keuken = 57,
    Living = 59,
    Slaapkamer = 62,
    Tuin = 64,
};

// Stored function values (code × 16).
enum Function
{
    Reset = 16,
    Toggle = 32,
    Set = 48,
    Misc = 64,
    DimmerFn = 128,
};

// Flanks.
enum Flank
{
    Release = 0,
    Press = 1,
    PressAndRelease = 2
};

struct Member
{
    const char *id;
    const char *name;
    int group;
    int address;
    const char *version;
    int memberType;
    const char *info;
};

// The installation: three 8-way relay modules, a 4-way dimmer, a shutter module, two clock
// modules, a thermostat, an RGB controller and an input module.
const Member members[] = {
    {"M01", "Living plafond", 0, 10, "REL_8", 1, "Relais 1 uitgang 1"},
    {"M02", "Living staanlamp", 1, 10, "REL_8", 1, "Relais 1 uitgang 2"},
    {"M03", "Stopcontact tv-meubel", 2, 10, "REL_8", 1, "Relais 1 uitgang 3"},
    {"M04", "Eettafel", 3, 10, "REL_8", 1, "Relais 1 uitgang 4"},
    {"M05", "Keuken plafond", 4, 10, "REL_8", 1, "Relais 1 uitgang 5"},
    {"M06", "Keuken werkblad", 5, 10, "REL_8", 1, "Relais 1 uitgang 6"},
    {"M07", "Dampkap", 6, 10, "REL_8", 1, "Relais 1 uitgang 7"},
    {"M08", "Vaatwasser", 7, 10, "REL_8", 1, "Relais 1 uitgang 8"},
    {"M09", "Slaapkamer plafond", 0, 11, "REL_8", 1, "Relais 2 uitgang 1"},
    {"M10", "Bedlamp links", 1, 11, "REL_8", 1, "Relais 2 uitgang 2"},
    {"M11", "Bedlamp rechts", 2, 11, "REL_8", 1, "Relais 2 uitgang 3"},
    {"M12", "Kinderkamer plafond", 3, 11, "REL_8", 1, "Relais 2 uitgang 4"},
    {"M13", "Badkamer plafond", 4, 11, "REL_8", 1, "Relais 2 uitgang 5"},
    {"M14", "Badkamer spiegel", 5, 11, "REL_8", 1, "Relais 2 uitgang 6"},
    {"M15", "Handdoekradiator", 6, 11, "REL_8", 1, "Relais 2 uitgang 7"},
    {"M16", "Ventilatie badkamer", 7, 11, "REL_8", 1, "Relais 2 uitgang 8"},
    {"M17", "Tuinverlichting", 0, 12, "REL_8", 1, "Relais 3 uitgang 1"},
    {"M18", "Terrasverlichting", 1, 12, "REL_8", 1, "Relais 3 uitgang 2"},
    {"M19", "Vijverpomp", 2, 12, "REL_8", 1, "Relais 3 uitgang 3"},
    {"M20", "Stopcontact terras", 3, 12, "REL_8", 1, "Relais 3 uitgang 4"},
    {"M21", "Garage plafond", 4, 12, "REL_8", 1, "Relais 3 uitgang 5"},
    {"M22", "Garagepoort open", 5, 12, "REL_8", 1, "Relais 3 uitgang 6"},
    {"M23", "Garagepoort dicht", 6, 12, "REL_8", 1, "Relais 3 uitgang 7"},
    {"M24", "Opritverlichting", 7, 12, "REL_8", 1, "Relais 3 uitgang 8"},
    {"M25", "Living dimmer", 0, 20, "DIM_4", 2, "Dimmer kanaal 1"},
    {"M26", "Keukeneiland dimmer", 1, 20, "DIM_4", 2, "Dimmer kanaal 2"},
    {"M27", "Slaapkamer dimmer", 2, 20, "DIM_4", 2, "Dimmer kanaal 3"},
    {"M28", "Badkamer sfeerlicht", 3, 20, "DIM_4", 2, "Dimmer kanaal 4"},
    {"M29", "Rolluik living op", 0, 30, "ROL_4", 3, "Rolluikmodule kanaal 1"},
    {"M30", "Rolluik living neer", 1, 30, "ROL_4", 3, "Rolluikmodule kanaal 1"},
    {"M31", "Rolluik keuken op", 2, 30, "ROL_4", 3, "Rolluikmodule kanaal 2"},
    {"M32", "Rolluik keuken neer", 3, 30, "ROL_4", 3, "Rolluikmodule kanaal 2"},
    {"M33", "Rolluik slaapkamer op", 4, 30, "ROL_4", 3, "Rolluikmodule kanaal 3"},
    {"M34", "Rolluik slaapkamer neer", 5, 30, "ROL_4", 3, "Rolluikmodule kanaal 3"},
    {"M35", "Zonnescherm uit", 6, 30, "ROL_4", 3, "Rolluikmodule kanaal 4"},
    {"M36", "Zonnescherm in", 7, 30, "ROL_4", 3, "Rolluikmodule kanaal 4"},
    {"M37", "Klok woning", 2, 40, "RTC_82", 5, "Klokmodule in de meterkast"},
    {"M38", "Klok tuin", 0, 41, "RTC_24", 5, "Klokmodule in de garage"},
    {"M39", "Thermostaat living", 0, 50, "TSM_12", 6, "Ruimtethermostaat"},
    {"M40", "RGB keuken", 0, 60, "DMX_3", 7, "RGB-sturing onder de kasten"},
    {"M41", "Drukknop inkom", 0, 70, "INP_8", 4, "Ingangsmodule ingang 1"},
    {"M42", "Deurbel", 1, 70, "INP_8", 4, "Ingangsmodule ingang 2"},
    {"M43", "Beweging oprit", 2, 70, "INP_8", 4, "Ingangsmodule ingang 3"},
};

const Member *member(const QString &id)
{
    for (const Member &m : members) {
        if (QLatin1StringView(m.id) == id)
            return &m;
    }
    return nullptr;
}

QVariantHash memberRow(const Member &m)
{
    return {{u"MemberID"_s, QString::fromUtf8(m.id)},
            {u"Name"_s, QString::fromUtf8(m.name)},
            {u"Group"_s, m.group},
            {u"Address"_s, m.address},
            {u"Version"_s, QString::fromUtf8(m.version)},
            {u"AdditionalInfo"_s, QString::fromUtf8(m.info)},
            {u"MemberType"_s, m.memberType},
            {u"On_Off"_s, true}};
}

struct Screen
{
    const char *name;
    const char *caption;
    int image;
};

const Screen screens[] = {
    {"Living", "Living", Living},
    {"Keuken", "Keuken", Keuken},
    {"Slaapkamer", "Slaapkamer", Slaapkamer},
    {"Badkamer", "Badkamer", Badkamer},
    {"Tuin", "Tuin", Tuin},
    {"Garage", "Garage", Garage},
};

struct Action
{
    const char *actionId;
    int function;
    int flank;
    bool enabled = true;
    int dataAd = 0;
    int dataGr = 0;
    const char *dataName = "";
};

struct Button
{
    const char *name;
    const char *screen;  // navigation screen; empty for speed and communication buttons
    const char *butCap;  // empty: the member's name is the caption
    const char *stateOf; // the member whose state the button shows
    int dim;
    QList<Action> actions;
    const char *startIt = "";
    // The bus point whose state the button shows when it is not a member of this project.
    int stateAddress = -1;
    int stateGroup = 0;
};

// A light that toggles on press.
QList<Action> toggle(const char *id)
{
    return {{id, Toggle, Press}};
}

// A shutter: stop the opposite direction, then move.
QList<Action> shutter(const char *stop, const char *move)
{
    return {{stop, Reset, Press}, {move, Set, Press}};
}

// Dimming runs while the button is held: the dimmer starts on press and stops on release.
QList<Action> dim(const char *id)
{
    return {{id, DimmerFn, PressAndRelease}};
}

// A motor that runs only while the button is held.
QList<Action> hold(const char *id)
{
    return {{id, Set, Press}, {id, Reset, Release}};
}

const QList<Button> &navigationButtons()
{
    static const QList<Button> buttons{
        // Living: 11 places, one of them kept free.
        {"LivPlafond", "Living", "", "M01", Lamp, toggle("M01")},
        {"LivStaanlamp", "Living", "Staanlamp", "M02", Lamp, toggle("M02")},
        {"LivTv", "Living", "Tv-meubel", "M03", Stopcontacten, toggle("M03")},
        {"LivEettafel", "Living", "", "M04", Lamp, toggle("M04")},
        {"LivDimOp", "Living", "Dimmer op", "M25", DimmerOp, dim("M25")},
        {"LivDimNeer", "Living", "Dimmer neer", "M25", DimmerNeer, dim("M25")},
        {"LivRolOp", "Living", "Rolluik op", "M29", RolluikOp, shutter("M30", "M29")},
        {"LivRolNeer", "Living", "Rolluik neer", "M30", RolluikNeer, shutter("M29", "M30")},
        {"LivLeeg", "Living", "EmptyButton", "", 0, {}},
        {"LivSfeerTv",
         "Living",
         "Tv kijken",
         "M25",
         SfeerTv,
         {{"M01", Reset, Press}, {"M25", Set, Press}, {"M03", Set, Press}, {"M04", Reset, Press, false}}},
        {"LivMuziek", "Living", "Muziek", "M03", Muziek, toggle("M03"), "http://127.0.0.1/muziek/"},
        // Keuken: 9 buttons.
        {"KeuPlafond", "Keuken", "", "M05", Lamp, toggle("M05")},
        {"KeuWerkblad", "Keuken", "Werkblad", "M06", Lamp, toggle("M06")},
        {"KeuDampkap", "Keuken", "Dampkap", "M07", Ventilator, toggle("M07")},
        {"KeuVaatwas", "Keuken", "Vaatwasser", "M08", Afwasmachien, toggle("M08")},
        {"KeuEiland", "Keuken", "Eiland", "M26", Dimmer, dim("M26")},
        {"KeuRolOp", "Keuken", "Rolluik op", "M31", RolluikOp, shutter("M32", "M31")},
        {"KeuRolNeer", "Keuken", "Rolluik neer", "M32", RolluikNeer, shutter("M31", "M32")},
        {"KeuKoken",
         "Keuken",
         "Koken",
         "M06",
         SfeerKoken,
         {{"M05", Set, Press}, {"M06", Set, Press}, {"M26", Set, Press}}},
        {"KeuOntbijt", "Keuken", "Ontbijt", "M26", SfeerOntbijt, {{"M26", Set, Press}, {"M31", Set, Press}}},
        // Slaapkamer: 8 buttons.
        {"SlpPlafond", "Slaapkamer", "", "M09", Lamp, toggle("M09")},
        {"SlpBedLinks", "Slaapkamer", "Bedlamp links", "M10", Lamp, toggle("M10")},
        {"SlpBedRechts", "Slaapkamer", "Bedlamp rechts", "M11", Lamp, toggle("M11")},
        {"SlpDimmer", "Slaapkamer", "Dimmer", "M27", Dimmer, dim("M27")},
        {"SlpRolOp", "Slaapkamer", "Rolluik op", "M33", RolluikOp, shutter("M34", "M33")},
        {"SlpRolNeer", "Slaapkamer", "Rolluik neer", "M34", RolluikNeer, shutter("M33", "M34")},
        {"SlpKinderkamer", "Slaapkamer", "Kinderkamer", "M12", Lamp, toggle("M12")},
        {"SlpSfeer",
         "Slaapkamer",
         "Sfeer",
         "M27",
         SfeerRomantisch,
         {{"M09", Reset, Press}, {"M27", Set, Press}}},
        // Badkamer: 6 buttons.
        {"BadPlafond", "Badkamer", "", "M13", Lamp, toggle("M13")},
        {"BadSpiegel", "Badkamer", "Spiegel", "M14", Lamp, toggle("M14")},
        {"BadRadiator", "Badkamer", "Handdoekradiator", "M15", Verwarming, toggle("M15")},
        {"BadVentilatie", "Badkamer", "Ventilatie", "M16", Ventilator, toggle("M16")},
        {"BadSfeer", "Badkamer", "Sfeerlicht", "M28", Sfeer, dim("M28")},
        {"BadAllesUit",
         "Badkamer",
         "Alles uit",
         "M13",
         AllesUit,
         {{"M13", Reset, Press}, {"M14", Reset, Press}, {"M16", Reset, Press}, {"M28", Reset, Press}}},
        // Tuin: 8 buttons.
        {"TuiVerlichting", "Tuin", "", "M17", Lamp, toggle("M17")},
        {"TuiTerras", "Tuin", "Terras", "M18", Lamp, toggle("M18")},
        {"TuiPomp", "Tuin", "Vijverpomp", "M19", Pomp, toggle("M19")},
        {"TuiStopcontact", "Tuin", "Stopcontact", "M20", Stopcontacten, toggle("M20")},
        {"TuiSchermUit", "Tuin", "Zonnescherm uit", "M35", ZonneschermOpen, shutter("M36", "M35")},
        {"TuiSchermIn", "Tuin", "Zonnescherm in", "M36", ZonneschermDicht, shutter("M35", "M36")},
        {"TuiSfeerEten", "Tuin", "Buiten eten", "M18", SfeerEten, {{"M18", Set, Press}, {"M17", Set, Press}}},
        {"TuiHekOpen",
         "Tuin",
         "Tuinhek",
         "",
         HekkenOpen,
         {{"DATAW", Set, Press, true, 71, 0, "Tuinhek"}},
         "",
         71,
         0},
        // Garage: 7 buttons.
        {"GarPlafond", "Garage", "", "M21", Lamp, toggle("M21")},
        {"GarPoortOpen", "Garage", "Poort open", "M22", GaragepoortOpen, hold("M22")},
        {"GarPoortDicht", "Garage", "Poort dicht", "M23", GaragepoortDicht, hold("M23")},
        {"GarOprit", "Garage", "Oprit", "M24", Lamp, toggle("M24")},
        {"GarHekDicht",
         "Garage",
         "Hek dicht",
         "",
         HekkenDicht,
         {{"DATAW", Reset, Press, true, 71, 0, "Tuinhek"}},
         "",
         71,
         0},
        {"GarCamera", "Garage", "Camera", "M43", Camera, {}, "http://127.0.0.1/camera/oprit.html"},
        {"GarAllesUit",
         "Garage",
         "Alles uit",
         "M21",
         AllesUit,
         {{"M21", Reset, Press}, {"M24", Reset, Press}, {"M17", Reset, Press}}},
    };
    return buttons;
}

const QList<Button> &speedButtons()
{
    static const QList<Button> buttons{
        {"SpdLiving", "", "Living", "M01", Lamp, toggle("M01")},
        {"SpdKeuken", "", "Keuken", "M05", Lamp, toggle("M05")},
        {"SpdEten", "", "Eten", "M04", SfeerEten, {{"M04", Set, Press}, {"M25", Set, Press}}},
        {"SpdRolOp",
         "",
         "Rolluiken op",
         "M29",
         PijlOp,
         {{"M29", Set, Press}, {"M31", Set, Press}, {"M33", Set, Press}}},
        {"SpdRolNeer",
         "",
         "Rolluiken neer",
         "M30",
         PijlNeer,
         {{"M30", Set, Press}, {"M32", Set, Press}, {"M34", Set, Press}}},
        {"SpdTuin", "", "Tuin", "M17", Lamp, toggle("M17")},
        {"SpdPoort", "", "Garagepoort", "M22", GaragepoortOpen, hold("M22")},
        {"SpdAllesUit",
         "",
         "Alles uit",
         "M01",
         AllesUit,
         {{"M01", Reset, Press},
          {"M02", Reset, Press},
          {"M05", Reset, Press},
          {"M09", Reset, Press},
          {"M13", Reset, Press},
          {"DATAW", Misc, Release, true, 255, 15, "Alle uitgangen"}}},
    };
    return buttons;
}

const QList<Button> &communicationButtons()
{
    static const QList<Button> buttons{
        {"ComCamera", "", "Camera", "M43", 0, {}, "http://127.0.0.1/camera/"},
        {"ComWeer", "", "Weer", "", 0, {}, "http://127.0.0.1/weer/"},
        {"ComAgenda", "", "Agenda", "", 0, {}, "http://127.0.0.1/agenda/"},
        {"ComDeurbel", "", "", "M42", 0, {}, "http://127.0.0.1/deurbel/"},
        {"ComNacht",
         "",
         "Nacht",
         "M24",
         0,
         {{"M24", Set, Press}, {"M01", Reset, Press}, {"M05", Reset, Press}, {"M30", Set, Press}}},
    };
    return buttons;
}

void addButtons(const QList<Button> &buttons, QList<QVariantHash> &butRows, QList<QVariantHash> &actRows)
{
    QHash<QString, int> indexOnScreen;
    for (const Button &b : buttons) {
        const QString screen = QString::fromUtf8(b.screen);
        const int indexer = ++indexOnScreen[screen];
        const Member *state = member(QString::fromUtf8(b.stateOf));
        const QString butCap = QString::fromUtf8(b.butCap);
        QVariantHash row{
            {u"Name"_s, QString::fromUtf8(b.name)},
            {u"Screen"_s, screen},
            {u"Caption"_s, butCap == u"EmptyButton"_s ? QString() : butCap},
            {u"ActionCapt"_s, QString()},
            {u"ButCap"_s, butCap},
            {u"Active"_s, false},
            {u"ActionID"_s, butCap == u"EmptyButton"_s ? u"EmptyButton"_s : QString::fromUtf8(b.stateOf)},
            {u"Indexer"_s, indexer},
            {u"StartIt"_s, QString::fromUtf8(b.startIt)},
            {u"BtnName"_s, u"btn"_s + QString::fromUtf8(b.name)},
            {u"Group"_s, b.stateAddress >= 0 ? b.stateGroup
                         : state             ? state->group
                                             : 0},
            {u"Address"_s, b.stateAddress >= 0 ? b.stateAddress
                           : state             ? state->address
                                               : 0},
            {u"Dim"_s, b.dim},
            {u"Left"_s, 10 + ((indexer - 1) % 4) * 130},
            {u"Top"_s, 10 + ((indexer - 1) / 4) * 130},
            {u"Width"_s, 120},
            {u"Height"_s, 120},
            {u"GlyphOn"_s, QString()},
            {u"GlyphOff"_s, QString()}};
        butRows.append(row);
        int reg = 0;
        for (const Action &a : b.actions) {
            ++reg;
            actRows.append({{u"Name"_s, QString::fromUtf8(b.name) + u"_"_s + QString::number(reg)},
                            {u"Button"_s, QString::fromUtf8(b.name)},
                            {u"Screen"_s, screen},
                            {u"Register"_s, reg},
                            {u"ActionID"_s, QString::fromUtf8(a.actionId)},
                            {u"Function"_s, a.function},
                            {u"Flank"_s, a.flank},
                            {u"On_Off"_s, a.enabled},
                            {u"DataAd"_s, a.dataAd},
                            {u"DataGr"_s, a.dataGr},
                            {u"DataName"_s, QString::fromUtf8(a.dataName)},
                            {u"lsb"_s, 0},
                            {u"msb"_s, 0}});
        }
    }
}

struct Switch
{
    int number;
    const char *info;
    int hrs;
    int min;
    int dow;
    bool enabled;
    int flank;
    Action first;
    Action second;
};

// 48 rows per clock module: 24 switches of two registers. The switches not listed are unused.
QList<QVariantHash> clockRows(const Member &module, const QList<Switch> &used)
{
    QList<QVariantHash> rows;
    for (int s = 1; s <= 24; ++s) {
        const Switch *sw = nullptr;
        for (const Switch &u : used) {
            if (u.number == s)
                sw = &u;
        }
        for (int reg = 1; reg <= 2; ++reg) {
            const Action none{"", 0, 0};
            const Action &a = sw ? (reg == 1 ? sw->first : sw->second) : none;
            const bool first = reg == 1;
            rows.append({{u"RTCModuleID"_s, s * 5 + reg + module.group * 100 + module.address - 4},
                         {u"MemberID"_s, QString::fromUtf8(module.id)},
                         {u"Switch"_s, s},
                         {u"Register"_s, reg},
                         {u"Function"_s, a.function},
                         {u"Flank"_s, sw && first ? sw->flank : 0},
                         {u"ActionID"_s, QString::fromUtf8(a.actionId)},
                         {u"On_Off"_s, sw ? (first ? sw->enabled : a.enabled) : false},
                         {u"DataAd"_s, a.dataAd},
                         {u"DataGr"_s, a.dataGr},
                         {u"DataName"_s, QString::fromUtf8(a.dataName)},
                         {u"ActionNr"_s, (s - 1) * 5 + 1},
                         {u"Min"_s, sw && first ? sw->min : 0},
                         {u"Hrs"_s, sw && first ? sw->hrs : 0},
                         {u"Dow"_s, sw && first ? sw->dow : 0},
                         {u"Day"_s, 0},
                         {u"Mon"_s, 0},
                         {u"ActionInfo"_s, sw && first ? QString::fromUtf8(sw->info) : QString()},
                         {u"ADow"_s, QString()}});
        }
    }
    return rows;
}

QList<QVariantHash> rtcRows()
{
    const Action none{"", 0, 0};
    // Day codes: 0 every day, 8 Monday to Friday, 10 weekend.
    QList<QVariantHash> rows =
        clockRows(*member(u"M37"_s),
                  {
                      {1, "Rolluiken op", 7, 0, 8, true, 0, {"M29", Set, 0}, {"M31", Set, 0}},
                      {2, "Rolluiken op weekend", 8, 30, 10, true, 0, {"M29", Set, 0}, {"M33", Set, 0}},
                      {3, "Rolluiken neer", 22, 0, 0, true, 0, {"M30", Set, 0}, {"M32", Set, 0}},
                      {4, "", 6, 45, 8, true, 0, {"M15", Set, 0}, none},
                      {5, "", 8, 0, 8, true, 0, {"M15", Reset, 0}, none},
                      {6, "Opritlicht uit", 1, 0, 0, true, 0, {"M24", Reset, 0}, none},
                      {7, "Ventilatie puls", 7, 15, 0, true, 1, {"M16", Set, 0}, {"", 17, 0}},
                      {8, "Vakantie", 19, 30, 0, false, 0, {"M02", Set, 0}, {"M09", Set, 0}},
                  });
    rows.append(
        clockRows(*member(u"M38"_s),
                  {
                      {1, "Vijverpomp aan", 9, 0, 0, true, 0, {"M19", Set, 0}, none},
                      {2, "Vijverpomp uit", 18, 0, 0, true, 0, {"M19", Reset, 0}, none},
                      {3, "", 20, 30, 0, true, 0, {"M17", Set, 0}, {"M18", Set, 0}},
                      {4, "Tuinlicht uit", 23, 30, 0, true, 0, {"M17", Reset, 0}, {"M18", Reset, 0}},
                      {5, "Hek dicht", 23, 45, 0, true, 0, {"DATAW", Reset, 0, true, 71, 0, "Tuinhek"}, none},
                  }));
    return rows;
}

QList<QVariantHash> thermostatRows()
{
    // The thermostat's own programme entries: day and night set-points on the heating output.
    QList<QVariantHash> rows;
    const struct
    {
        const char *id;
        int function;
        int nr;
    } entries[] = {{"M15", Set, 1}, {"M15", Reset, 2}, {"M16", Set, 3}, {"M16", Reset, 4}};
    for (const auto &e : entries) {
        rows.append({{u"TSMModuleID"_s, u"TSM%1"_s.arg(e.nr)},
                     {u"MemberID"_s, u"M39"_s},
                     {u"ActionID"_s, QString::fromUtf8(e.id)},
                     {u"Function"_s, e.function},
                     {u"On_Off"_s, true},
                     {u"ActionNr"_s, e.nr},
                     {u"DataAd"_s, 0},
                     {u"DataGr"_s, 0},
                     {u"DataName"_s, QString()}});
    }
    return rows;
}

} // namespace

namespace DemoHouse {

QList<DemoTable> tables()
{
    DemoTable membersTable{u"cdsMembers"_s, {}};
    for (const Member &m : members)
        membersTable.rows.append(memberRow(m));

    DemoTable nav{u"cdsMTNav"_s, {}};
    int indexer = 0;
    for (const Screen &s : screens) {
        ++indexer;
        nav.rows.append({{u"Name"_s, QString::fromUtf8(s.name)},
                         {u"Screen"_s, QString::fromUtf8(s.name)},
                         {u"Caption"_s, QString::fromUtf8(s.caption)},
                         {u"Top"_s, 0},
                         {u"Left"_s, 0},
                         {u"Width"_s, 0},
                         {u"Height"_s, 0},
                         {u"Button"_s, true},
                         {u"Image"_s, QString::number(s.image)},
                         {u"Indexer"_s, indexer}});
    }

    DemoTable but{u"cdsMTBut"_s, {}}, act{u"cdsMTAct"_s, {}};
    addButtons(navigationButtons(), but.rows, act.rows);
    DemoTable speedBut{u"cdsMTSpeedBut"_s, {}}, speedAct{u"cdsMTSpeedAct"_s, {}};
    addButtons(speedButtons(), speedBut.rows, speedAct.rows);
    DemoTable commBut{u"cdsMTCommBut"_s, {}}, commAct{u"cdsMTCommAct"_s, {}};
    addButtons(communicationButtons(), commBut.rows, commAct.rows);

    DemoTable react{u"cdsMTReact"_s,
                    {{{u"ActionID"_s, u"M42"_s},
                      {u"Function"_s, int(Set)},
                      {u"Flank"_s, 1},
                      {u"On_Off"_s, true},
                      {u"DataAd"_s, 0},
                      {u"DataGr"_s, 0},
                      {u"DataName"_s, QString()},
                      {u"PCFunct"_s, QString()},
                      {u"StartIt1"_s, u"http://127.0.0.1/deurbel/camera.html"_s},
                      {u"StartIt2"_s, QString()},
                      {u"StartIt3"_s, QString()},
                      {u"StartIt4"_s, QString()}},
                     {{u"ActionID"_s, u"M43"_s},
                      {u"Function"_s, int(Set)},
                      {u"Flank"_s, 1},
                      {u"On_Off"_s, true},
                      {u"DataAd"_s, 0},
                      {u"DataGr"_s, 0},
                      {u"DataName"_s, QString()},
                      {u"PCFunct"_s, QString()},
                      {u"StartIt1"_s, u"http://127.0.0.1/camera/oprit.html"_s},
                      {u"StartIt2"_s, QString()},
                      {u"StartIt3"_s, QString()},
                      {u"StartIt4"_s, QString()}}}};

    DemoTable settings{u"cdsMTSettings"_s,
                       {{{u"ProjectName"_s, u"Woning familie Peeters"_s},
                         {u"Comfort1"_s, u"Nacht"_s},
                         {u"Comfort2"_s, u"Dag"_s},
                         {u"Comfort3"_s, u"Standby"_s},
                         {u"Comfort4"_s, u"Afwezig"_s}}}};

    DemoTable addMembers{u"cdsMTAddMembers"_s, {}};
    for (const char *id : {"M37", "M38", "M39", "M40"})
        addMembers.rows.append(memberRow(*member(QString::fromUtf8(id))));

    return {membersTable,
            {u"cdsRTC"_s, rtcRows()},
            {u"cdsTSM"_s, thermostatRows()},
            nav,
            but,
            act,
            react,
            settings,
            addMembers,
            speedBut,
            speedAct,
            commBut,
            commAct,
            {u"cdsNuvoPlayers"_s, {}},
            {u"cdsNuvoFavorites"_s, {}}};
}

QByteArray projectSettings()
{
    return "[Comforts]\r\n"
           "Comfort1=Nacht\r\n"
           "Comfort2=Dag\r\n"
           "Comfort3=Spaarstand\r\n"
           "Comfort4=Vakantie\r\n";
}

} // namespace DemoHouse
