#pragma once

#include <QString>

// How a reading, writing or parameter file action ended.
struct ConfigResult
{
    enum Outcome { Done, Stopped, Failed };
    Outcome outcome = Done;
    QString error; // Failed: what to tell the user

    bool ok() const { return outcome == Done; }
};
