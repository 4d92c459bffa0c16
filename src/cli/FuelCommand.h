#pragma once

struct CliCommand;

// fuel read | write FILE | clear | level: the fuel level sensor's table.
CliCommand fuelCommand();
