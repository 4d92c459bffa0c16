#pragma once

#include <QLoggingCategory>

// QT_LOGGING_RULES="taviron.config.debug=true" shows the parameter traffic.
Q_DECLARE_LOGGING_CATEGORY(lcConfig)
