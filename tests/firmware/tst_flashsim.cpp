// The bootloader procedure against the simulated terminal in virtual time:
// what the terminal keeps is the image, byte for byte.
#include "ConnectLink.h"
#include "HexImageText.h"
#include "ScriptedPort.h"
#include "ScriptedSim.h"
#include "VirtualPump.h"

#include "firmware/Bootloader.h"
#include "link/Commands.h"
#include "link/Link.h"
#include "sim/SimTerminal.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

namespace {
struct Rig
{
    VirtualPump pump;
    Link link{pump};
    ScriptedPort port{pump};
    SimTerminal sim{3};
    ScriptedSim host{pump, port, sim};
    Bootloader boot{link};
    QTemporaryDir dir;
    QStringList errors;

    Rig()
    {
        connectLink(link, port);
        boot.clock = [this] { return pump.now(); };
        boot.showError = [this](const QString &text) { errors.append(text); };
    }

    QString file(const QByteArray &text)
    {
        const QString path = dir.filePath(QStringLiteral("fw.hex"));
        QFile f(path);
        if (f.open(QIODevice::WriteOnly))
            f.write(text);
        return path;
    }
};
} // namespace

class TestFlashSim : public QObject
{
    Q_OBJECT
private slots:
    void imageReachesTheTerminal();
};

void TestFlashSim::imageReachesTheTerminal()
{
    const HexImageText image = HexImageText::random(65536, 16, 11);
    Rig rig;
    rig.boot.Open();
    QVERIFY(rig.sim.bootloader().active());
    QCOMPARE(rig.boot.Run(rig.file(image.text)), Bootloader::RunResult::Finished);
    rig.boot.Close();

    QCOMPARE(rig.sim.bootloader().image().size(), image.blockData.size());
    QVERIFY(rig.sim.bootloader().image() == image.blockData);
    QVERIFY(rig.sim.bootloader().imageDone());
    QCOMPARE(rig.boot.ErrCnt, 0);
    QVERIFY(rig.errors.isEmpty());
    // F2 restarted the terminal into its firmware; the link talks to it again.
    QVERIFY(!rig.sim.bootloader().active());
    QCOMPARE(rig.link.Transact(Commands::readParam(Commands::cmdReadFirmware)), rig.sim.readValue(Commands::cmdReadFirmware));
}

QTEST_GUILESS_MAIN(TestFlashSim)
#include "tst_flashsim.moc"
