#pragma once

struct CliCommand;

// mode N: switches the terminal's work mode and prints the mode it confirmed.
CliCommand modeCommand();
