#pragma once

struct CliCommand;

// ports: the serial ports of this machine, one per line: name, tab, description.
CliCommand portsCommand();
