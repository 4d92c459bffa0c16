#pragma once

#include <QByteArray>

// A growable array of bytes with value semantics: request bodies, reply
// payloads and frame payloads are all handed around as TBuf.
using TBuf = QByteArray;
