#pragma once

#include <QtGlobal>

// The main screen's public exchange fields of the telegram handling: the telegram being handled,
// the Receiving flag, and the read-outs that the thermostat, RGB and clock screens start and read.
// The main screen owns one; the handler writes it, the screens set their flags and read the values.
struct ExchangeFields
{
    // The telegram being handled: byte 0, and byte 1 (reduced to the group while handling).
    quint8 LSB = 0;
    quint8 MSB = 0;
    // True from the start to the end of the handling of a telegram; the polling timers skip their
    // step while it is set.
    bool Receiving = false;

    // System: group and address byte of the last System telegram.
    int TSMValGR = 0;
    int TSMValAD = 0;
    // Value: group and address byte of the last Value telegram.
    int TSMValMSB = 0;
    int TSMValLSB = 0;
    // Settings: group and address byte of the last Settings telegram.
    int TSMSettMSB = 0;
    int TSMSettLSB = 0;

    // The thermostat screen awaits a heating-state reply (System with group 15); its address byte.
    bool TSMAskVW = false;
    int TSMAskVWVal = 0;
    // The next System telegram is shown whatever thermostat sent it.
    bool TSMCheckval = false;

    // The RGB screen awaits a read-out; its red, green, blue and white channel values.
    bool AskDMX = false;
    int DMXR = 0;
    int DMXG = 0;
    int DMXB = 0;
    int DMXW = 0;

    // A clock-module read-out is running; the position within it (the clock screen sets 2).
    bool RTCReadOut = false;
    int ReadData = 0;
};
