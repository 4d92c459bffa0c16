#pragma once

#include "ConfigResult.h"

class ConfigCells;
class TerminalParams;

// The one stored configuration: the section "Params" of the settings file,
// and the copying between the parameter objects and the grid's cells. None of
// this talks to the terminal.
class ParamsFile
{
public:
    // Reads the file anew into every object (which forgets that it was read
    // from the terminal), then shows the values in the cells.
    static ConfigResult LoadParams(TerminalParams &params, ConfigCells &cells);
    // Takes the cells into the objects, then writes all of them to the file.
    // A cell that cannot be taken stops before the file is touched.
    static ConfigResult SaveParams(TerminalParams &params, ConfigCells &cells);

    static void ParamsToGrid(const TerminalParams &params, ConfigCells &cells);
    // Raises ParamError for a cell that cannot become its parameter's value.
    static void GridToParams(TerminalParams &params, ConfigCells &cells);
};
