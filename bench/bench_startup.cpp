// Start-up of the main window against the in-process simulated terminal:
// from the window's construction (the setup dialog confirmed at once) to the
// window on screen with the terminal in its main mode. The floor is the one
// exchange start-up must make: the 50 ms pause and the mode command's frames.
#include "app/MainUnit.h"
#include "link/Link.h"
#include "link/QtPump.h"
#include "settings/XmlStore.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTest>

#include <cstdio>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QTemporaryDir dir;
    QtPump pump;
    Link link(pump);
    XmlStore xml(dir.filePath(QStringLiteral("tvConfigC.xml")));

    QElapsedTimer timer;
    timer.start();
    TfrmMain w(link, xml);
    w.portOverride = QStringLiteral("sim");
    w.hooks.setupDialog = [](Port::Settings &s, const QString &) {
        s.baudRate = 115200;
        return true;
    };
    w.FormCreate();
    w.createWindows();
    w.show();
    const bool shown = QTest::qWaitForWindowExposed(&w);
    const double ms = double(timer.nsecsElapsed()) / 1e6;
    // 7F 01 01 and its reply: 8 bytes each way at 10 bits a byte.
    const double floorMs = Link::FramePauseMs + 16 * 10 * 1000.0 / 115200;
    std::printf("start-up: %.0f ms, floor %.1f ms, ratio %.1f%s\n", ms, floorMs, ms / floorMs, shown ? "" : " (NOT SHOWN)");
    return shown && link.PortConnected ? 0 : 1;
}
