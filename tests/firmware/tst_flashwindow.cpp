#include "ConnectLink.h"
#include "FakeBootDevice.h"
#include "ScriptedPort.h"
#include "VirtualPump.h"

#include "firmware/TfrmFlash.h"
#include "link/Commands.h"
#include "link/Link.h"

#include <QFile>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QToolButton>
#include <QtTest>

using Answer = FakeBootDevice::Answer;

namespace {
constexpr int F0 = Commands::cmdBootBlock;
constexpr int F1 = Commands::cmdBootImageDone;
constexpr int F2 = Commands::cmdBootLeave;
constexpr int F3 = Commands::cmdBootEnter;
constexpr int SwitchCode = Commands::cmdBootloader;

const QByteArray Image = ":020000040800F2\n"
                         ":10010000214601360121470136007EFE09D2190140\n"
                         ":10011000214601360121470136007EFE09D2190130\n"
                         ":00000001FF\n";

// Runs fn once the dialog is on screen (its exec() may handle events before showing it).
void whenShown(QDialog *dialog, const std::function<void()> &fn)
{
    auto *timer = new QTimer(dialog);
    QObject::connect(timer, &QTimer::timeout, dialog, [dialog, timer, fn] {
        if (!dialog->isVisible())
            return;
        timer->deleteLater();
        fn();
    });
    timer->start(5);
}

// The firmware window on a link to a scripted bootloader, in virtual time.
struct Rig
{
    VirtualPump pump;
    Link link{pump};
    ScriptedPort port{pump};
    FakeBootDevice device{port, pump};
    TfrmFlash w{link};
    QTemporaryDir dir;
    QStringList errors;
    QStringList status;

    Rig()
    {
        connectLink(link, port);
        link.ShowTransferErrors = [this](const QString &text) { status.append(text); };
        w.bootloader().clock = [this] { return pump.now(); };
        w.bootloader().showError = [this](const QString &text) { errors.append(text); };
        w.bootloader().ask = [](const QString &) { return false; };
    }

    QString file(const QByteArray &text)
    {
        const QString path = dir.filePath(QStringLiteral("fw.hex"));
        QFile f(path);
        if (f.open(QIODevice::WriteOnly))
            f.write(text);
        return path;
    }

    // Opens the window through the firmware action and runs `inside` once it is shown.
    void execute(const std::function<void()> &inside)
    {
        whenShown(&w, [this, inside] {
            inside();
            if (w.isVisible() && !QTest::currentTestFailed())
                return;
            w.close(); // a failed check must not leave the modal window waiting
        });
        w.Execute();
    }

    QList<int> codes(qsizetype from = 0) const
    {
        QList<int> out;
        for (const TBuf &b : device.bodies().mid(from))
            out.append(static_cast<quint8>(b[0]));
        return out;
    }
};
} // namespace

class TestFlashWindow : public QObject
{
    Q_OBJECT
private slots:
    void layout();
    void flashAndClose();
    void exitBeforeFlashing();
    void failedEntryKeepsButtonDisabled();
    void refusedImageCanBeRetried();
    void closeBoxDuringRunStopsLikeExit();
    void chooseFile();
};

void TestFlashWindow::layout()
{
    Rig rig;
    QCOMPARE(rig.w.windowTitle(), QStringLiteral("Boot Loader"));
    QCOMPARE(rig.w.size(), QSize(469, 130));
    QCOMPARE(rig.w.Label1->text(), QStringLiteral("Файл прошивки:"));
    QCOMPARE(rig.w.Label2->text(), QStringLiteral("Процесс прошивки"));
    QCOMPARE(rig.w.BootBtn->text(), QStringLiteral("Прошить"));
    QCOMPARE(rig.w.cxButton1->text(), QStringLiteral("Выход"));
    QCOMPARE(rig.w.lerrCnt->text(), QStringLiteral("Количество ошибок:0"));
    QVERIFY(rig.w.windowFlags().testFlag(Qt::WindowCloseButtonHint));

    // Every control fits the fixed client area and none covers another.
    rig.w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&rig.w));
    const QList<QWidget *> controls{rig.w.Label1, rig.w.eFile,   rig.w.eFileButton, rig.w.Label2,   rig.w.PB,
                                    rig.w.lProgress, rig.w.BootBtn, rig.w.lerrCnt,     rig.w.cxButton1};
    for (QWidget *c : controls) {
        QVERIFY2(rig.w.rect().contains(c->geometry()), qPrintable(c->objectName()));
        for (QWidget *other : controls)
            QVERIFY(c == other || !c->geometry().intersects(other->geometry()));
    }
    rig.w.hide();
}

