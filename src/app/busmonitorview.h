#pragma once

#include <QPlainTextEdit>

class BusMonitorLog;

// The bus monitor list of the main screen: shows the lines of the link's bus-monitor log, newest
// at the bottom, and follows it (appends, drops of the oldest lines, clearing).
class BusMonitorView final : public QPlainTextEdit
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(BusMonitorView)

public:
    explicit BusMonitorView(BusMonitorLog &log, QWidget *parent = nullptr);
};
