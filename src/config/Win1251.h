#pragma once

#include "link/TBuf.h"

#include <QString>

// Parameter values are Windows-1251 bytes, as the terminal keeps them; the
// window, the settings file and the console speak Unicode. These two are the
// only crossings.
namespace Win1251 {

QString decode(const TBuf &bytes);
// Raises ParamError naming the first character Windows-1251 cannot hold:
// such a text is refused, never sent with "?" in its place.
TBuf encode(const QString &text);

} // namespace Win1251
