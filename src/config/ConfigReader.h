#pragma once

#include "ConfigResult.h"

class ConfigCells;
class ConfigProgress;
class TerminalParams;

// Reads the whole configuration and the identity values from the terminal:
// 44 read requests in a fixed order, each value set into its cell as soon as
// it arrives. Sends nothing but read requests.
class ConfigReader
{
public:
    static ConfigResult run(TerminalParams &params, ConfigCells &cells, ConfigProgress &progress);
};
