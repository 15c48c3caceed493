#pragma once

#include <QLoggingCategory>

// One category per folder. halvane.diag carries the panel's own diagnostic lines (the texts a
// developer's log viewer shows); nothing in the program depends on them.
Q_DECLARE_LOGGING_CATEGORY(lcDiag)
Q_DECLARE_LOGGING_CATEGORY(lcPlatform)
Q_DECLARE_LOGGING_CATEGORY(lcBus)
Q_DECLARE_LOGGING_CATEGORY(lcData)
Q_DECLARE_LOGGING_CATEGORY(lcApp)
Q_DECLARE_LOGGING_CATEGORY(lcTouch)
Q_DECLARE_LOGGING_CATEGORY(lcAudio)
