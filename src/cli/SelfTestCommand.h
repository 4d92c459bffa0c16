#pragma once

struct CliCommand;

// selftest TESTS [--timeout S]: the self-test page's run on the console.
CliCommand selfTestCommand();
