// Start-up of the main window: settings, the port loop, the first work mode.
#include "MainUnit.h"

#include "BaudRates.h"
#include "PortCatalog.h"
#include "PortProblem.h"
#include "PortSetupDialog.h"
#include "link/Link.h"
#include "settings/FormState.h"
#include "settings/XmlStore.h"
#include "sim/PortFactory.h"

#include <QLocale>
#include <QMessageBox>

namespace {
const QString SetupSection = QStringLiteral("Setup");
const QString MainFormSection = QStringLiteral("MainForm");
} // namespace

void TfrmMain::installDefaultHooks()
{
    hooks.makePort = [](const QString &name) { return createPort(name); };
    hooks.setupDialog = [](Port::Settings &settings, const QString &problem) {
        PortSetupDialog dialog(settings, problem);
        if (dialog.exec() != QDialog::Accepted)
            return false;
        settings = dialog.settings();
        return true;
    };
    hooks.askQuit = [] {
        QMessageBox box(QMessageBox::Critical, QStringLiteral("Ошибка"),
                        QStringLiteral("Выбранный ком-порт занят другой программой!\r\nЗакрыть программу?"),
                        QMessageBox::Yes | QMessageBox::No);
        return box.exec() == QMessageBox::Yes;
    };
    hooks.showError = [this](const QString &text) { QMessageBox::critical(this, QStringLiteral("Ошибка"), text); };
}

void TfrmMain::FormCreate()
{
    setDecimalSeparator();
    ReadVersionInfo(VersionInfo);
    showVersionInTitle();
    // A damaged settings file is kept aside; the user hears of it once, here.
    m_xml.onWarning = [this](const QString &text) { hooks.showError(text); };
    m_xml.open();
    applyStoredPortSettings();
    portLoop();
    // Without the catalogue the log stays empty; the rest of the program works.
    if (!Messages.LoadMessages(MessagesPath))
        hooks.showError(Messages.errorString());
    else if (Messages.MessageCount == 0 && Com)
        Messages.LoadText(bundledMessageHeader(Com->settings().name));
    m_link.TransactProc = [this](const TBuf &request) { return m_link.Transact(request); };
    CreateParams();
    CreateTestPage();
    // A store that cannot be written costs this run's settings, not the start.
    m_xml.close();
    m_link.NakCount = 0;
    m_link.CrcErrorCount = 0;
    ParamsToGrid();
    m_link.PortConnected = Com && Com->isOpen();
    restorePosition();
    SetWorkMode(1);
}

void TfrmMain::setDecimalSeparator()
{
    // The grid, the settings file and the calibration values all write "."
    QLocale c = QLocale::c();
    c.setNumberOptions(QLocale::OmitGroupSeparator);
    QLocale::setDefault(c);
}

void TfrmMain::showVersionInTitle()
{
    setWindowTitle(DesignTitle + QLatin1Char('(') + VersionInfo[vtFileVersion] + QLatin1Char(')'));
}

void TfrmMain::applyStoredPortSettings()
{
    Port::Settings settings;
    settings.name = m_xml.readString(SetupSection, QStringLiteral("Com"), PortCatalog::defaultPortName());
    if (!portOverride.isEmpty())
        settings.name = portOverride;
    MessagesPath = m_xml.readString(SetupSection, QStringLiteral("MessagesPath"));
    const int stored = m_xml.readInteger(SetupSection, QStringLiteral("BaudRate"), -1);
    const qint32 rate = stored == 0 ? BaudRates::Default : stored;
    if (BaudRates::index(rate) > 0)
        settings.baudRate = rate;
    adoptPort(hooks.makePort(settings.name));
    Com->setSettings(settings);
}

void TfrmMain::portLoop()
{
    while (!OpenPort()) {
        if (hooks.askQuit()) {
            m_terminate = true;
            break;
        }
    }
}

bool TfrmMain::OpenPort()
{
    Port::Settings settings = Com->settings();
    if (hooks.setupDialog(settings, m_portProblem)) {
        // "sim" and a serial port are different kinds of port.
        if (settings.name != Com->settings().name)
            adoptPort(hooks.makePort(settings.name));
        Com->setSettings(settings);
    }
    if (!Com->open()) {
        m_portProblem = PortProblem::explain(Com->settings().name, Com->errorString());
        return false;
    }
    m_portProblem.clear();
    portWatcher.watch(Com->settings().name);
    m_xml.writeString(SetupSection, QStringLiteral("Com"), Com->settings().name);
    if (const int index = BaudRates::index(Com->settings().baudRate))
        m_xml.writeInteger(SetupSection, QStringLiteral("BaudRate"), BaudRates::table()[static_cast<size_t>(index - 1)]);
    return true;
}

void TfrmMain::restorePosition()
{
    FormState(m_xml, MainFormSection).restore(*this, false);
}
