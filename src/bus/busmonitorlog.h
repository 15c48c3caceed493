#pragma once

#include "bus/telegram.h"

#include <QLocale>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QTime>

#include <deque>

class FunctionList;

// The lines of the bus monitor: one per received telegram, newest last. The list keeps at most
// MaxLines lines (the oldest go first), so a panel left with the monitor on cannot fill its
// memory; it is emptied only by SendDS.
class BusMonitorLog final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(BusMonitorLog)

public:
    static constexpr int MaxLines = 5000;

    explicit BusMonitorLog(QObject *parent = nullptr);

    // "Set 5 12 - Keuken (14:03:07)": the function's name, the group and the address byte in
    // decimal, " - ", the member's name (empty for an unknown member), " (", the time in the
    // locale's long time format without its time zone, ")".
    static QString formatLine(const FunctionList &functions, Telegram telegram, const QString &memberName,
                              const QTime &time, const QLocale &locale = QLocale::system());
    // The locale's long time format with its time-zone part left out ("HH:mm:ss t" → "HH:mm:ss").
    static QString longTimeFormat(const QLocale &locale);

    void append(const QString &line);
    void clear();

    int count() const { return int(m_lines.size()); }
    QStringList lines() const;
    QString line(int index) const;

Q_SIGNALS:
    void lineAppended(const QString &line);
    // The oldest lines were dropped to keep the limit (one at a time).
    void oldestDropped(int count);
    void cleared();

private:
    std::deque<QString> m_lines;
};