void TestFlashWindow::flashAndClose()
{
    Rig rig;
    rig.device.script[F0] = {Answer::Ok, Answer::Nak};
    rig.w.eFile->setText(rig.file(Image));
    bool modeWhileOpen = false;
    rig.execute([&] {
        modeWhileOpen = rig.link.BootloaderMode;
        QVERIFY(rig.w.BootBtn->isEnabled());
        QCOMPARE(rig.w.PB->value(), 0);
        QTest::mouseClick(rig.w.BootBtn, Qt::LeftButton);
    });
    QVERIFY(modeWhileOpen);
    QVERIFY(!rig.link.BootloaderMode);
    QVERIFY(!rig.w.isVisible());
    // Four blocks, the second of them NAKed once and sent again.
    QCOMPARE(rig.codes(), (QList<int>{SwitchCode, F3, F3, F0, F0, F0, F0, F0, F1, F2}));
    QVERIFY(rig.errors.isEmpty());
    QCOMPARE(rig.status, QStringList{QStringLiteral("Ошибок передачи:0 CRC:0")});
    QCOMPARE(rig.w.lerrCnt->text(), QStringLiteral("Количество ошибок:1"));
    QCOMPARE(rig.w.PB->maximum(), 4);
    QCOMPARE(rig.w.PB->value(), 4);
    QCOMPARE(rig.w.lProgress->text(), QStringLiteral("Передано 34 из 34 байт, осталось 0:00"));
}

void TestFlashWindow::exitBeforeFlashing()
{
    Rig rig;
    rig.execute([&] { QTest::mouseClick(rig.w.cxButton1, Qt::LeftButton); });
    QVERIFY(!rig.w.isVisible());
    QVERIFY(!rig.link.BootloaderMode);
    QCOMPARE(rig.codes(), (QList<int>{SwitchCode, F3, F2}));
}

void TestFlashWindow::failedEntryKeepsButtonDisabled()
{
    Rig rig;
    rig.device.script[F3] = {Answer::Ok, Answer::Refuse};
    const QString path = rig.file(Image);
    rig.w.eFile->setText(path);
    rig.execute([&] {
        QTest::mouseClick(rig.w.BootBtn, Qt::LeftButton);
        QCOMPARE(rig.errors, QStringList{QStringLiteral("Ошибка перехода в режим bootloaderа!")});
        QVERIFY(rig.w.isVisible());
        QVERIFY(!rig.w.BootBtn->isEnabled());
        QTest::mouseClick(rig.w.cxButton1, Qt::LeftButton); // the bar is at 0: leaves and closes
    });
    QVERIFY(!rig.w.isVisible());
    QCOMPARE(rig.codes(), (QList<int>{SwitchCode, F3, F3, F2}));

    // Reopening through the action enables the button again; the path is kept.
    const qsizetype before = rig.device.frames.size();
    rig.execute([&] {
        QVERIFY(rig.w.BootBtn->isEnabled());
        QCOMPARE(rig.w.eFile->text(), path);
        rig.w.close(); // the close box sends nothing
    });
    QCOMPARE(rig.codes(before), (QList<int>{SwitchCode, F3}));
    QVERIFY(!rig.link.BootloaderMode);
}

void TestFlashWindow::refusedImageCanBeRetried()
{
    Rig rig;
    rig.w.eFile->setText(rig.file(":10010000214601360121470136007EFE09D2XX0140\n"));
    rig.execute([&] {
        QTest::mouseClick(rig.w.BootBtn, Qt::LeftButton);
        QCOMPARE(rig.errors.size(), 1);
        QVERIFY(rig.errors[0].contains(QStringLiteral("Строка 1")));
        // Nothing reached the terminal, so another try is allowed at once.
        QVERIFY(rig.w.isVisible());
        QVERIFY(rig.w.BootBtn->isEnabled());
        rig.w.eFile->setText(rig.file(Image));
        QTest::mouseClick(rig.w.BootBtn, Qt::LeftButton);
    });
    QVERIFY(!rig.w.isVisible());
    QCOMPARE(rig.codes(), (QList<int>{SwitchCode, F3, F3, F0, F0, F0, F0, F1, F2}));
}

void TestFlashWindow::closeBoxDuringRunStopsLikeExit()
{
    Rig rig;
    rig.w.eFile->setText(rig.file(Image));
    bool visibleAfterClose = false;
    rig.device.onFrame = [&](const FakeBootDevice::Frame &f) {
        if (static_cast<quint8>(f.body[0]) == F0 && rig.device.count(F0) == 1)
            rig.pump.schedule(1, [&] {
                rig.w.close();
                visibleAfterClose = rig.w.isVisible();
            });
    };
    rig.execute([&] { QTest::mouseClick(rig.w.BootBtn, Qt::LeftButton); });
    // The window stays up while the current line finishes, then the run ends it.
    QVERIFY(visibleAfterClose);
    QVERIFY(!rig.w.isVisible());
    QCOMPARE(rig.codes(), (QList<int>{SwitchCode, F3, F3, F0, F2, F1, F2}));
}

void TestFlashWindow::chooseFile()
{
    Rig rig;
    const QString path = rig.file(Image);
    rig.w.eFile->setText(QStringLiteral("old.hex"));
    rig.w.oDialog->setOption(QFileDialog::DontUseNativeDialog);

    whenShown(rig.w.oDialog, [&] { rig.w.oDialog->reject(); });
    rig.w.eFilePropertiesButtonClick();
    QCOMPARE(rig.w.eFile->text(), QStringLiteral("old.hex"));

    whenShown(rig.w.oDialog, [&] {
        auto *name = rig.w.oDialog->findChild<QLineEdit *>(QStringLiteral("fileNameEdit"));
        QVERIFY(name);
        name->setText(path);
        QTest::keyClick(name, Qt::Key_Return);
    });
    rig.w.eFilePropertiesButtonClick();
    QCOMPARE(rig.w.eFile->text(), path);
}

QTEST_MAIN(TestFlashWindow)
#include "tst_flashwindow.moc"
