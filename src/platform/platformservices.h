#pragma once

class PowerControl;
class ProcessControl;
class ShellOpener;

// The operating-system services the screens use, handed to them through their constructors.
// It does not own them: LinuxPlatform (the panel) or FakePlatform (tests) does, and outlives every
// screen it is given to.
struct PlatformServices
{
    ShellOpener &shell;
    ProcessControl &processes;
    PowerControl &power;
};
