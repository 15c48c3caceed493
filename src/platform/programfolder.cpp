#include "platform/programfolder.h"

#include <QCoreApplication>
#include <QDir>

using namespace Qt::StringLiterals;

namespace ProgramFolder {

QString path()
{
    const QString home = qEnvironmentVariable("HALVANE_HOME");
    if (!home.isEmpty())
        return QDir::cleanPath(QDir(home).absolutePath());
    if (QCoreApplication::instance())
        return QCoreApplication::applicationDirPath();
    return QDir::currentPath();
}

QString file(const QString &fileName)
{
    return path() + u'/' + fileName;
}

} // namespace ProgramFolder
