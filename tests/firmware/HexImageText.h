#pragma once

#include <QByteArray>

// An Intel HEX image as a linker writes it, for tests and benchmarks: an
// extended linear address record, data records of random bytes, end of file.
struct HexImageText
{
    QByteArray text;      // the file, CR LF line ends
    QByteArray blockData; // every block's data in order: what the bootloader keeps
    int records = 0;      // lines of the file

    static HexImageText random(int dataBytes, int perRecord, quint32 seed);
    // One record line with its checksum, from the hex of count, address, type and data.
    static QByteArray record(const QByteArray &hex);
};
