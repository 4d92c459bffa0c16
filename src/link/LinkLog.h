#pragma once

#include <QLoggingCategory>

// QT_LOGGING_RULES="taviron.link.debug=true" shows every frame in hex.
Q_DECLARE_LOGGING_CATEGORY(lcLink)
