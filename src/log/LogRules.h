#pragma once

#include <QList>
#include <QStringView>
#include <QTextLayout>

// The colouring of the terminal's log: modem exchanges between braces (which
// may run over several lines), information lines and TCP packet lines. Text
// outside these ranges keeps the view's own colours.
namespace LogRules {

// What a line leaves open for the next one.
enum State : quint8 { Outside = 0, InModem = 1 };

// The formats of one line, as runs that do not overlap, given the state the
// previous line left; returns the state this line leaves.
State highlight(QStringView text, State before, QList<QTextLayout::FormatRange> *formats);

} // namespace LogRules
