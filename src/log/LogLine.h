#pragma once

#include "link/TBuf.h"

#include <QString>

#include <optional>

class MessageCatalogue;

// The text of one terminal log record, shared by the log window and the
// command-line tool.
namespace LogLine {

// The payload of a log frame is the message number (low byte first) and then
// one character per byte of variable data. The line is the catalogue text
// followed directly by that data, with CR dropped and LF shown as a blank.
// No line for a payload shorter than the number or a number the catalogue
// does not hold.
std::optional<QString> format(const TBuf &payload, const MessageCatalogue &messages);

// The terminal logs this line when it restarts.
bool isRestartMarker(const QString &line);

} // namespace LogLine
