#pragma once

#include "bus/telegram.h"
#include "simproject.h"

#include <QHash>
#include <QList>

#include <array>
#include <optional>

// The members of a simulated bus and how they answer. Pure logic: a telegram that a client puts
// on the bus goes in, the members' answers come out (the caller sends them to every client).
//
// - An ordinary member answers Status with Set or Reset and follows Set, Reset and Toggle,
//   reporting its new state.
// - A thermostat (TSM…) answers Status with Value (measured ×2; group 12 when below zero),
//   Settings (set-point ×2, group = active comfort or 0 for manual) and System (its own address
//   and group); Data 26 + Select with System group 15 (16 = not heating, 17 = heating); Data
//   11..14 + Select activates comfort 1..4 and reports; Value, Settings and System to it set the
//   manual set-point (group 0) or store comfort n (group n).
// - An RGB module (DMX…) answers Data 3 + Select with Value groups 1..4 (red, green, blue, white)
//   and System; takes Data k (1..4 fade, 11..14 direct) + Timer/Direct as a channel value, Data 5
//   + Timer/Direct as a light loop, and Reset as all channels off.
// - A clock module (RTC…) answers Data s + 17 + Select (switch s) with the 19 Readout telegrams
//   the panel collects; takes Program, data pair, Null register r as a register write (switch
//   programmes and the module's clock alike).
class BusSimulator
{
public:
    struct Thermostat
    {
        int measured2 = 41; // half degrees: 20.5 °C
        int setPoint2 = 42;
        int comfort = 1; // 1..4, 0 = manual
        std::array<int, 5> comforts{0, 42, 38, 36, 32};
        bool heating() const { return measured2 < setPoint2; }
    };
    struct Rgb
    {
        std::array<int, 4> channels{0, 0, 0, 0}; // red, green, blue, white
        int loop = 0;
    };
    struct RegisterValue
    {
        quint8 low = 0;
        quint8 high = 0;
        friend bool operator==(RegisterValue, RegisterValue) = default;
    };

    static constexpr int ReadoutLength = 19;

    explicit BusSimulator(const SimProject &project = {});

    // One telegram from client `client`; returns the answers of the members, in bus order.
    QList<Telegram> receive(int client, Telegram telegram);
    void forgetClient(int client);
    // One spontaneous report for load tests: the next ordinary member toggles and reports.
    Telegram floodStep();

    int memberCount() const { return int(m_members.size()); }
    std::optional<bool> output(int address, int group) const;
    const Thermostat *thermostat(int address, int group) const;
    const Rgb *rgb(int address, int group) const;
    std::optional<RegisterValue> clockRegister(int address, int group, int reg) const;
    // The registers of switch s of a clock module: action 1, action 2, time, date, month.
    std::array<int, 5> switchRegisters(int address, int group, int switchNr) const;

private:
    struct Member
    {
        SimMember info;
        bool on = false;
        Thermostat thermostat;
        Rgb rgb;
        QHash<int, RegisterValue> registers;
    };
    struct ClientState
    {
        std::optional<Telegram> data;  // the last Data telegram, waiting for its Select
        std::optional<Telegram> value; // Value and Settings before a thermostat's System
        std::optional<Telegram> settings;
        int programMember = -1; // Program sequence: the clock module addressed
        std::optional<Telegram> programData;
    };

    static int key(int address, int group) { return (address & 0xFF) * 16 + (group & 0x0F); }
    Member *find(int address, int group);
    const Member *find(int address, int group) const;
    void status(Member &member, QList<Telegram> &out) const;
    void thermostatStatus(Member &member, QList<Telegram> &out) const;
    void select(Member &member, Telegram data, QList<Telegram> &out);
    void timerDirect(Member &member, Telegram data);
    void readout(const Member &member, int switchNr, QList<Telegram> &out) const;

    QList<Member> m_members;
    QHash<int, int> m_byPoint; // address and group → member index (the first one listed)
    QList<SimClockRow> m_clockRows;
    QHash<int, ClientState> m_clients;
    int m_floodNext = 0;
};
