#pragma once

#include "ConfigResult.h"

class ConfigCells;
class ConfigProgress;
class TerminalParams;

// Sends the grid's values to the terminal in a fixed order. Values the
// terminal already has (read and unchanged) are skipped; the event flags and
// the input states are always sent. A cell that cannot be encoded stops the
// run there with a message naming it; what went before it has been sent.
class ConfigWriter
{
public:
    static ConfigResult run(TerminalParams &params, ConfigCells &cells, ConfigProgress &progress);
};
