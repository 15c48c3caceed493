#pragma once

#include "simproject.h"

#include <QString>

#include <optional>

// Reads the members (Members.xml, MTAddMembers.xml) and the clock switch table (RTC.xml) of a
// project folder for the simulator. A missing file counts as an empty table; a file that is not
// a data packet is an error.
namespace SimProjectReader {

std::optional<SimProject> read(const QString &folder, QString *error);

} // namespace SimProjectReader
