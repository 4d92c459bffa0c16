#pragma once

#include "selftest/TestOutput.h"

#include <QStringList>

// The result lines as a list, for comparing line by line.
class LineLog final : public TestOutput
{
public:
    void clearLines() override
    {
        lines.clear();
        ++clears;
    }
    void appendLine(const QString &text) override { lines.append(text); }

    QStringList lines;
    int clears = 0;
};
