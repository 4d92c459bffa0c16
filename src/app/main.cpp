// taviron-config: the desktop configuration and service tool of the
// "Тавирон" vehicle tracking terminal.
#include "MainUnit.h"
#include "link/Link.h"
#include "link/QtPump.h"
#include "settings/XmlStore.h"

#include <QApplication>
#include <QCommandLineParser>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("taviron"));
    QApplication::setApplicationVersion(QStringLiteral(TAVIRON_VERSION));

    QCommandLineParser options;
    options.setApplicationDescription(TfrmMain::DesignTitle);
    options.addHelpOption();
    options.addVersionOption();
    const QCommandLineOption port(QStringLiteral("port"), QStringLiteral("Port to offer first (\"sim\" for the simulated terminal)."),
                                  QStringLiteral("NAME"));
    const QCommandLineOption settings(QStringLiteral("settings"), QStringLiteral("Settings file instead of tvConfigC.xml."),
                                      QStringLiteral("FILE"));
    options.addOption(port);
    options.addOption(settings);
    options.process(app);

    QtPump pump;
    Link link(pump);
    XmlStore xml(options.isSet(settings) ? options.value(settings) : XmlStore::defaultFileName());

    TfrmMain frmMain(link, xml);
    frmMain.portOverride = options.value(port);
    frmMain.FormCreate();
    frmMain.createWindows();
    if (frmMain.terminateRequested())
        return 0;
    frmMain.show();
    return app.exec();
}
