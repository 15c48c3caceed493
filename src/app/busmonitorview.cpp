#include "app/busmonitorview.h"

#include "bus/busmonitorlog.h"

#include <QScrollBar>

using namespace Qt::StringLiterals;

BusMonitorView::BusMonitorView(BusMonitorLog &log, QWidget *parent) : QPlainTextEdit(parent)
{
    setObjectName(u"memMonitor"_s);
    setAccessibleName(u"Busmonitor"_s);
    setReadOnly(true);
    setUndoRedoEnabled(false);
    setLineWrapMode(QPlainTextEdit::NoWrap);
    setFocusPolicy(Qt::NoFocus);
    setMaximumBlockCount(BusMonitorLog::MaxLines);
    for (const QString &line : log.lines())
        appendPlainText(line);
    connect(&log, &BusMonitorLog::lineAppended, this, [this](const QString &line) { appendPlainText(line); });
    connect(&log, &BusMonitorLog::cleared, this, &QPlainTextEdit::clear);
}
