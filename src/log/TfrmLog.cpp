#include "TfrmLog.h"

#include "LogFindBar.h"
#include "LogLine.h"
#include "LogView.h"
#include "MessageCatalogue.h"

#include "link/Commands.h"
#include "link/Link.h"
#include "settings/FormState.h"

#include <QAction>
#include <QCheckBox>
#include <QFileDialog>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QMessageBox>
#include <QMutexLocker>
#include <QSaveFile>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

TfrmLog::TfrmLog(Context context, QWidget *parent)
    : QWidget(parent, Qt::Tool)
    , m_context(std::move(context))
    , m_state(std::make_unique<FormState>(m_context.store, QStringLiteral("LogForm")))
{
    setObjectName(QStringLiteral("frmLog"));
    setWindowTitle(QStringLiteral("Лог"));
    resize(856, 830);

    m_log = new LogView(this);
    m_log->setObjectName(QStringLiteral("log"));
    m_log->setContextMenuPolicy(Qt::CustomContextMenu);
    m_findBar = new LogFindBar(this);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(createToolBar());
    layout->addWidget(m_log, 1);
    layout->addWidget(m_findBar);
    layout->addWidget(createBottomPanel());
    createLogInfo();
    createActions();

    connect(m_findBar, &LogFindBar::findRequested, this, &TfrmLog::findText);
    connect(m_findBar, &LogFindBar::closed, m_log, qOverload<>(&QWidget::setFocus));
    connect(m_log, &QWidget::customContextMenuRequested, this, [this](const QPoint &pos) {
        std::unique_ptr<QMenu> menu(m_log->createContextMenu());
        menu->addSeparator();
        menu->addAction(m_find);
        menu->addAction(m_save);
        menu->exec(m_log->viewport()->mapToGlobal(pos));
    });

    // The saved placement is taken once; showing the window moves it beside
    // the main window, keeping the restored size and state.
    m_state->restore(*this, true);

    QMutexLocker lock(&m_context.link.LinkLock);
    m_context.link.HandleLogFrame = [this] { HandleLogFrame(); };
}

TfrmLog::~TfrmLog()
{
    m_state->save(*this);
    // Under the receiver's lock, so that no frame reaches a window being destroyed.
    QMutexLocker lock(&m_context.link.LinkLock);
    m_context.link.HandleLogFrame = nullptr;
}

QToolBar *TfrmLog::createToolBar()
{
    auto *bar = new QToolBar(this);
    bar->setObjectName(QStringLiteral("ToolBar1"));
    bar->setToolButtonStyle(Qt::ToolButtonTextOnly);
    bar->setMovable(false);
    const auto add = [bar](const char *name, const QString &caption, auto slot, TfrmLog *self) {
        QAction *action = bar->addAction(caption);
        bar->widgetForAction(action)->setObjectName(QLatin1String(name));
        connect(action, &QAction::triggered, self, slot);
    };
    add("btnEnableLog", QStringLiteral("Включить лог"), &TfrmLog::btnEnableLogClick, this);
    add("btnDisableLog", QStringLiteral("Выключить лог"), &TfrmLog::btnDisableLogClick, this);
    bar->addSeparator();
    add("ToolButton1", QStringLiteral("Очистить"), &TfrmLog::ToolButton1Click, this);
    bar->addSeparator();
    add("ToolButton2", QStringLiteral("Закрыть"), &TfrmLog::ToolButton2Click, this);
    return bar;
}

QWidget *TfrmLog::createBottomPanel()
{
    auto *panel = new QWidget(this);
    m_scroll = new QCheckBox(QStringLiteral("Автоскроллинг"), panel);
    m_scroll->setObjectName(QStringLiteral("CBScroll"));
    m_scroll->setChecked(true);
    m_clearOnReboot = new QCheckBox(QStringLiteral("Очищать лог при перезагрузке"), panel);
    m_clearOnReboot->setObjectName(QStringLiteral("cbClearLogOnReboot"));
    m_clearOnReboot->setChecked(true);
    auto *layout = new QHBoxLayout(panel);
    layout->addWidget(m_scroll);
    layout->addWidget(m_clearOnReboot);
    layout->addStretch(1);
    return panel;
}

