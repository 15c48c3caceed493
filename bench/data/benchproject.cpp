#include "benchproject.h"

using namespace Qt::StringLiterals;

namespace BenchProject {

QList<DataColumn> columns(std::initializer_list<ColumnSpec> fields)
{
    QList<DataColumn> list;
    for (const ColumnSpec &s : fields)
        list.append(DataColumn::declared(QString::fromUtf16(s.name), s.type, s.width));
    return list;
}

void writeTable(const QString &path, const QList<DataColumn> &columns, int rows,
                const std::function<QVariant(int, int, const DataColumn &)> &fill)
{
    DataPacket packet = DataPacket::withColumns(columns);
    packet.rows.reserve(rows);
    for (int r = 0; r < rows; ++r) {
        DataPacket::Row row(columns.size());
        for (int c = 0; c < columns.size(); ++c)
            row[c] = fill(r, c, columns[c]);
        packet.rows.append(std::move(row));
    }
    packet.writeFile(path);
}

namespace {

QList<DataColumn> memberColumns()
{
    QList<DataColumn> list = columns({{u"MemberID", ColumnType::String, 20},
                                      {u"Name", ColumnType::String, 100},
                                      {u"Group", ColumnType::I4, 0},
                                      {u"Address", ColumnType::I4, 0},
                                      {u"Version", ColumnType::String, 20},
                                      {u"AdditionalInfo", ColumnType::String, 100},
                                      {u"MemberType", ColumnType::I4, 0},
                                      {u"PowerInfo", ColumnType::String, 30},
                                      {u"Picture", ColumnType::String, 30}});
    for (int i = 1; i <= 16; ++i)
        list.append(DataColumn::declared(u"Param%1"_s.arg(i), ColumnType::Boolean));
    list += columns({{u"AndText", ColumnType::String, 50},
                     {u"OrText", ColumnType::String, 50},
                     {u"CyclusText", ColumnType::String, 50},
                     {u"ScreenAddress", ColumnType::I4, 0},
                     {u"ScreenGroup", ColumnType::I4, 0},
                     {u"On_Off", ColumnType::Boolean, 0},
                     {u"ScreenID", ColumnType::String, 20},
                     {u"Pins", ColumnType::I4, 0}});
    for (int i = 1; i <= 20; ++i)
        list.append(DataColumn::declared(u"ModInfo%1"_s.arg(i), ColumnType::I4));
    return list;
}

QList<DataColumn> buttonColumns()
{
    return columns({{u"Name", ColumnType::String, 20},
                    {u"Screen", ColumnType::String, 20},
                    {u"Caption", ColumnType::String, 50},
                    {u"ActionCapt", ColumnType::String, 50},
                    {u"ButCap", ColumnType::String, 50},
                    {u"Active", ColumnType::Boolean, 0},
                    {u"ActionID", ColumnType::String, 20},
                    {u"Indexer", ColumnType::I4, 0},
                    {u"StartIt", ColumnType::String, 100},
                    {u"BtnName", ColumnType::String, 50},
                    {u"Group", ColumnType::I4, 0},
                    {u"Address", ColumnType::I4, 0},
                    {u"Dim", ColumnType::I4, 0},
                    {u"Left", ColumnType::I4, 0},
                    {u"Top", ColumnType::I4, 0},
                    {u"Width", ColumnType::I4, 0},
                    {u"Height", ColumnType::I4, 0},
                    {u"GlyphOn", ColumnType::String, 100},
                    {u"GlyphOff", ColumnType::String, 100}});
}

QList<DataColumn> actionColumns()
{
    return columns({{u"Name", ColumnType::String, 20},
                    {u"Button", ColumnType::String, 20},
                    {u"Screen", ColumnType::String, 20},
                    {u"Register", ColumnType::I4, 0},
                    {u"ActionID", ColumnType::String, 20},
                    {u"Function", ColumnType::I4, 0},
                    {u"Flank", ColumnType::I4, 0},
                    {u"On_Off", ColumnType::Boolean, 0},
                    {u"DataAd", ColumnType::I4, 0},
                    {u"DataGr", ColumnType::I4, 0},
                    {u"DataName", ColumnType::String, 20},
                    {u"lsb", ColumnType::I4, 0},
                    {u"msb", ColumnType::I4, 0}});
}

QString memberId(int n)
{
    return u"M%1"_s.arg(n, 5, 10, QLatin1Char('0'));
}

// Buttons: `count` rows; screen of each is `screenOf(row)`.
void writeButtons(const QString &path, int count, const std::function<QString(int)> &screenOf,
                  const QString &prefix)
{
    writeTable(path, buttonColumns(), count, [&](int r, int c, const DataColumn &col) -> QVariant {
        const QString &n = col.name;
        if (n == u"Name"_s)
            return u"%1%2"_s.arg(prefix).arg(r);
        if (n == u"Screen"_s)
            return screenOf(r);
        if (n == u"Caption"_s || n == u"ActionCapt"_s || n == u"BtnName"_s || n == u"StartIt"_s)
            return QString();
        if (n == u"ButCap"_s)
            return r % 4 == 0 ? QString() : u"Lamp %1"_s.arg(r);
        if (n == u"Active"_s)
            return r % 2 == 0;
        if (n == u"ActionID"_s)
            return memberId((r * 7) % 10000);
        if (n == u"Indexer"_s)
            return r % 20;
        if (n == u"Group"_s)
            return r % 16;
        if (n == u"Address"_s)
            return (r / 16) % 256;
        if (n == u"Dim"_s)
            return r % 71;
        if (col.type == ColumnType::I4)
            return c * 10;
        return QVariant();
    });
}

void writeActions(const QString &path, int count, int buttons, const QString &prefix)
{
    writeTable(path, actionColumns(), count, [&](int r, int, const DataColumn &col) -> QVariant {
        const QString &n = col.name;
        const int button = r % buttons;
        if (n == u"Name"_s)
            return u"Act%1"_s.arg(r);
        if (n == u"Button"_s)
            return u"%1%2"_s.arg(prefix).arg(button);
        if (n == u"Screen"_s)
            return u"Scherm%1"_s.arg(button / 20);
        if (n == u"Register"_s)
            return r / buttons;
        if (n == u"ActionID"_s)
            return r % 50 == 0 ? u"DATAW"_s : memberId((r * 13) % 10000);
        if (n == u"Function"_s)
            return 16 * (r % 4);
        if (n == u"Flank"_s)
            return r % 3;
        if (n == u"On_Off"_s)
            return r % 17 != 0;
        if (n == u"DataName"_s)
            return r % 50 == 0 ? u"Gang & \"hal\""_s : QString();
        if (col.type == ColumnType::I4)
            return r % 256;
        return QVariant();
    });
}

} // namespace

QStringList writeLargeProject(const QDir &folder)
{
    const auto file = [&](const QString &name) { return folder.filePath(name); };

    writeTable(file(u"Members.xml"_s), memberColumns(), 10000,
               [](int r, int, const DataColumn &col) -> QVariant {
                   const QString &n = col.name;
                   if (n == u"MemberID"_s)
                       return memberId(r);
                   if (n == u"Name"_s)
                       return u"Lamp keuken %1 – plafond"_s.arg(r);
                   if (n == u"Group"_s)
                       return r % 16;
                   if (n == u"Address"_s)
                       return (r / 16) % 256;
                   if (n == u"Version"_s)
                       return r % 100 == 0 ? u"RTC_82"_s : u"REL_4"_s;
                   if (col.type == ColumnType::Boolean)
                       return (r + col.name.size()) % 2 == 0;
                   if (col.type == ColumnType::I4)
                       return r % 7;
                   return r % 3 == 0 ? QVariant() : QVariant(QString());
               });

    QList<DataColumn> rtcColumns = columns({{u"RTCModuleID", ColumnType::I4, 0},
                                            {u"MemberID", ColumnType::String, 20},
                                            {u"Switch", ColumnType::I4, 0},
                                            {u"Register", ColumnType::I4, 0},
                                            {u"Function", ColumnType::I4, 0},
                                            {u"Flank", ColumnType::I4, 0},
                                            {u"ActionID", ColumnType::String, 20},
                                            {u"On_Off", ColumnType::Boolean, 0},
                                            {u"DataAd", ColumnType::I4, 0},
                                            {u"DataGr", ColumnType::I4, 0},
                                            {u"DataName", ColumnType::String, 50},
                                            {u"ActionNr", ColumnType::I4, 0},
                                            {u"Min", ColumnType::I4, 0},
                                            {u"Hrs", ColumnType::I4, 0},
                                            {u"Dow", ColumnType::I4, 0},
                                            {u"Day", ColumnType::I4, 0},
                                            {u"Mon", ColumnType::I4, 0},
                                            {u"ActionInfo", ColumnType::String, 20},
                                            {u"ADow", ColumnType::String, 20}});
    writeTable(file(u"RTC.xml"_s), rtcColumns, 480, [](int r, int, const DataColumn &col) -> QVariant {
        const QString &n = col.name;
        if (n == u"MemberID"_s)
            return memberId((r / 48) * 100);
        if (n == u"Switch"_s)
            return (r % 48) / 2 + 1;
        if (n == u"Register"_s)
            return r % 2 + 1;
        if (n == u"ActionID"_s)
            return memberId(r * 3);
        if (n == u"On_Off"_s)
            return r % 5 != 0;
        if (col.type == ColumnType::I4)
            return r % 24;
        return QString();
    });

    writeTable(file(u"MTNav.xml"_s),
               columns({{u"Name", ColumnType::String, 20},
                        {u"Screen", ColumnType::String, 20},
                        {u"Caption", ColumnType::String, 40},
                        {u"Top", ColumnType::I4, 0},
                        {u"Left", ColumnType::I4, 0},
                        {u"Width", ColumnType::I4, 0},
                        {u"Height", ColumnType::I4, 0},
                        {u"Button", ColumnType::Boolean, 0},
                        {u"Image", ColumnType::String, 150},
                        {u"Indexer", ColumnType::I4, 0}}),
               100, [](int r, int, const DataColumn &col) -> QVariant {
                   const QString &n = col.name;
                   if (n == u"Name"_s || n == u"Screen"_s)
                       return u"Scherm%1"_s.arg(r);
                   if (n == u"Caption"_s)
                       return u"Kamer %1"_s.arg(r);
                   if (n == u"Image"_s)
                       return QString::number(r % 30);
                   if (n == u"Button"_s)
                       return false;
                   return r;
               });
    writeButtons(
        file(u"MTBut.xml"_s), 2000, [](int r) { return u"Scherm%1"_s.arg(r / 20); }, u"But"_s);
    writeActions(file(u"MTAct.xml"_s), 10000, 2000, u"But"_s);
    writeButtons(
        file(u"MTSpeedBut.xml"_s), 8, [](int) { return QString(); }, u"Speed"_s);
    writeActions(file(u"MTSpeedAct.xml"_s), 24, 8, u"Speed"_s);
    writeButtons(
        file(u"MTCommBut.xml"_s), 5, [](int) { return QString(); }, u"Comm"_s);
    writeActions(file(u"MTCommAct.xml"_s), 15, 5, u"Comm"_s);
    return {u"Members.xml"_s,    u"RTC.xml"_s,        u"MTNav.xml"_s,     u"MTBut.xml"_s,    u"MTAct.xml"_s,
            u"MTSpeedBut.xml"_s, u"MTSpeedAct.xml"_s, u"MTCommBut.xml"_s, u"MTCommAct.xml"_s};
}

} // namespace BenchProject
