#include "MainFixture.h"

#include "link/Commands.h"

MainFixture::MainFixture() = default;

MainFixture::~MainFixture()
{
    main.reset();
}

void MainFixture::writeSetting(const QString &section, const QString &key, const QString &value)
{
    xml.open();
    xml.writeString(section, key, value);
    xml.close();
}

QString MainFixture::readSetting(const QString &section, const QString &key)
{
    XmlStore fresh(settingsFile());
    fresh.open();
    const QString value = fresh.readString(section, key, QStringLiteral("<absent>"));
    fresh.close();
    return value;
}

QList<quint8> MainFixture::modeCommands() const
{
    QList<quint8> modes;
    for (const ScriptedPort *p : ports) {
        for (const QByteArray &frame : p->written) {
            if (frame.size() == 8 && static_cast<quint8>(frame[4]) == Commands::cmdSetMode)
                modes << static_cast<quint8>(frame[6]);
        }
    }
    return modes;
}

TfrmMain &MainFixture::start()
{
    main = std::make_unique<TfrmMain>(link, xml);
    main->portOverride = portOverride;
    if (listPorts)
        main->portWatcher.listPorts = listPorts;
    main->hooks.makePort = [this](const QString &) {
        auto port = std::make_unique<ScriptedPort>(pump);
        port->failOpen = failOpen;
        ScriptedPort *p = port.get();
        p->device = [this, p](const QByteArray &frame) {
            if (frame.size() < 6)
                return;
            const auto code = static_cast<quint8>(frame[4]);
            if (code == Commands::cmdSetMode && answerModes)
                p->reply(terminalFrame(code, frame.mid(6, 1)));
            else if (code == Commands::cmdReadFirmware && !firmware.isEmpty())
                p->reply(terminalFrame(code, firmware));
        };
        ports << p;
        return port;
    };
    main->hooks.setupDialog = [this](Port::Settings &settings, const QString &problem) {
        dialogShown << settings;
        dialogProblems << problem;
        if (!dialogAnswer)
            return false;
        const bool ok = dialogAnswer(settings, static_cast<int>(dialogShown.size()));
        // What the failing port will do when opened after this answer.
        for (ScriptedPort *p : ports)
            p->failOpen = failOpen;
        return ok;
    };
    main->hooks.askQuit = [this] {
        ++quitAsked;
        return quitAnswers.isEmpty() ? true : quitAnswers.takeFirst();
    };
    main->hooks.showError = [this](const QString &text) { errorsShown << text; };
    main->FormCreate();
    return *main;
}