void TfrmLog::createLogInfo()
{
    m_logInfo = new QFrame(this);
    m_logInfo->setObjectName(QStringLiteral("pLogInfo"));
    m_logInfo->setFrameStyle(QFrame::Panel | QFrame::Raised);
    m_logInfo->setAutoFillBackground(true);
    m_logInfo->setFixedSize(185, 41);
    auto *caption = new QLabel(QStringLiteral("ЛОГ ВЫКЛЮЧЕН"), m_logInfo);
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(19);
    caption->setFont(font);
    QPalette palette = caption->palette();
    palette.setColor(QPalette::WindowText, Qt::red);
    caption->setPalette(palette);
    caption->setAlignment(Qt::AlignCenter);
    auto *layout = new QHBoxLayout(m_logInfo);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(caption);
    m_logInfo->raise();
    connect(m_log, &LogView::resized, this, &TfrmLog::placeLogInfo);
}

void TfrmLog::createActions()
{
    m_find = new QAction(QStringLiteral("Найти..."), this);
    m_find->setShortcut(QKeySequence::Find);
    connect(m_find, &QAction::triggered, m_findBar, &LogFindBar::open);
    m_save = new QAction(QStringLiteral("Сохранить лог..."), this);
    m_save->setShortcut(QKeySequence::Save);
    connect(m_save, &QAction::triggered, this, &TfrmLog::saveLogAs);
    addAction(m_find);
    addAction(m_save);
}

void TfrmLog::HandleLogFrame()
{
    if (const auto line = LogLine::format(m_context.link.LastFrameData, m_context.messages))
        addLine(*line);
}

void TfrmLog::addLine(const QString &line)
{
    m_log->appendLine(line);
    LogLineAdded();
    if (!LogLine::isRestartMarker(line))
        return;
    if (m_clearOnReboot->isChecked())
        m_log->clear();
    if (m_context.startRestartTimer)
        m_context.startRestartTimer();
}

void TfrmLog::LogLineAdded()
{
    if (m_scroll->isChecked())
        m_log->postPageDown();
    m_logInfo->hide();
}

void TfrmLog::btnEnableLogClick()
{
    m_context.link.Transact(Commands::logOutput(true));
    m_logInfo->hide();
}

void TfrmLog::btnDisableLogClick()
{
    m_context.link.Transact(Commands::logOutput(false));
    m_logInfo->show();
}

void TfrmLog::ToolButton1Click()
{
    m_log->clear();
}

void TfrmLog::ToolButton2Click()
{
    close();
}

void TfrmLog::findText(const QString &text, bool backward)
{
    m_findBar->setNotFound(!text.isEmpty() && !m_log->find(text, backward));
}

bool TfrmLog::saveLog(const QString &fileName, QString *error) const
{
    QSaveFile file(fileName);
    if (file.open(QIODevice::WriteOnly | QIODevice::Text)) {
        file.write(m_log->text().toUtf8());
        if (file.commit())
            return true;
    }
    if (error)
        *error = file.errorString();
    return false;
}

void TfrmLog::saveLogAs()
{
    const QString fileName = QFileDialog::getSaveFileName(this, QStringLiteral("Сохранить лог"), QStringLiteral("log.txt"),
                                                          QStringLiteral("Текстовые файлы (*.txt);;Все файлы (*)"));
    if (fileName.isEmpty())
        return;
    QString error;
    if (!saveLog(fileName, &error))
        QMessageBox::warning(this, QStringLiteral("Ошибка"),
                             QStringLiteral("Не удалось сохранить лог в файл %1:\n%2").arg(fileName, error));
}

void TfrmLog::showEvent(QShowEvent *event)
{
    if (m_context.mainGeometry) {
        const QRect main = m_context.mainGeometry();
        move(main.x() + main.width(), main.y());
    }
    QWidget::showEvent(event);
}

void TfrmLog::placeLogInfo()
{
    // Centred across the view, but its top is half the view's height below
    // the window's client top, as the tool has always placed it.
    m_logInfo->move(m_log->width() / 2 - m_logInfo->width() / 2, m_log->height() / 2);
}
