#pragma once

#include <QString>

#include <memory>

class Port;
class QObject;

// The port for a name: "sim" is the simulated terminal inside the process,
// any other name a serial port of the system.
std::unique_ptr<Port> createPort(const QString &name, QObject *parent = nullptr);
