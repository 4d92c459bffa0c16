#pragma once

struct CliCommand;

// log [--seconds N]: the terminal's live log, one line per record.
CliCommand logCommand();
