#pragma once

#include <QSet>
#include <QtGlobal>

// Faults the simulated terminal injects into its replies, all off by default.
// Rates are probabilities 0..1 drawn per reply from the terminal's seeded
// generator, so a run with the same seed and traffic repeats exactly.
// A reply gets at most one of NAK, broken checksum or drop (in that order of
// the draw), so each rate is the share of replies that suffer it.
struct SimFaults
{
    int latencyMs = 0;          // extra delay before each reply (hosts apply it)
    double nakRate = 0;         // reply replaced by a negative reply (code FF)
    double crcErrorRate = 0;    // reply sent with a wrong checksum
    double dropRate = 0;        // reply not sent at all
    double staleRate = 0;       // a reply of another code goes out first
    double noiseRate = 0;       // a few random bytes go out before the reply
    QSet<quint8> silentCodes;   // requests with these codes are ignored altogether
};
