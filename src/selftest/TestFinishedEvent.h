#pragma once

#include <QEvent>

// Posted (never sent) when the terminal reports the end of its own tests, so
// the operator's tests run from the event queue and not inside the receiver.
constexpr QEvent::Type WM_TEST_FINISHED = static_cast<QEvent::Type>(QEvent::User + 3);
