#pragma once

#include "FuelRow.h"
#include "TFuelPoint.h"

#include "link/TBuf.h"

#include <QList>
#include <QString>

#include <array>
#include <optional>

class Link;

// The fuel level sensor's calibration table in the terminal: reading it point
// by point, writing it back row by row, clearing it, and the sensor's live
// reading. No window: the sensor frame and the command-line tool share it.
class FuelTable
{
public:
    static constexpr int MaxPoints = 10;
    // A point the terminal keeps refusing is given up after this many tries,
    // so a dead or confused terminal cannot hang the write for ever.
    static constexpr int MaxWriteTries = 20;
    static constexpr int RetryPauseMs = 50;

    // Write flags of the point write command.
    static constexpr quint8 FlagLast = 0;
    static constexpr quint8 FlagMiddle = 1;
    static constexpr quint8 FlagFirst = 2;

    explicit FuelTable(Link &link);

    // The table as last read from the terminal.
    std::array<TFuelPoint, MaxPoints> Points{};
    quint16 CurrentFuel = 0; // hundredths of a litre
    quint16 CurrentAdc = 0;

    // Asks for the sensor's present reading; a missing or short reply keeps
    // the previous values. True when the values were updated.
    bool ReadCurrentValues();

    // Asks the terminal for its points one request at a time and stores them
    // in Points by the index each reply names.
    void ReadPoints();

    // The points of Points that form the table: from entry 0 up to the first
    // empty entry, through an entry marked last, at most MaxPoints.
    QList<TFuelPoint> TablePoints() const;

    // Writes the rows, last row first; rows with an empty cell are passed
    // over. Every volume is checked before anything is sent. Returns an empty
    // text on success, otherwise what stopped the write (naming the row).
    QString WritePoints(const QList<FuelRow> &rows);

    // Empties the table in the terminal (its answer is not examined) and Points.
    void Clear();

    // The write flag of row index among count rows.
    static quint8 WriteFlag(int index, int count);
    // Litres as hundredths (halves to the even neighbour); nullopt when that
    // does not fit in 16 bits or is not a number.
    static std::optional<quint16> VolumeToHundredths(double litres);

private:
    bool writePoint(const TBuf &request);

    Link &m_link;
};
