#include "platform/linuxpowercontrol.h"

#include "platform/logging.h"

#include <QDBusConnection>
#include <QDBusError>
#include <QDBusMessage>
#include <QProcess>

using namespace Qt::StringLiterals;

namespace {

bool callLogind(const QString &method)
{
    QDBusConnection bus = QDBusConnection::systemBus();
    if (!bus.isConnected()) {
        qCInfo(lcPlatform) << "no system bus:" << bus.lastError().message();
        return false;
    }
    QDBusMessage message =
        QDBusMessage::createMethodCall(u"org.freedesktop.login1"_s, u"/org/freedesktop/login1"_s,
                                       u"org.freedesktop.login1.Manager"_s, method);
    message << false; // interactive: never wait for a password prompt
    const QDBusMessage reply = bus.call(message, QDBus::Block, 5000);
    if (reply.type() != QDBusMessage::ReplyMessage) {
        qCWarning(lcPlatform) << "logind" << method << "refused:" << reply.errorName()
                              << reply.errorMessage();
        return false;
    }
    return true;
}

bool runCommand(const QString &program, const QStringList &arguments)
{
    QProcess process;
    process.setProcessChannelMode(QProcess::ForwardedChannels);
    process.start(program, arguments);
    // systemctl only queues the job, so it returns at once; the bound keeps the screen from
    // hanging on a system where it does not.
    if (!process.waitForStarted(3000) || !process.waitForFinished(10000)) {
        qCWarning(lcPlatform) << program << arguments << "did not run:" << process.errorString();
        return false;
    }
    if (process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0) {
        qCWarning(lcPlatform) << program << arguments << "failed with exit code" << process.exitCode();
        return false;
    }
    return true;
}

} // namespace

LinuxPowerControl::LinuxPowerControl() : LinuxPowerControl(callLogind, runCommand) {}

LinuxPowerControl::LinuxPowerControl(LogindCaller logind, CommandRunner runner)
    : m_logind(std::move(logind)), m_run(std::move(runner))
{}

bool LinuxPowerControl::SetPrivilege(const QString &privilegeName, bool enable)
{
    qCDebug(lcPlatform) << "SetPrivilege" << privilegeName << enable << "- no privilege model, nothing to do";
    return true;
}

bool LinuxPowerControl::forcedShutdown()
{
    return request(u"PowerOff"_s, u"poweroff"_s);
}

bool LinuxPowerControl::forcedRestart()
{
    return request(u"Reboot"_s, u"reboot"_s);
}

bool LinuxPowerControl::request(const QString &logindMethod, const QString &systemctlVerb)
{
    qCInfo(lcPlatform) << "requesting" << logindMethod;
    if (m_logind && m_logind(logindMethod))
        return true;
    return m_run && m_run(u"systemctl"_s, {systemctlVerb});
}
