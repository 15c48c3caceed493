#include "platform/linuxshellopener.h"

#include "platform/logging.h"

#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QUrl>

using namespace Qt::StringLiterals;

namespace {

const QString xdgOpen = u"xdg-open"_s;

bool startDetached(const QString &program, const QStringList &arguments)
{
    return QProcess::startDetached(program, arguments);
}

// The scheme of an address ("https", "mailto"), in lower case, or empty for a plain path. A
// single letter before the colon is a drive letter ("C:").
QString schemeOf(const QString &target)
{
    static const QRegularExpression scheme(u"^([A-Za-z][A-Za-z0-9+.-]+):"_s);
    const QRegularExpressionMatch match = scheme.match(target);
    return match.hasMatch() ? match.captured(1).toLower() : QString();
}

} // namespace

LinuxShellOpener::LinuxShellOpener() : m_start(startDetached) {}

LinuxShellOpener::LinuxShellOpener(Starter starter) : m_start(std::move(starter)) {}

bool LinuxShellOpener::open(const QString &target, ShowMode mode)
{
    Q_UNUSED(mode) // no window-state hint can be passed on Linux
    if (target.trimmed().isEmpty() || !m_start)
        return false;

    const QFileInfo info(target);
    if (!info.exists()) {
        const QString scheme = schemeOf(target);
        if (scheme.isEmpty() || (scheme == "file"_L1 && !QFileInfo::exists(QUrl(target).toLocalFile()))) {
            qCDebug(lcPlatform) << "open: no such file" << target;
            return false;
        }
        return m_start(xdgOpen, {target});
    }
    // Absolute, so that a name starting with "-" is never taken for an option.
    const QString path = info.absoluteFilePath();
    if (info.isFile() && info.isExecutable()) {
        if (m_start(path, {}))
            return true;
        qCDebug(lcPlatform) << "open: could not start" << path << "- trying xdg-open";
    }
    return m_start(xdgOpen, {path});
}
