#include "platform/linuxprocesscontrol.h"

#include "platform/logging.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>

#include <csignal>
#include <sys/types.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {

constexpr qulonglong kernelThreadFlag = 0x00200000; // PF_KTHREAD in /proc/PID/stat

bool sendKill(qint64 pid)
{
    return ::kill(pid_t(pid), SIGKILL) == 0;
}

QByteArray readSmallFile(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.read(64 * 1024);
}

QString readLink(const QString &path)
{
    const QByteArray encoded = QFile::encodeName(path);
    char buffer[4096];
    const ssize_t size = ::readlink(encoded.constData(), buffer, sizeof buffer);
    if (size <= 0 || size_t(size) >= sizeof buffer)
        return {};
    QString target = QFile::decodeName(QByteArray(buffer, size));
    static const QString deletedMark = u" (deleted)"_s;
    if (target.endsWith(deletedMark))
        target.chop(deletedMark.size());
    return target;
}

// A kernel thread or a process that has ended but not been reaped: not a running program.
bool isKernelThreadOrEnded(const QString &folder)
{
    const QByteArray stat = readSmallFile(folder + "/stat"_L1);
    // The name in parentheses may itself hold blanks and parentheses: fields follow the last ')'.
    const qsizetype close = stat.lastIndexOf(')');
    if (close < 0)
        return false;
    const QList<QByteArray> fields = stat.mid(close + 1).simplified().split(' ');
    if (fields.isEmpty())
        return false;
    const QByteArray &state = fields.at(0);
    if (state == "Z" || state == "X" || state == "x")
        return true;
    bool ok = false;
    const qulonglong flags = fields.size() > 6 ? fields.at(6).toULongLong(&ok) : 0;
    return ok && (flags & kernelThreadFlag);
}

QString executableOf(const QString &folder)
{
    QString executable = readLink(folder + "/exe"_L1);
    if (!executable.isEmpty())
        return executable;
    const QByteArray cmdline = readSmallFile(folder + "/cmdline"_L1);
    const QByteArray first = cmdline.left(cmdline.indexOf('\0'));
    if (!first.isEmpty())
        return QFile::decodeName(first);
    return QFile::decodeName(readSmallFile(folder + "/comm"_L1)).trimmed();
}

} // namespace

LinuxProcessControl::LinuxProcessControl() : LinuxProcessControl(u"/proc"_s, sendKill) {}

LinuxProcessControl::LinuxProcessControl(QString procRoot, Terminator terminator)
    : m_procRoot(std::move(procRoot)), m_terminate(std::move(terminator))
{}

QList<LinuxProcessControl::Process> LinuxProcessControl::processes() const
{
    QList<Process> result;
    const QDir root(m_procRoot);
    const QStringList entries = root.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::NoSort);
    for (const QString &entry : entries) {
        bool isPid = false;
        const qint64 pid = entry.toLongLong(&isPid);
        if (!isPid || pid <= 0)
            continue;
        const QString folder = root.filePath(entry);
        if (isKernelThreadOrEnded(folder))
            continue;
        const QString executable = executableOf(folder);
        if (!executable.isEmpty())
            result.append({pid, executable});
    }
    return result;
}

bool LinuxProcessControl::matches(const QString &executable, const QString &name)
{
    if (name.isEmpty() || executable.isEmpty())
        return false;
    if (executable.compare(name, Qt::CaseInsensitive) == 0)
        return true;
    const QString fileName = executable.mid(executable.lastIndexOf(u'/') + 1);
    return fileName.compare(name, Qt::CaseInsensitive) == 0;
}

bool LinuxProcessControl::ProcessExists(const QString &name)
{
    const QList<Process> list = processes();
    return std::any_of(list.cbegin(), list.cend(),
                       [&name](const Process &p) { return matches(p.executable, name); });
}

int LinuxProcessControl::KillProcess(const QString &name)
{
    const qint64 self = QCoreApplication::applicationPid();
    int ended = 0;
    for (const Process &process : processes()) {
        if (!matches(process.executable, name) || process.pid == self || process.pid == 1)
            continue;
        if (m_terminate && m_terminate(process.pid)) {
            ++ended;
            qCInfo(lcPlatform) << "ended process" << process.pid << process.executable;
        } else {
            qCWarning(lcPlatform) << "could not end process" << process.pid << process.executable;
        }
    }
    return ended;
}
