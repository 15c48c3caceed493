#include "bussimulator.h"

#include <algorithm>

namespace {

constexpr quint8 NotHeating = 16;
constexpr quint8 Heating = 17;
constexpr int HeatingQuestion = 26;
constexpr int ColourQuestion = 3;
constexpr int FirstSwitchReadout = 18; // switch s is asked with s + 17
constexpr int LastSwitchReadout = 41;

Telegram make(int address, FunctionCode code, int group)
{
    return Telegram::make(address, code, group);
}

} // namespace

BusSimulator::BusSimulator(const SimProject &project) : m_clockRows(project.clockRows)
{
    for (const SimMember &info : project.members) {
        Member member;
        member.info = info;
        m_members.append(member);
        const int index = int(m_members.size()) - 1;
        const int point = key(info.address, info.group);
        // A special module listed also as an ordinary member is simulated as the module.
        const auto it = m_byPoint.constFind(point);
        if (it == m_byPoint.cend() || (m_members.at(*it).info.kind() == SimMember::Kind::Ordinary &&
                                       info.kind() != SimMember::Kind::Ordinary))
            m_byPoint.insert(point, index);
    }

    // Clock modules start with the programmes the project holds.
    for (Member &member : m_members) {
        if (member.info.kind() != SimMember::Kind::Clock)
            continue;
        for (const SimClockRow &row : std::as_const(m_clockRows)) {
            if (row.memberId != member.info.memberId || row.reg != 1)
                continue;
            const auto regs = switchRegisters(member.info.address, member.info.group, row.switchNr);
            const int hourByte = row.hour + (row.enabled ? 64 : 0) + (row.flank != 0 ? 128 : 0);
            member.registers.insert(regs[2], {quint8(row.minute), quint8(hourByte)});
            member.registers.insert(regs[3], {quint8(row.dow), quint8(row.day)});
            member.registers.insert(regs[4], {quint8(row.month), 0});
        }
    }
}

BusSimulator::Member *BusSimulator::find(int address, int group)
{
    const auto it = m_byPoint.constFind(key(address, group));
    return it == m_byPoint.cend() ? nullptr : &m_members[*it];
}

const BusSimulator::Member *BusSimulator::find(int address, int group) const
{
    const auto it = m_byPoint.constFind(key(address, group));
    return it == m_byPoint.cend() ? nullptr : &m_members.at(*it);
}

QList<Telegram> BusSimulator::receive(int client, Telegram telegram)
{
    QList<Telegram> out;
    ClientState &state = m_clients[client];

    // A programming sequence: Program to a clock module, one data pair (any bytes), then a Null
    // telegram naming the register. Anything else breaks the sequence off.
    if (state.programMember >= 0) {
        if (!state.programData) {
            state.programData = telegram;
            return out;
        }
        const int memberIndex = state.programMember;
        const Telegram data = *state.programData;
        state.programMember = -1;
        state.programData.reset();
        if (telegram.function() == FunctionCode::Null) {
            m_members[memberIndex].registers.insert(telegram.address(), {data.byte0, data.byte1});
            return out;
        }
    }

    Member *member = find(telegram.address(), telegram.group());
    const SimMember::Kind kind = member ? member->info.kind() : SimMember::Kind::Ordinary;

    switch (telegram.function()) {
    case FunctionCode::Data:
        state.data = telegram;
        break;
    case FunctionCode::Select:
        if (member && state.data)
            select(*member, *state.data, out);
        state.data.reset();
        break;
    case FunctionCode::TimerDirect:
        if (member && state.data)
            timerDirect(*member, *state.data);
        state.data.reset();
        break;
    case FunctionCode::Program:
        if (member && kind == SimMember::Kind::Clock)
            state.programMember = int(member - m_members.data());
        break;
    case FunctionCode::Value:
        state.value = telegram;
        break;
    case FunctionCode::Settings:
        state.settings = telegram;
        break;
    case FunctionCode::System:
        if (member && kind == SimMember::Kind::Thermostat && state.settings) {
            // Value, Settings, System: group 0 is a manual set-point, group n stores comfort n.
            const int n = state.settings->group();
            const int value = state.settings->byte0;
            Thermostat &t = member->thermostat;
            if (n == 0) {
                t.setPoint2 = value;
                t.comfort = 0;
            } else if (n <= 4) {
                t.comforts[n] = value;
                if (t.comfort == n)
                    t.setPoint2 = value;
            }
        }
        state.value.reset();
        state.settings.reset();
        break;
    case FunctionCode::Status:
        if (member)
            status(*member, out);
        break;
    case FunctionCode::Set:
    case FunctionCode::Reset:
    case FunctionCode::Toggle:
        if (!member)
            break;
        if (kind == SimMember::Kind::Ordinary) {
            if (telegram.function() == FunctionCode::Toggle)
                member->on = !member->on;
            else
                member->on = telegram.function() == FunctionCode::Set;
            out.append(make(member->info.address, member->on ? FunctionCode::Set : FunctionCode::Reset,
                            member->info.group));
        } else if (kind == SimMember::Kind::Rgb && telegram.function() == FunctionCode::Reset) {
            member->rgb = Rgb();
        }
        break;
    default:
        break;
    }
    return out;
}

