// taviron-screenshots: renders each page of the main window against the
// built-in simulated terminal into PNG files, the way a user sees them, and
// reports how long start-up took once the port was chosen.
#include "MainUnit.h"
#include "link/Link.h"
#include "link/QtPump.h"
#include "log/TfrmLog.h"
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

    const auto save = [&](QWidget &window, const QString &name) {
        const QString file = QDir(folder).filePath(name + QStringLiteral(".png"));
        const bool saved = window.grab().save(file);
        out << (saved ? file : QStringLiteral("cannot write ") + file) << "\n";
        return saved;
    };
    for (int page = 0; page < frmMain.PC->count(); ++page) {
        frmMain.PC->setCurrentIndex(page);
        runFor(2500); // the mode command, and text from the modem or receiver
        if (!save(frmMain, QStringLiteral("page%1").arg(page)))
            return 1;
    }

    // The log window with the terminal's log switched on for a few seconds.
    frmMain.PC->setCurrentIndex(0);
    frmMain.ALogForm->trigger();
    frmMain.frmLog->btnEnableLogClick();
    runFor(5000);
    if (!save(*frmMain.frmLog, QStringLiteral("log")))
        return 1;
    frmMain.close();
    return 0;
}
