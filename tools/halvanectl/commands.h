#pragma once

#include <QStringList>
#include <QTextStream>

// One function per command of halvanectl. Each takes the arguments after its name and returns
// the process exit code.
struct CommandIo
{
    QTextStream &out;
    QTextStream &err;
};

int runSettingsCommand(const QStringList &args, CommandIo io);
int runBusCommand(const QStringList &args, CommandIo io);
int runDatapacketCommand(const QStringList &args, CommandIo io);
int runProjectCommand(const QStringList &args, CommandIo io);