void BusSimulator::forgetClient(int client)
{
    m_clients.remove(client);
}

Telegram BusSimulator::floodStep()
{
    QList<int> ordinary;
    for (auto it = m_byPoint.cbegin(); it != m_byPoint.cend(); ++it) {
        if (m_members.at(*it).info.kind() == SimMember::Kind::Ordinary)
            ordinary.append(*it);
    }
    const int step = m_floodNext++;
    if (ordinary.isEmpty()) {
        // No members: walk the addresses of group 0, switching them on and then off.
        const bool on = (step / 255) % 2 == 0;
        return make(1 + step % 255, on ? FunctionCode::Set : FunctionCode::Reset, 0);
    }
    std::sort(ordinary.begin(), ordinary.end());
    Member &member = m_members[ordinary.at(step % ordinary.size())];
    member.on = !member.on;
    return make(member.info.address, member.on ? FunctionCode::Set : FunctionCode::Reset, member.info.group);
}

std::optional<bool> BusSimulator::output(int address, int group) const
{
    const Member *member = find(address, group);
    if (!member || member->info.kind() != SimMember::Kind::Ordinary)
        return std::nullopt;
    return member->on;
}

const BusSimulator::Thermostat *BusSimulator::thermostat(int address, int group) const
{
    const Member *member = find(address, group);
    return member && member->info.kind() == SimMember::Kind::Thermostat ? &member->thermostat : nullptr;
}

const BusSimulator::Rgb *BusSimulator::rgb(int address, int group) const
{
    const Member *member = find(address, group);
    return member && member->info.kind() == SimMember::Kind::Rgb ? &member->rgb : nullptr;
}

std::optional<BusSimulator::RegisterValue> BusSimulator::clockRegister(int address, int group, int reg) const
{
    const Member *member = find(address, group);
    if (!member || member->info.kind() != SimMember::Kind::Clock)
        return std::nullopt;
    return member->registers.value(reg);
}

std::array<int, 5> BusSimulator::switchRegisters(int address, int group, int switchNr) const
{
    // Where the project says the switch lives (ActionNr of its two rows); five registers a switch
    // from register 0 when it does not say.
    int first = (switchNr - 1) * 5;
    int second = first;
    if (const Member *member = find(address, group)) {
        bool haveFirst = false;
        bool haveSecond = false;
        for (const SimClockRow &row : m_clockRows) {
            if (row.memberId != member->info.memberId || row.switchNr != switchNr)
                continue;
            if (row.reg == 1 && !haveFirst) {
                first = row.actionNr;
                haveFirst = true;
            } else if (row.reg == 2 && !haveSecond) {
                second = row.actionNr;
                haveSecond = true;
            }
        }
        if (haveFirst && !haveSecond)
            second = first;
    }
    return {first, second + 1, first + 2, first + 3, first + 4};
}

