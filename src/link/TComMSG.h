#pragma once

#include "TBuf.h"

#include <QtGlobal>

// One frame being received or stored in the reply ring.
struct TComMSG
{
    quint8 Cmd = 0;   // command code
    quint8 Len = 0;   // payload length announced by the frame
    quint8 Count = 0; // payload bytes received so far
    quint8 Crc = 0;   // running XOR checksum
    TBuf Data;        // the payload, Len bytes once complete
};
