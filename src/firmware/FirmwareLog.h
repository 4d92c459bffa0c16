#pragma once

#include <QLoggingCategory>

// QT_LOGGING_RULES="taviron.firmware.debug=true" traces every image line and
// every step of a run.
Q_DECLARE_LOGGING_CATEGORY(lcFirmware)
