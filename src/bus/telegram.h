#pragma once

#include <QtGlobal>

// The bus's function codes: the high nibble of a telegram's second byte.
enum class FunctionCode : quint8
{
    Null = 0,
    Reset = 1,
    Toggle = 2,
    Set = 3,
    Misc = 4,
    Status = 5,
    TimerDirect = 6,
    Value = 7,
    Dimmer = 8,
    Readout = 9,
    Teller = 10,
    System = 11,
    Settings = 12,
    Select = 13,
    Data = 14,
    Program = 15,
};

// Two bytes on the gateway stream: byte 0 is the address byte (a member's address, or a data
// value), byte 1 is function code × 16 + group.
struct Telegram
{
    quint8 byte0 = 0;
    quint8 byte1 = 0;

    static constexpr Telegram make(int address, FunctionCode code, int group)
    {
        return {quint8(address & 0xFF), quint8((quint8(code) << 4) | (group & 0x0F))};
    }

    constexpr int address() const { return byte0; }
    constexpr int code() const { return byte1 >> 4; }
    constexpr FunctionCode function() const { return FunctionCode(byte1 >> 4); }
    constexpr int group() const { return byte1 & 0x0F; }

    friend constexpr bool operator==(Telegram, Telegram) = default;
};
