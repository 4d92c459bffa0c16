#include "TfrmFlash.h"

#include <QApplication>
#include <QFileDialog>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QToolButton>

namespace {
QString errCntText(qint32 errCnt)
{
    return QStringLiteral("Количество ошибок:%1").arg(errCnt);
}

QString durationText(qint64 ms)
{
    const qint64 s = (ms + 999) / 1000;
    return QStringLiteral("%1:%2").arg(s / 60).arg(s % 60, 2, 10, QLatin1Char('0'));
}
} // namespace

TfrmFlash::TfrmFlash(Link &link, QWidget *parent)
    : QDialog(parent, Qt::Tool | Qt::WindowTitleHint | Qt::WindowCloseButtonHint)
    , Label1(new QLabel(QStringLiteral("Файл прошивки:"), this))
    , eFile(new QLineEdit(this))
    , eFileButton(new QToolButton(this))
    , Label2(new QLabel(QStringLiteral("Процесс прошивки"), this))
    , PB(new QProgressBar(this))
    , lProgress(new QLabel(this))
    , BootBtn(new QPushButton(QStringLiteral("Прошить"), this))
    , lerrCnt(new QLabel(errCntText(0), this))
    , cxButton1(new QPushButton(QStringLiteral("Выход"), this))
    , oDialog(new QFileDialog(this))
    , m_boot(link)
{
    setObjectName(QStringLiteral("TfrmFlash"));
    Label1->setObjectName(QStringLiteral("Label1"));
    eFile->setObjectName(QStringLiteral("eFile"));
    eFileButton->setObjectName(QStringLiteral("eFileButton"));
    Label2->setObjectName(QStringLiteral("Label2"));
    PB->setObjectName(QStringLiteral("PB"));
    lProgress->setObjectName(QStringLiteral("lProgress"));
    BootBtn->setObjectName(QStringLiteral("BootBtn"));
    lerrCnt->setObjectName(QStringLiteral("lerrCnt"));
    cxButton1->setObjectName(QStringLiteral("cxButton1"));
    oDialog->setObjectName(QStringLiteral("oDialog"));
    setWindowTitle(QStringLiteral("Boot Loader"));
    setModal(true);
    setFixedSize(469, 130);

    eFileButton->setText(QStringLiteral("…"));
    eFileButton->setToolTip(QStringLiteral("Выбрать файл прошивки"));
    PB->setRange(0, 100);
    PB->setValue(0);
    PB->setTextVisible(false);
    BootBtn->setAutoDefault(false);
    cxButton1->setAutoDefault(false);
    oDialog->setFileMode(QFileDialog::ExistingFile);
    oDialog->setAcceptMode(QFileDialog::AcceptOpen);

    auto *fileRow = new QHBoxLayout;
    fileRow->setSpacing(2);
    fileRow->addWidget(eFile);
    fileRow->addWidget(eFileButton);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(BootBtn);
    buttons->addSpacing(8);
    buttons->addWidget(lerrCnt, 1);
    buttons->addWidget(cxButton1);
    auto *grid = new QGridLayout(this);
    grid->setContentsMargins(8, 6, 8, 6);
    grid->setVerticalSpacing(4);
    grid->addWidget(Label1, 0, 0);
    grid->addLayout(fileRow, 0, 1);
    grid->addWidget(Label2, 1, 0);
    grid->addWidget(PB, 1, 1);
    grid->addWidget(lProgress, 2, 1);
    grid->addLayout(buttons, 3, 0, 1, 2);
    grid->setColumnStretch(1, 1);

    connect(eFileButton, &QToolButton::clicked, this, &TfrmFlash::eFilePropertiesButtonClick);
    connect(BootBtn, &QPushButton::clicked, this, &TfrmFlash::BootBtnClick);
    connect(cxButton1, &QPushButton::clicked, this, &TfrmFlash::cxButton1Click);

    m_boot.onProgress = [this](const Bootloader::Progress &p) { showProgress(p); };
    m_boot.onErrCnt = [this](qint32 errCnt) { showErrCnt(errCnt); };
    m_boot.showError = [this](const QString &text) {
        QMessageBox::warning(this, QApplication::applicationDisplayName(), text);
    };
    m_boot.ask = [this](const QString &text) {
        return QMessageBox::question(this, QApplication::applicationDisplayName(), text, QMessageBox::Yes | QMessageBox::No,
                                     QMessageBox::No)
            == QMessageBox::Yes;
    };
}

void TfrmFlash::Execute()
{
    m_boot.Open();
    m_closeAsked = false;
    PB->setValue(0);
    lProgress->clear();
    BootBtn->setEnabled(true);
    exec();
    m_boot.Close();
}

void TfrmFlash::eFilePropertiesButtonClick()
{
    if (oDialog->exec() == QDialog::Accepted && !oDialog->selectedFiles().isEmpty())
        eFile->setText(oDialog->selectedFiles().constFirst());
}

void TfrmFlash::BootBtnClick()
{
    BootBtn->setEnabled(false);
    m_running = true;
    const Bootloader::RunResult result = m_boot.Run(eFile->text());
    m_running = false;
    switch (result) {
    case Bootloader::RunResult::Refused:
        // Nothing reached the terminal: the user may correct the file and try again.
        BootBtn->setEnabled(true);
        break;
    case Bootloader::RunResult::EnterFailed:
        break;
    case Bootloader::RunResult::Finished:
    case Bootloader::RunResult::Stopped:
        m_closeAsked = true;
        break;
    case Bootloader::RunResult::LineStopped:
    case Bootloader::RunResult::BlockFailed:
    case Bootloader::RunResult::PortLost:
        BootBtn->setEnabled(true);
        m_closeAsked = true;
        break;
    }
    closeWhenIdle();
}

void TfrmFlash::cxButton1Click()
{
    if (m_boot.Exit()) {
        m_closeAsked = true;
        closeWhenIdle();
    }
}

void TfrmFlash::reject()
{
    if (m_running)
        cxButton1Click();
    else
        QDialog::reject();
}

void TfrmFlash::closeWhenIdle()
{
    // A run in progress closes the window itself when its last frame is out.
    if (m_closeAsked && !m_running)
        QDialog::reject();
}

void TfrmFlash::showProgress(const Bootloader::Progress &p)
{
    PB->setRange(0, qMax(1, p.linesTotal)); // an empty range would show a busy bar
    PB->setValue(p.linesDone);
    QString text = QStringLiteral("Передано %1 из %2 байт").arg(p.bytesSent).arg(p.bytesTotal);
    if (p.msLeft >= 0)
        text += QStringLiteral(", осталось %1").arg(durationText(p.msLeft));
    lProgress->setText(text);
}

void TfrmFlash::showErrCnt(qint32 errCnt)
{
    lerrCnt->setText(errCntText(errCnt));
}
