#include "SelfTestLog.h"

Q_LOGGING_CATEGORY(lcSelfTest, "taviron.selftest", QtWarningMsg)
