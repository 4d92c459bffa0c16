#pragma once

#include "link/TBuf.h"

// What one image line gives the sender.
enum class HexOutcome {
    Stop,  // the transfer ends here
    Skip,  // nothing is sent for this line
    Block, // one data block for the bootloader
};

struct HexLineResult
{
    HexOutcome outcome = HexOutcome::Stop;
    TBuf block; // F0, N, the N data bytes: only for HexOutcome::Block
};

// Converts one Intel HEX line. Only the byte count, the record type and the
// data reach the bootloader: it places the bytes itself, so the load address
// and the checksum are never sent. Extended segment address records (type 2)
// are skipped; every other type goes out as a block.
//
// A line that cannot be converted (a field that is not hexadecimal, data cut
// short) gives Stop, never a damaged block. Images are checked as a whole
// before a run (HexImage::check), so a run never meets such a line.
HexLineResult HexLineToBlock(const QByteArray &line);
