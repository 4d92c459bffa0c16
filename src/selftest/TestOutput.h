#pragma once

#include <QString>

// Where the result lines of a test run go: the window's result view, a
// console, or a test's list of lines.
class TestOutput
{
public:
    virtual ~TestOutput() = default;
    virtual void clearLines() = 0;
    // Appends text as the new last line.
    virtual void appendLine(const QString &text) = 0;
};
