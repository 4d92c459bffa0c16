#pragma once

#include <QString>

// The person at the bench who judges the tests a terminal cannot judge
// itself. The window asks with a message box; tests and the console answer
// from a script. Styles and answers keep the system message box's numbers,
// so a recorded session reads the same everywhere.
class Operator
{
public:
    enum Style : int {
        Instruction = 0x41, // OK and Cancel, information icon
        Question = 0x24, // Yes and No, question icon
    };
    enum Button : int {
        IdOk = 1,
        IdCancel = 2,
        IdYes = 6,
        IdNo = 7,
    };

    virtual ~Operator() = default;
    // Shows text under caption with the buttons of flags and returns the
    // button pressed.
    virtual int AskOperator(const QString &text, const QString &caption, int flags) = 0;
};
