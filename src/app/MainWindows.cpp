// The program's other windows, created after the main window in this order:
// firmware, log, messages, debug, ADC calibration. Each lives as long as the
// main window.
#include "MainUnit.h"

void TfrmMain::createWindows()
{
}
