#pragma once

#include <QString>

// Why a port did not open, in words a service engineer can act on.
namespace PortProblem {

enum class Kind { Busy, Missing, NoPermission };

// Tells the three apart from the port's name and the system's error text.
Kind classify(const QString &portName, const QString &systemError);
// One or two sentences for the setup dialog; the system's text in brackets.
QString explain(const QString &portName, const QString &systemError);

} // namespace PortProblem
