#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

// Files written by Windows programs without an encoding declaration are in the writer's ANSI code
// page; for the installations this panel serves that is Windows-1252 (not Latin-1: 0x80..0x9F are
// curly quotes, dashes and the euro sign).
namespace Windows1252 {

QString decode(QByteArrayView bytes);
// Characters the code page cannot hold become '?'.
QByteArray encode(const QString &text);
// Text files of unknown origin: UTF-8 when the bytes are valid UTF-8, otherwise Windows-1252.
bool isValidUtf8(QByteArrayView bytes);

} // namespace Windows1252
