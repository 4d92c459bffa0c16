#pragma once

#include <QLoggingCategory>

// QT_LOGGING_RULES="taviron.sim.debug=true" shows every frame the simulated
// terminal takes and every fault it injects.
Q_DECLARE_LOGGING_CATEGORY(lcSim)
