// The terminal vanishing in the middle of the work: taviron-sim is killed
// while the whole program, on the real serial path, reads, writes, loads
// firmware or shows the log. Each operation must end by itself, tell the
// user, leave the program idle rather than spinning on a dead descriptor,
// and leave the settings file as it was.
#include "HexImageText.h"
#include "SimProcess.h"

#include "app/MainUnit.h"
#include "app/StatusLamp.h"
#include "config/ConfigActions.h"
#include "firmware/TfrmFlash.h"
#include "link/Link.h"
#include "link/QtPump.h"
#include "log/LogView.h"
#include "log/TfrmLog.h"
#include "settings/XmlStore.h"

#include <QAction>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

#include <sys/resource.h>

#include <functional>
#include <memory>

namespace {
qint64 processorMs()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return (usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) * 1000 + (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1000;
}

const QString OwnerPhone = QStringLiteral("+79161234567");

// The program as the user runs it, on the simulator's pty.
struct Rig
{
    QTemporaryDir dir;
    SimProcess sim;
    QtPump pump;
    Link link { pump };
    std::unique_ptr<XmlStore> xml;
    std::unique_ptr<TfrmMain> main;
    QStringList errors;
    QElapsedTimer sinceLoss;

    QString settingsFile() const { return dir.filePath(QStringLiteral("tvConfigC.xml")); }

    bool start()
    {
        if (!sim.start({ QStringLiteral("--baud"), QStringLiteral("115200"), QStringLiteral("--log-rate"), QStringLiteral("50") }))
            return false;
        XmlStore stored(settingsFile());
        stored.open();
        stored.writeString(QStringLiteral("Setup"), QStringLiteral("BaudRate"), QStringLiteral("115200"));
        stored.writeString(QStringLiteral("Setup"), QStringLiteral("MessagesPath"), QStringLiteral(SIM_DATA_DIR "/"));
        stored.writeString(QStringLiteral("Params"), QStringLiteral("OwnerPhone"), OwnerPhone);
        stored.close();

        xml = std::make_unique<XmlStore>(settingsFile());
        main = std::make_unique<TfrmMain>(link, *xml);
        main->portOverride = sim.ptyPath();
        main->hooks.setupDialog = [](Port::Settings &s, const QString &) {
            s.baudRate = 115200;
            return true;
        };
        main->hooks.askQuit = [] { return true; };
        main->hooks.showError = [this](const QString &text) { errors << text; };
        main->FormCreate();
        main->createWindows();
        main->configActions->showError = main->hooks.showError;
        main->frmFlash->bootloader().showError = main->hooks.showError;
        main->frmFlash->bootloader().ask = [](const QString &) { return true; };
        return main->port() && main->port()->isOpen();
    }

    // Pulls the terminal away after ms, while whatever runs then is waiting on it.
    void loseTerminalAfter(int ms)
    {
        QTimer::singleShot(ms, main.get(), [this] {
            sim.kill();
            sinceLoss.start();
        });
    }
};
} // namespace

using Operation = std::function<void(Rig &)>;
Q_DECLARE_METATYPE(Operation)

class tst_PtyLoss : public QObject
{
    Q_OBJECT
private slots:
    void terminalVanishes_data();
    void terminalVanishes();
};

void tst_PtyLoss::terminalVanishes_data()
{
    QTest::addColumn<Operation>("operation");

    QTest::newRow("read") << Operation([](Rig &r) {
        r.loseTerminalAfter(800);
        r.main->AReadConfig->trigger();
    });
    // Nothing is known to be on the terminal yet, so every cell is sent.
    QTest::newRow("write") << Operation([](Rig &r) {
        r.loseTerminalAfter(800);
        r.main->AWriteConfig->trigger();
    });
    QTest::newRow("flash") << Operation([](Rig &r) {
        const QString hex = r.dir.filePath(QStringLiteral("image.hex"));
        QFile file(hex);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(HexImageText::random(4096, 16, 7).text);
        file.close();
        // The terminal goes in the middle of the blocks.
        Bootloader &boot = r.main->frmFlash->bootloader();
        boot.onProgress = [&r, shown = boot.onProgress](const Bootloader::Progress &p) {
            shown(p);
            if (p.linesDone == 20)
                r.loseTerminalAfter(0);
        };
        // The user chooses the file and starts once the window is up.
        auto *shown = new QTimer(r.main->frmFlash);
        QObject::connect(shown, &QTimer::timeout, [&r, hex, shown] {
            if (!r.main->frmFlash->isVisible())
                return;
            shown->stop();
            r.main->frmFlash->eFile->setText(hex);
            r.main->frmFlash->BootBtn->click();
        });
        shown->start(20);
        r.main->AFlash->trigger();
    });
    QTest::newRow("log") << Operation([](Rig &r) {
        r.main->ALogForm->trigger();
        r.main->frmLog->btnEnableLogClick();
        QTRY_VERIFY(r.main->frmLog->log()->lineCount() > 10);
        r.loseTerminalAfter(0);
        QTRY_VERIFY(r.sinceLoss.isValid());
        QTRY_VERIFY(!r.main->ComLed1->isLit());
        const qsizetype lines = r.main->frmLog->log()->lineCount();
        r.main->frmLog->btnDisableLogClick(); // asks nothing of a port that is gone
        QCOMPARE(r.main->frmLog->log()->lineCount(), lines);
    });
}

void tst_PtyLoss::terminalVanishes()
{
    QFETCH(Operation, operation);

    Rig r;
    QVERIFY2(r.start(), qPrintable(r.errors.join(u'\n')));

    operation(r);
    if (QTest::currentTestFailed())
        return;
    QVERIFY(r.sinceLoss.isValid());
    QVERIFY2(r.sinceLoss.elapsed() < 3000, qPrintable(QString::number(r.sinceLoss.elapsed())));
    QTRY_VERIFY(!r.main->ComLed1->isLit());
    QVERIFY2(r.main->SBPanel3->text().contains(QStringLiteral("отключён")), qPrintable(r.main->SBPanel3->text()));

    // Idle on the dead line: a descriptor that keeps reporting an error would spin here.
    const qint64 before = processorMs();
    QTest::qWait(10000);
    const qint64 used = processorMs() - before;
    QVERIFY2(used < 500, qPrintable(QStringLiteral("%1 ms of processor time in 10 s after the loss").arg(used)));

    r.main.reset();
    r.xml.reset();
    QStringList warnings;
    XmlStore after(r.settingsFile());
    after.onWarning = [&warnings](const QString &text) { warnings << text; };
    after.open();
    QCOMPARE(after.readString(QStringLiteral("Params"), QStringLiteral("OwnerPhone"), QString()), OwnerPhone);
    after.close();
    QVERIFY2(warnings.isEmpty(), qPrintable(warnings.join(u'\n')));
    QVERIFY(!QFile::exists(r.settingsFile() + QStringLiteral(".bak")));
}

QTEST_MAIN(tst_PtyLoss)
#include "tst_ptyloss.moc"
