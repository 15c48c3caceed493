#include "bus/busmonitorlog.h"

#include "bus/functionlist.h"

using namespace Qt::StringLiterals;

BusMonitorLog::BusMonitorLog(QObject *parent) : QObject(parent) {}

QString BusMonitorLog::formatLine(const FunctionList &functions, Telegram telegram, const QString &memberName,
                                  const QTime &time, const QLocale &locale)
{
    return functions.name(telegram.code()) + u' ' + QString::number(telegram.group()) + u' ' +
           QString::number(telegram.address()) + u" - "_s + memberName + u" ("_s +
           locale.toString(time, longTimeFormat(locale)) + u')';
}

QString BusMonitorLog::longTimeFormat(const QLocale &locale)
{
    // Walk the format, keep quoted literals as they are, and drop every unquoted run of 't'
    // (the time-zone field) together with the spaces that separate it from the rest.
    const QString format = locale.timeFormat(QLocale::LongFormat);
    QString result;
    bool quoted = false;
    for (qsizetype i = 0; i < format.size(); ++i) {
        const QChar c = format.at(i);
        if (c == u'\'') {
            quoted = !quoted;
            result += c;
            continue;
        }
        if (!quoted && c == u't') {
            while (!result.isEmpty() && result.back() == u' ')
                result.chop(1);
            while (i + 1 < format.size() && format.at(i + 1) == u't')
                ++i;
            // Spaces after the zone go too when the zone stood at the start.
            if (result.isEmpty()) {
                while (i + 1 < format.size() && format.at(i + 1) == u' ')
                    ++i;
            }
            continue;
        }
        result += c;
    }
    return result.trimmed();
}

void BusMonitorLog::append(const QString &line)
{
    m_lines.push_back(line);
    Q_EMIT lineAppended(line);
    if (m_lines.size() > std::size_t(MaxLines)) {
        m_lines.pop_front();
        Q_EMIT oldestDropped(1);
    }
}

void BusMonitorLog::clear()
{
    m_lines.clear();
    Q_EMIT cleared();
}

QStringList BusMonitorLog::lines() const
{
    return QStringList(m_lines.begin(), m_lines.end());
}

QString BusMonitorLog::line(int index) const
{
    if (index < 0 || index >= count())
        return {};
    return m_lines[std::size_t(index)];
}
