#pragma once

#include <QLoggingCategory>

// QT_LOGGING_RULES="taviron.selftest.debug=true" shows the test frames that
// were skipped and why.
Q_DECLARE_LOGGING_CATEGORY(lcSelfTest)
