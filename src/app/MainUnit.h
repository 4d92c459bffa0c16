#pragma once

#include "PortWatcher.h"
#include "VersionInfo.h"
#include "link/Port.h"
#include "log/MessageCatalogue.h"

#include <QMainWindow>
#include <QTimer>

#include <functional>
#include <memory>

class ConfigActions;
class ConfigGrid;
class Link;
class MessageBoxOperator;
class NmeaPanel;
class QAction;
class QLabel;
class QProgressBar;
class QStatusBar;
class QTabWidget;
class QToolBar;
class StatusLamp;
class TerminalParams;
class TestPage;
class TfrmDbg;
class TfrmLog;
class TfrmMessages;
class TerminalView;
class TfrmADCConfig;
class TSensorFrame;
class TfrmFlash;
class XmlStore;

// The main window: five pages, the toolbar of the configuration page, the
// status bar, the restart and mode timers; it owns the serial port, opens it
// at start-up and hands it between the frame receiver and the terminal views
// as the pages change.
//
// The implementation is split by concern: MainUnit.cpp (the window and its
// actions), MainStartup.cpp (FormCreate and the port), MainWorkModes.cpp (the
// pages and the terminal's work modes), MainRestart.cpp (the restart timer),
// MainPort.cpp (the port's lamps, loss and return), MainClose.cpp
// (shutdown), MainWindows.cpp (the other windows).
class TfrmMain : public QMainWindow
{
    Q_OBJECT
public:
    // What start-up asks of the outside world, replaceable by tests.
    struct Hooks
    {
        // The port for a name ("sim" or a serial port).
        std::function<std::unique_ptr<Port>(const QString &name)> makePort;
        // Shows the setup dialog; true when "OK" put the choices into settings.
        std::function<bool(Port::Settings &settings, const QString &problem)> setupDialog;
        // The message box of the port loop; true for Yes (end the program).
        std::function<bool()> askQuit;
        // The platform's error message, e.g. when the port does not reopen.
        std::function<void(const QString &text)> showError;
    };

    static inline const QString DesignTitle = QStringLiteral("Тавирон Конфигуратор");

    TfrmMain(Link &link, XmlStore &xml, QWidget *parent = nullptr);
    ~TfrmMain() override;

    Hooks hooks;
    // A port named on the command line: replaces "Setup"/"Com" for this run.
    QString portOverride;

    // --- start-up ---
    void FormCreate();
    // The user chose to end the program in the port loop.
    bool terminateRequested() const { return m_terminate; }
    bool OpenPort();
    // The windows the program entry creates after the main window.
    void createWindows();
    // "Калибровка АЦП", opened by the operator's tests; created by createWindows.
    TfrmADCConfig *frmADCConfig = nullptr;

    // --- the sensors page (MainSensors.cpp) ---
    TSensorFrame *SensorFrame1 = nullptr;
    void SensorFrame1ToolButton7Click();
    TfrmFlash *frmFlash = nullptr;

    // --- firmware loading (MainWindows.cpp) ---
    void AFlashExecute();

    // --- the configuration page (MainConfig.cpp) ---
    void CreateParams();
    void ParamsToGrid();
    void AReadConfigExecute();
    void AWriteConfigExecute();
    void ALoadParamsExecute();
    void ASaveParamsExecute();
    void tbParamsClick();
    // The 40 parameter objects; created by FormCreate, kept to the end.
    TerminalParams &params() const { return *m_params; }
    int ParamCount = 0;
    ConfigGrid *cxVGrid = nullptr;
    ConfigActions *configActions = nullptr;

    // --- the testing page (MainSelfTest.cpp) ---
    // Built once the parameter objects exist: its inputs check reads InputsState.
    void CreateTestPage();
    TestPage *testPage = nullptr;

    // --- running ---
    void ALUpdate();
    void ALogFormExecute();
    void AMessagesExecute();
    void ADbgLogExecute();
    void tmrTimer();
    void PCPageChanging(int newIndex);
    void tmrModeTimer();
    bool SetWorkMode(quint8 mode);
    void RoutePort();

    // --- closing ---
    void FormCloseQuery();
    void FormClose();

    Port *port() const { return Com.get(); }
    Link &link() const { return m_link; }
    XmlStore &xml() const { return m_xml; }

    TVersionInfo VersionInfo;
    QString MessagesPath;
    MessageCatalogue Messages;

    QTabWidget *PC = nullptr;
    QWidget *TS1 = nullptr;
    QWidget *TS2 = nullptr;
    QWidget *TS3 = nullptr;
    QWidget *TS4 = nullptr;
    QWidget *TS5 = nullptr;
    QToolBar *ToolBar1 = nullptr;

    QAction *AReadConfig = nullptr;
    QAction *AWriteConfig = nullptr;
    QAction *ALogForm = nullptr;
    QAction *AFlash = nullptr;
    QAction *AMessages = nullptr;
    QAction *ADbgLog = nullptr;
    QAction *ALoadParams = nullptr;
    QAction *ASaveParams = nullptr;

    TerminalView *MComTerminal = nullptr;
    TerminalView *GComTerminal = nullptr;
    NmeaPanel *GNmeaPanel = nullptr; // what the navigation receiver's text says

    QStatusBar *SB = nullptr;
    StatusLamp *ComLed1 = nullptr; // connection
    StatusLamp *ComLed2 = nullptr; // transmit
    StatusLamp *ComLed3 = nullptr; // receive
    QLabel *SBPanel3 = nullptr;    // firmware version after a terminal restart
    QLabel *SBPanel4 = nullptr;    // transfer error counts
    QProgressBar *PB = nullptr;

    QTimer tmr;     // 15 s after the terminal restarted
    QTimer tmrMode; // 100 ms after a page change

    // Reopens a pulled USB adapter when it comes back.
    PortWatcher portWatcher;
    // Declared after what they use, so they go first.
    std::unique_ptr<TfrmLog> frmLog;
    std::unique_ptr<TfrmMessages> frmMessages;
    std::unique_ptr<TfrmDbg> frmDbg;

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void buildPages();
    void buildSensorPage();
    void buildActions();
    void buildToolBar();
    void buildStatusBar();
    void buildTimers();
    void installDefaultHooks();
    void placeAtScreenCentre();

    void setDecimalSeparator();
    void showVersionInTitle();
    void applyStoredPortSettings();
    void portLoop();
    void restorePosition();
    void adoptPort(std::unique_ptr<Port> port);
    void showPortState();
    void onPortLost(const QString &reason);
    void onPortReturned(const QString &portName);
    QString readFirmwareVersion();

    Link &m_link;
    XmlStore &m_xml;
    std::unique_ptr<Port> Com;
    std::unique_ptr<TerminalParams> m_params;
    std::unique_ptr<MessageBoxOperator> m_operator;
    QString m_portProblem; // why the last opening failed, for the setup dialog
    bool m_terminate = false;
};
