#include "platform/logging.h"

Q_LOGGING_CATEGORY(lcDiag, "halvane.diag")
Q_LOGGING_CATEGORY(lcPlatform, "halvane.platform")
Q_LOGGING_CATEGORY(lcBus, "halvane.bus")
Q_LOGGING_CATEGORY(lcData, "halvane.data")
Q_LOGGING_CATEGORY(lcApp, "halvane.app")
Q_LOGGING_CATEGORY(lcTouch, "halvane.touch")
Q_LOGGING_CATEGORY(lcAudio, "halvane.audio")
