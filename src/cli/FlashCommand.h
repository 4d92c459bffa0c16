#pragma once

struct CliCommand;

// flash FILE: new firmware from an Intel HEX file through the bootloader.
CliCommand flashCommand();
