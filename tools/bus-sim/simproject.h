#pragma once

#include <QList>
#include <QString>

// What the simulator knows of a project: its bus members and the switch layout of its clock
// modules. Read from a project folder by SimProjectReader.
struct SimMember
{
    enum class Kind
    {
        Ordinary,
        Thermostat,
        Rgb,
        Clock
    };

    QString memberId;
    QString name;
    int group = 0;
    int address = 0;
    QString version;

    // The module kind from the first three letters of Version, without regard to case.
    Kind kind() const;
};

// One row of a clock module's switch table (RTC.xml): where the module keeps the switch and what
// it was last programmed with.
struct SimClockRow
{
    QString memberId;
    int switchNr = 0;
    int reg = 0; // 1 or 2
    int actionNr = 0;
    bool enabled = false;
    int flank = 0;
    int minute = 0;
    int hour = 0;
    int dow = 0;
    int day = 0;
    int month = 0;
};

struct SimProject
{
    QList<SimMember> members; // Members.xml, then MTAddMembers.xml
    QList<SimClockRow> clockRows;
};
