#include "MainUnit.h"

#include "NmeaPanel.h"
#include "StatusLamp.h"
#include "TerminalView.h"
#include "config/ConfigGrid.h"
#include "config/TerminalParams.h"
#include "link/Link.h"
#include "settings/XmlStore.h"
#include "selftest/MessageBoxOperator.h"
#include "log/TfrmDbg.h"
#include "log/TfrmLog.h"
#include "log/TfrmMessages.h"

#include <QAbstractEventDispatcher>
#include <QAction>
#include <QGuiApplication>
#include <QLabel>
#include <QProgressBar>
#include <QScreen>
#include <QStatusBar>
#include <QTabWidget>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

namespace {
constexpr int WindowWidth = 913;
constexpr int WindowHeight = 986;
constexpr int ToolButtonWidth = 110;
constexpr int StatusBarHeight = 20;
constexpr int RestartDelayMs = 15000;
constexpr int ModeDelayMs = 100;
constexpr int NavigationRows = 50;

QWidget *page(QTabWidget *pc, const QString &caption, const char *name)
{
    auto *w = new QWidget(pc);
    w->setObjectName(QString::fromLatin1(name));
    pc->addTab(w, caption);
    return w;
}
} // namespace

TfrmMain::TfrmMain(Link &link, XmlStore &xml, QWidget *parent)
    : QMainWindow(parent)
    , m_link(link)
    , m_xml(xml)
{
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(DesignTitle);
    resize(WindowWidth, WindowHeight);
    placeAtScreenCentre();
    buildActions();
    buildPages();
    buildToolBar();
    buildStatusBar();
    buildTimers();
    installDefaultHooks();
    // Enabling follows the link state; refreshing it whenever the event loop
    // runs dry is how the actions stay current without every handler caring.
    connect(QAbstractEventDispatcher::instance(), &QAbstractEventDispatcher::aboutToBlock, this, &TfrmMain::ALUpdate);
    connect(QAbstractEventDispatcher::instance(), &QAbstractEventDispatcher::aboutToBlock, this, &TfrmMain::showPortState);
    connect(&portWatcher, &PortWatcher::returned, this, &TfrmMain::onPortReturned);
}

TfrmMain::~TfrmMain()
{
    // The views go before the port; neither may outlive the other's pointer.
    if (Com)
        Com->detachSink();
    // The link outlives the window: no frame may reach the destroyed page.
    m_link.HandleTestFrame = nullptr;
    m_xml.onWarning = nullptr;
}

void TfrmMain::placeAtScreenCentre()
{
    if (const QScreen *screen = QGuiApplication::primaryScreen()) {
        QRect r(QPoint(), QSize(WindowWidth, WindowHeight));
        r.moveCenter(screen->availableGeometry().center());
        move(r.topLeft());
    }
}

void TfrmMain::buildActions()
{
    auto make = [this](const QString &caption, const char *name) {
        auto *a = new QAction(caption, this);
        a->setObjectName(QString::fromLatin1(name));
        return a;
    };
    AReadConfig = make(QStringLiteral("Прочитать"), "AReadConfig");
    AWriteConfig = make(QStringLiteral("Сохранить"), "AWriteConfig");
    ALogForm = make(QStringLiteral("   Лог   "), "ALogForm");
    AFlash = make(QStringLiteral("Прошивка"), "AFlash");
    AMessages = make(QStringLiteral("Сообщения"), "AMessages");
    ADbgLog = make(QStringLiteral("Лог отладки"), "ADbgLog");
    ALoadParams = make(QStringLiteral("Прочитать из файла"), "ALoadParams");
    ASaveParams = make(QStringLiteral("Сохранить в файл"), "ASaveParams");
}

