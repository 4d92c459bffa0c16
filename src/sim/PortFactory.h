#pragma once

#include <QByteArray>
#include <QString>

#include <memory>

class Port;
class QObject;

// The port for a name: "sim" is the simulated terminal inside the process,
// any other name a serial port of the system.
std::unique_ptr<Port> createPort(const QString &name, QObject *parent = nullptr);

// The log message header the terminal behind a port comes with: the
// simulated terminal numbers its log by the header bundled with it; a real
// terminal's header comes from its firmware team (empty here).
QByteArray bundledMessageHeader(const QString &portName);
