#include "data/tabledeclarations.h"

using namespace Qt::StringLiterals;

namespace {

TableDeclaration declare(const QString &tableName, const QString &fileName, const QString &index,
                         bool caseInsensitive = false)
{
    TableDeclaration t;
    t.tableName = tableName;
    t.fileName = fileName;
    t.indexFieldNames = index;
    t.caseInsensitiveIndex = caseInsensitive;
    return t;
}

ColumnDeclaration text(const QString &name, int width)
{
    return {name, u"string"_s, width};
}

ColumnDeclaration integer(const QString &name)
{
    return {name, u"i4"_s, 0};
}

ColumnDeclaration boolean(const QString &name)
{
    return {name, u"boolean"_s, 0};
}

void addNumbered(QList<ColumnDeclaration> &columns, const QString &stem, int count,
                 ColumnDeclaration (*make)(const QString &))
{
    for (int n = 1; n <= count; ++n)
        columns.append(make(stem + QString::number(n)));
}

// Member columns shared by Members and MTAddMembers.
ColumnDeclaration memberColumn(const QString &name)
{
    static const QList<ColumnDeclaration> all = [] {
        QList<ColumnDeclaration> c{
            text(u"MemberID"_s, 20),     text(u"Name"_s, 100),      integer(u"Group"_s),
            integer(u"Address"_s),       text(u"Version"_s, 20),    text(u"AdditionalInfo"_s, 100),
            integer(u"MemberType"_s),    text(u"PowerInfo"_s, 30),  text(u"Picture"_s, 30),
            text(u"AndText"_s, 50),      text(u"OrText"_s, 50),     text(u"CyclusText"_s, 50),
            integer(u"ScreenAddress"_s), integer(u"ScreenGroup"_s), boolean(u"On_Off"_s),
            text(u"ScreenID"_s, 20),     integer(u"Pins"_s)};
        return c;
    }();
    for (const ColumnDeclaration &c : all) {
        if (c.name == name)
            return c;
    }
    if (name.startsWith(u"Param"_s))
        return boolean(name);
    return integer(name); // ModInfo1 .. ModInfo20
}

QList<ColumnDeclaration> memberColumns(const QStringList &order)
{
    QList<ColumnDeclaration> columns;
    for (const QString &name : order) {
        if (name == u"Param*"_s) {
            addNumbered(columns, u"Param"_s, 16, boolean);
        } else if (name == u"ModInfo*"_s) {
            addNumbered(columns, u"ModInfo"_s, 20, integer);
        } else {
            columns.append(memberColumn(name));
        }
    }
    return columns;
}

TableDeclaration buttonTable(const QString &tableName, const QString &fileName)
{
    TableDeclaration t = declare(tableName, fileName, u"Indexer"_s);
    t.columns = {
        text(u"Name"_s, 20),     text(u"Screen"_s, 20),   text(u"Caption"_s, 50),  text(u"ActionCapt"_s, 50),
        text(u"ButCap"_s, 50),   boolean(u"Active"_s),    text(u"ActionID"_s, 20), integer(u"Indexer"_s),
        text(u"StartIt"_s, 100), text(u"BtnName"_s, 50),  integer(u"Group"_s),     integer(u"Address"_s),
        integer(u"Dim"_s),       integer(u"Left"_s),      integer(u"Top"_s),       integer(u"Width"_s),
        integer(u"Height"_s),    text(u"GlyphOn"_s, 100), text(u"GlyphOff"_s, 100)};
    return t;
}

TableDeclaration actionTable(const QString &tableName, const QString &fileName, const QString &master)
{
    TableDeclaration t = declare(tableName, fileName, u"Button;Register"_s);
    t.columns = {text(u"Name"_s, 20),    text(u"Button"_s, 20),   text(u"Screen"_s, 20),
                 integer(u"Register"_s), text(u"ActionID"_s, 20), integer(u"Function"_s),
                 integer(u"Flank"_s),    boolean(u"On_Off"_s),    integer(u"DataAd"_s),
                 integer(u"DataGr"_s),   text(u"DataName"_s, 20), integer(u"lsb"_s),
                 integer(u"msb"_s)};
    t.masterTable = master;
    t.masterFields = u"Name"_s;
    t.detailFields = u"Button"_s;
    return t;
}

} // namespace

