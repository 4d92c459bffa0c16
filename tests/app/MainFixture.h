#pragma once

#include "ScriptedPort.h"
#include "VirtualPump.h"
#include "app/MainUnit.h"
#include "link/Link.h"
#include "settings/XmlStore.h"

#include <QList>
#include <QTemporaryDir>

#include <memory>

// A main window on a scripted port and a virtual clock, with the setup
// dialog and the port message box answered by the test.
class MainFixture
{
public:
    MainFixture();
    ~MainFixture();

    // Creates the window and runs its start-up.
    TfrmMain &start();

    QString settingsFile() const { return dir.filePath(QStringLiteral("tvConfigC.xml")); }
    void writeSetting(const QString &section, const QString &key, const QString &value);
    QString readSetting(const QString &section, const QString &key);

    // The port start-up ended with (the last one made).
    ScriptedPort &port() const { return *ports.last(); }
    // The mode commands the port carried, in order.
    QList<quint8> modeCommands() const;

    QTemporaryDir dir;
    VirtualPump pump;
    Link link{pump};
    XmlStore xml{settingsFile()};
    std::unique_ptr<TfrmMain> main;

    // Every port the window asked for, in order.
    QList<ScriptedPort *> ports;
    QString portOverride;     // as --port gives it
    PortWatcher::Lister listPorts; // the system's ports as the watcher sees them
    bool failOpen = false;    // ports are made failing to open
    bool answerModes = true;  // the scripted terminal confirms mode commands
    QByteArray firmware = QByteArrayLiteral("1.0.5");

    // The settings each showing of the setup dialog was prefilled with, and
    // the problem text it showed.
    QList<Port::Settings> dialogShown;
    QStringList dialogProblems;
    // Changes the settings as the user would; returning false is "Cancel".
    std::function<bool(Port::Settings &, int showing)> dialogAnswer;
    // Answers of the port message box, in order; true is Yes.
    QList<bool> quitAnswers;
    int quitAsked = 0;
    QStringList errorsShown;
};
