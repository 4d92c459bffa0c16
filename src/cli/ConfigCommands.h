#pragma once

struct CliCommand;

// The configuration page's actions on the command line.
CliCommand readCommand();   // read [-o FILE]: "Прочитать", printed as JSON
CliCommand writeCommand();  // write FILE: "Сохранить" of a JSON file
CliCommand saveCommand();   // save [-o FILE]: read, then "Сохранить в файл"
CliCommand inputsCommand(); // inputs: the present state of the digital inputs
