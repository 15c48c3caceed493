#pragma once

#include "platform/fakepowercontrol.h"
#include "platform/fakeprocesscontrol.h"
#include "platform/fakeshellopener.h"
#include "platform/platformservices.h"

// Test doubles for every operating-system service: nothing is opened, ended or powered off;
// every call is recorded in the double it went to.
class FakePlatform
{
public:
    FakePlatform() = default;
    Q_DISABLE_COPY_MOVE(FakePlatform)

    PlatformServices services() { return {shell, processes, power}; }

    FakeShellOpener shell;
    FakeProcessControl processes;
    FakePowerControl power;
};
