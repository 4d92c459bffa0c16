#pragma once

#include <QtGlobal>

// What the simulated terminal did, so tests can compare the program's counters
// with the faults that were really injected.
struct SimStats
{
    int framesTaken = 0;      // program frames with a good checksum
    int badFrames = 0;        // program frames with a wrong checksum (ignored)
    int replies = 0;          // replies sent intact with their own code
    int naks = 0;             // negative replies sent instead of a reply
    int brokenChecksums = 0;  // replies sent with a wrong checksum
    int dropped = 0;          // replies withheld
    int silenced = 0;         // requests left unanswered by silentCodes
    int stale = 0;            // stale replies of another code sent
    int noiseBursts = 0;      // bursts of line noise sent
};