void BusSimulator::status(Member &member, QList<Telegram> &out) const
{
    switch (member.info.kind()) {
    case SimMember::Kind::Ordinary:
        out.append(make(member.info.address, member.on ? FunctionCode::Set : FunctionCode::Reset,
                        member.info.group));
        break;
    case SimMember::Kind::Thermostat:
        thermostatStatus(member, out);
        break;
    case SimMember::Kind::Rgb: {
        const auto &c = member.rgb.channels;
        const bool lit = std::any_of(c.begin(), c.end(), [](int v) { return v > 0; });
        out.append(
            make(member.info.address, lit ? FunctionCode::Set : FunctionCode::Reset, member.info.group));
        break;
    }
    case SimMember::Kind::Clock:
        break; // a clock module has no output to report
    }
}

void BusSimulator::thermostatStatus(Member &member, QList<Telegram> &out) const
{
    const Thermostat &t = member.thermostat;
    out.append(make(t.measured2, FunctionCode::Value, 0));
    out.append(make(t.setPoint2, FunctionCode::Settings, t.comfort));
    out.append(make(member.info.address, FunctionCode::System, member.info.group));
}

void BusSimulator::select(Member &member, Telegram data, QList<Telegram> &out)
{
    const int value = data.byte0;
    switch (member.info.kind()) {
    case SimMember::Kind::Thermostat: {
        Thermostat &t = member.thermostat;
        if (value == HeatingQuestion) {
            out.append(make(t.heating() ? Heating : NotHeating, FunctionCode::System, 15));
            // The room follows the set-point by half a degree at each heating question.
            if (t.measured2 < t.setPoint2)
                ++t.measured2;
            else if (t.measured2 > t.setPoint2)
                --t.measured2;
        } else if (value >= 11 && value <= 14) {
            t.comfort = value - 10;
            t.setPoint2 = t.comforts[t.comfort];
            thermostatStatus(member, out);
        }
        break;
    }
    case SimMember::Kind::Rgb:
        if (value == ColourQuestion) {
            for (int channel = 0; channel < 4; ++channel)
                out.append(make(member.rgb.channels[channel], FunctionCode::Value, channel + 1));
            out.append(make(member.info.address, FunctionCode::System, member.info.group));
        }
        break;
    case SimMember::Kind::Clock:
        if (value >= FirstSwitchReadout && value <= LastSwitchReadout)
            readout(member, value - 17, out);
        break;
    case SimMember::Kind::Ordinary:
        break;
    }
}

void BusSimulator::timerDirect(Member &member, Telegram data)
{
    if (member.info.kind() != SimMember::Kind::Rgb)
        return;
    const int k = data.group();
    if (k >= 1 && k <= 4)
        member.rgb.channels[k - 1] = data.byte0; // fading
    else if (k >= 11 && k <= 14)
        member.rgb.channels[k - 11] = data.byte0; // at once
    else if (k == 5)
        member.rgb.loop = data.byte0;
}

void BusSimulator::readout(const Member &member, int switchNr, QList<Telegram> &out) const
{
    // Four telegrams a register: its low byte, its number, its high byte, its number again. The
    // panel takes the low bytes of all five registers and the high bytes of the first four; the
    // nineteenth telegram ends the read-out.
    const auto regs = switchRegisters(member.info.address, member.info.group, switchNr);
    for (int count = 0; count < ReadoutLength; ++count) {
        const int reg = regs[std::size_t(count / 4)];
        const RegisterValue value = member.registers.value(reg);
        switch (count % 4) {
        case 0:
            out.append(Telegram{value.low, 0x90});
            break;
        case 1:
            out.append(Telegram{quint8(reg), 0x91});
            break;
        case 2:
            out.append(Telegram{value.high, 0x92});
            break;
        default:
            out.append(Telegram{quint8(reg), 0x93});
            break;
        }
    }
}