void TfrmMain::buildPages()
{
    PC = new QTabWidget(this);
    PC->setObjectName(QStringLiteral("PC"));
    setCentralWidget(PC);
    TS1 = page(PC, QStringLiteral("Конфигуратор"), "TS1");
    TS2 = page(PC, QStringLiteral("Модем"), "TS2");
    TS3 = page(PC, QStringLiteral("Навигационный приемник"), "TS3");
    TS4 = page(PC, QStringLiteral("Тестирование"), "TS4");
    TS5 = page(PC, QStringLiteral("Датчики"), "TS5");
    buildSensorPage();

    auto *config = new QVBoxLayout(TS1);
    config->setContentsMargins(0, 0, 0, 0);
    config->setSpacing(0);
    cxVGrid = new ConfigGrid(TS1);
    config->addWidget(cxVGrid, 1);

    MComTerminal = new TerminalView({}, TS2);
    MComTerminal->setObjectName(QStringLiteral("MComTerminal"));
    auto *modem = new QVBoxLayout(TS2);
    modem->setContentsMargins(0, 0, 0, 0);
    modem->addWidget(MComTerminal);

    TerminalView::Options navigation;
    navigation.rows = NavigationRows;
    navigation.wrap = true;
    GComTerminal = new TerminalView(navigation, TS3);
    GComTerminal->setObjectName(QStringLiteral("GComTerminal"));
    auto *receiver = new QHBoxLayout(TS3);
    receiver->setContentsMargins(0, 0, 0, 0);
    receiver->addWidget(GComTerminal, 1);
    GNmeaPanel = new NmeaPanel(TS3);
    receiver->addWidget(GNmeaPanel);
    connect(GComTerminal, &TerminalView::bytesShown, GNmeaPanel, &NmeaPanel::feed);

    PC->setCurrentIndex(0);
    connect(PC, &QTabWidget::currentChanged, this, &TfrmMain::PCPageChanging);
}

void TfrmMain::buildToolBar()
{
    ToolBar1 = new QToolBar(TS1);
    ToolBar1->setObjectName(QStringLiteral("ToolBar1"));
    ToolBar1->setToolButtonStyle(Qt::ToolButtonTextOnly);
    ToolBar1->setMovable(false);
    ToolBar1->addAction(AReadConfig);
    ToolBar1->addAction(AWriteConfig);
    ToolBar1->addAction(ALogForm);
    ToolBar1->addSeparator();
    ToolBar1->addAction(AFlash);
    ToolBar1->addSeparator();
    ToolBar1->addAction(AMessages);
    // The debug log's button is there but hidden; the action stays enabled.
    auto *dbgButton = new QToolButton(ToolBar1);
    dbgButton->setDefaultAction(ADbgLog);
    ToolBar1->addWidget(dbgButton)->setVisible(false);
    ToolBar1->addAction(ALoadParams);
    ToolBar1->addAction(ASaveParams);
    for (QAction *a : ToolBar1->actions()) {
        if (QWidget *button = ToolBar1->widgetForAction(a); button && !a->isSeparator())
            button->setMinimumWidth(ToolButtonWidth);
    }
    dbgButton->setMinimumWidth(ToolButtonWidth);
    if (QWidget *params = ToolBar1->widgetForAction(ALoadParams))
        params->setObjectName(QStringLiteral("tbParams"));
    static_cast<QVBoxLayout *>(TS1->layout())->insertWidget(0, ToolBar1);
}

void TfrmMain::buildStatusBar()
{
    SB = new QStatusBar(this);
    SB->setObjectName(QStringLiteral("SB"));
    SB->setFixedHeight(StatusBarHeight);
    SB->setSizeGripEnabled(false);
    setStatusBar(SB);
    ComLed1 = new StatusLamp(Qt::red, QString(), SB);
    ComLed2 = new StatusLamp(Qt::green, QStringLiteral("TX"), SB);
    ComLed3 = new StatusLamp(Qt::blue, QStringLiteral("RX"), SB);
    SBPanel3 = new QLabel(SB);
    SBPanel3->setFixedWidth(210);
    SBPanel4 = new QLabel(QStringLiteral("Ошибок передачи 0  CRC 0"), SB);
    SBPanel4->setFixedWidth(190);
    PB = new QProgressBar(SB);
    PB->setObjectName(QStringLiteral("PB"));
    PB->setRange(0, 100);
    PB->setValue(0);
    PB->setTextVisible(false);
    for (QWidget *w : {static_cast<QWidget *>(ComLed1), static_cast<QWidget *>(ComLed2), static_cast<QWidget *>(ComLed3),
                       static_cast<QWidget *>(SBPanel3), static_cast<QWidget *>(SBPanel4)})
        SB->addWidget(w);
    SB->addWidget(PB, 1);
}

void TfrmMain::buildTimers()
{
    tmr.setInterval(RestartDelayMs);
    connect(&tmr, &QTimer::timeout, this, &TfrmMain::tmrTimer);
    tmrMode.setInterval(ModeDelayMs);
    connect(&tmrMode, &QTimer::timeout, this, &TfrmMain::tmrModeTimer);
}

void TfrmMain::ALUpdate()
{
    const bool open = Com && Com->isOpen();
    const bool mainMode = m_link.WorkMode == 1;
    AReadConfig->setEnabled(open && !m_link.BootloaderMode && mainMode);
    AWriteConfig->setEnabled(open && !m_link.BootloaderMode && mainMode);
    AFlash->setEnabled(open && mainMode);
}
