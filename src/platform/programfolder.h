#pragma once

#include <QString>

// The program's folder: where kvx.ini, Browser.ini, Functions.ini and the scratch tables live.
// It is the folder named by HALVANE_HOME when that is set (installed copies, the demo, tests),
// otherwise the folder of the executable.
namespace ProgramFolder {

// The folder, without a trailing separator.
QString path();
// A file in the program's folder.
QString file(const QString &fileName);

} // namespace ProgramFolder