namespace TableDeclarations {

TableDeclaration members()
{
    TableDeclaration t = declare(u"cdsMembers"_s, u"Members.xml"_s, u"Group;Address"_s);
    t.columns = memberColumns({u"MemberID"_s, u"Name"_s, u"Group"_s, u"Address"_s, u"Version"_s,
                               u"AdditionalInfo"_s, u"MemberType"_s, u"PowerInfo"_s, u"Picture"_s,
                               u"Param*"_s, u"AndText"_s, u"OrText"_s, u"CyclusText"_s, u"ScreenAddress"_s,
                               u"ScreenGroup"_s, u"On_Off"_s, u"ScreenID"_s, u"Pins"_s, u"ModInfo*"_s});
    return t;
}

TableDeclaration rtc()
{
    TableDeclaration t = declare(u"cdsRTC"_s, u"RTC.xml"_s, u"MemberID;Switch;Register"_s);
    t.columns = {
        integer(u"RTCModuleID"_s), text(u"MemberID"_s, 20),   integer(u"Switch"_s),    integer(u"Register"_s),
        integer(u"Function"_s),    integer(u"Flank"_s),       text(u"ActionID"_s, 20), boolean(u"On_Off"_s),
        integer(u"DataAd"_s),      integer(u"DataGr"_s),      text(u"DataName"_s, 50), integer(u"ActionNr"_s),
        integer(u"Min"_s),         integer(u"Hrs"_s),         integer(u"Dow"_s),       integer(u"Day"_s),
        integer(u"Mon"_s),         text(u"ActionInfo"_s, 20), text(u"ADow"_s, 20)};
    t.masterTable = u"cdsMembers"_s;
    t.masterFields = u"MemberID"_s;
    t.detailFields = u"MemberID"_s;
    return t;
}

TableDeclaration tsm()
{
    TableDeclaration t = declare(u"cdsTSM"_s, u"TSM.xml"_s, u"MemberID;ActionNr"_s);
    t.columns = {text(u"TSMModuleID"_s, 20), text(u"MemberID"_s, 20), text(u"ActionID"_s, 20),
                 integer(u"Function"_s),     boolean(u"On_Off"_s),    integer(u"ActionNr"_s),
                 integer(u"Aad"_s),          integer(u"Agr"_s),       text(u"Afct"_s, 20),
                 text(u"AName"_s, 40),       integer(u"DataAd"_s),    integer(u"DataGr"_s),
                 text(u"DataName"_s, 40)};
    t.masterTable = u"cdsMembers"_s;
    t.masterFields = u"MemberID"_s;
    t.detailFields = u"MemberID"_s;
    return t;
}

TableDeclaration mtNav()
{
    TableDeclaration t = declare(u"cdsMTNav"_s, u"MTNav.xml"_s, u"Indexer"_s);
    t.columns = {text(u"Name"_s, 20),   text(u"Screen"_s, 20), text(u"Caption"_s, 40), integer(u"Top"_s),
                 integer(u"Left"_s),    integer(u"Width"_s),   integer(u"Height"_s),   boolean(u"Button"_s),
                 text(u"Image"_s, 150), integer(u"Indexer"_s)};
    return t;
}

TableDeclaration mtBut()
{
    TableDeclaration t = buttonTable(u"cdsMTBut"_s, u"MTBut.xml"_s);
    t.indexFieldNames = u"Screen;Indexer"_s;
    t.masterTable = u"cdsMTNav"_s;
    t.masterFields = u"Screen"_s;
    t.detailFields = u"Screen"_s;
    return t;
}

TableDeclaration mtAct()
{
    return actionTable(u"cdsMTAct"_s, u"MTAct.xml"_s, u"cdsMTBut"_s);
}

TableDeclaration mtReact()
{
    TableDeclaration t = declare(u"cdsMTReact"_s, u"MTReact.xml"_s, QString());
    t.columns = {text(u"ActionID"_s, 20),  integer(u"Function"_s),   integer(u"Flank"_s),
                 boolean(u"On_Off"_s),     integer(u"DataAd"_s),     integer(u"DataGr"_s),
                 text(u"DataName"_s, 20),  text(u"PCFunct"_s, 20),   text(u"StartIt1"_s, 100),
                 text(u"StartIt2"_s, 100), text(u"StartIt3"_s, 100), text(u"StartIt4"_s, 100)};
    return t;
}

TableDeclaration mtSettings()
{
    TableDeclaration t = declare(u"cdsMTSettings"_s, u"MTSettings.xml"_s, QString());
    t.columns = {text(u"ProjectName"_s, 200), text(u"Comfort1"_s, 20), text(u"Comfort2"_s, 20),
                 text(u"Comfort3"_s, 20), text(u"Comfort4"_s, 20)};
    return t;
}

TableDeclaration mtAddMembers()
{
    TableDeclaration t = declare(u"cdsMTAddMembers"_s, u"MTAddMembers.xml"_s, u"Group;Address"_s);
    t.columns = memberColumns({u"MemberID"_s, u"Name"_s, u"Group"_s, u"Address"_s, u"ModInfo*"_s, u"Pins"_s,
                               u"Version"_s, u"AdditionalInfo"_s, u"MemberType"_s, u"PowerInfo"_s,
                               u"Picture"_s, u"Param*"_s, u"AndText"_s, u"OrText"_s, u"CyclusText"_s,
                               u"ScreenAddress"_s, u"ScreenGroup"_s, u"On_Off"_s, u"ScreenID"_s});
    return t;
}

TableDeclaration mtSpeedBut()
{
    return buttonTable(u"cdsMTSpeedBut"_s, u"MTSpeedBut.xml"_s);
}

TableDeclaration mtSpeedAct()
{
    return actionTable(u"cdsMTSpeedAct"_s, u"MTSpeedAct.xml"_s, u"cdsMTSpeedBut"_s);
}

TableDeclaration mtCommBut()
{
    return buttonTable(u"cdsMTCommBut"_s, u"MTCommBut.xml"_s);
}

TableDeclaration mtCommAct()
{
    return actionTable(u"cdsMTCommAct"_s, u"MTCommAct.xml"_s, u"cdsMTCommBut"_s);
}

TableDeclaration nuvoPlayers()
{
    TableDeclaration t = declare(u"cdsNuvoPlayers"_s, u"NuvoPlayers.xml"_s, u"Name"_s, true);
    t.columns = {text(u"Mac"_s, 30),  text(u"IP"_s, 30),    text(u"NuvoName"_s, 100), integer(u"Address"_s),
                 integer(u"Group"_s), text(u"Name"_s, 200), text(u"MemberID"_s, 20)};
    return t;
}

TableDeclaration nuvoFavorites()
{
    TableDeclaration t = declare(u"cdsNuvoFavorites"_s, u"NuvoFavorites.xml"_s, u"Mac"_s);
    t.columns.append(text(u"Mac"_s, 40));
    for (int n = 1; n <= 8; ++n) {
        const QString k = QString::number(n);
        t.columns.append({text(u"Title"_s + k, 100), text(u"Var"_s + k, 4000), integer(u"Counter"_s + k),
                          text(u"Parent"_s + k, 4000), text(u"URL"_s + k, 400), integer(u"Vol"_s + k)});
    }
    t.masterTable = u"cdsNuvoPlayers"_s;
    t.masterFields = u"Mac"_s;
    t.detailFields = u"Mac"_s;
    return t;
}

TableDeclaration readOut()
{
    TableDeclaration t = declare(u"cdsReadOut"_s, u"ReadOut.xml"_s, QString());
    t.columns = {integer(u"LSB"_s),  integer(u"MSB"_s), integer(u"LSB1"_s),
                 integer(u"LSB2"_s), text(u"OK"_s, 20), integer(u"Function"_s)};
    return t;
}

TableDeclaration playerLevel(const QString &tableName, const QString &fileName)
{
    TableDeclaration t = declare(tableName, fileName, u"Counter"_s, true);
    t.columns = {text(u"Title"_s, 100), text(u"Icon"_s, 200),    text(u"Var"_s, 4000),
                 integer(u"Counter"_s), text(u"Parent"_s, 4000), text(u"SubTitle"_s, 200),
                 text(u"URL"_s, 400),   boolean(u"Invoke"_s),    boolean(u"HeaderFooter"_s)};
    return t;
}

const QList<TableDeclaration> &projectFileSet()
{
    static const QList<TableDeclaration> set{members(),      rtc(),         tsm(),          mtNav(),
                                             mtBut(),        mtAct(),       mtReact(),      mtSettings(),
                                             mtAddMembers(), mtSpeedBut(),  mtSpeedAct(),   mtCommBut(),
                                             mtCommAct(),    nuvoPlayers(), nuvoFavorites()};
    return set;
}

const TableDeclaration *find(const QString &tableName)
{
    for (const TableDeclaration &t : projectFileSet()) {
        if (t.tableName == tableName)
            return &t;
    }
    return nullptr;
}

} // namespace TableDeclarations
