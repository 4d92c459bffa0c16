// taviron-screenshots: renders each page of the main window against the
// built-in simulated terminal into PNG files, the way a user sees them, and
// reports how long start-up took once the port was chosen.
#include "MainUnit.h"
#include "link/Link.h"
#include "link/QtPump.h"
#include "settings/XmlStore.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTextStream>
#include <QTimer>

namespace {
void runFor(int ms)
{
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}
} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QTextStream out(stdout);
    const QString folder = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QDir::currentPath();
    QDir().mkpath(folder);

    QTemporaryDir settingsDir;
    QtPump pump;
    Link link(pump);
    XmlStore xml(settingsDir.filePath(QStringLiteral("tvConfigC.xml")));
    TfrmMain frmMain(link, xml);
    frmMain.portOverride = QStringLiteral("sim");

    // Start-up is timed from the moment the port dialog is confirmed.
    QElapsedTimer sinceConfirmed;
    frmMain.hooks.setupDialog = [&](Port::Settings &, const QString &) {
        sinceConfirmed.start();
        return true;
    };
    frmMain.hooks.askQuit = [] { return true; };
    frmMain.FormCreate();
    frmMain.createWindows();
    if (frmMain.terminateRequested()) {
        out << "the simulated terminal did not open\n";
        return 1;
    }
    frmMain.show();
    QApplication::processEvents();
    out << "start-up after the port dialog: " << sinceConfirmed.elapsed() << " ms\n";

    for (int page = 0; page < frmMain.PC->count(); ++page) {
        frmMain.PC->setCurrentIndex(page);
        runFor(2500); // the mode command, and text from the modem or receiver
        const QString file = QDir(folder).filePath(QStringLiteral("page%1.png").arg(page));
        if (!frmMain.grab().save(file)) {
            out << "cannot write " << file << "\n";
            return 1;
        }
        out << file << "\n";
    }
    frmMain.close();
    return 0;
}
