#pragma once

#include <QRect>
#include <QWidget>

#include <functional>
#include <memory>

class FormState;
class Link;
class LogFindBar;
class LogView;
class MessageCatalogue;
class QAction;
class QCheckBox;
class QFrame;
class QToolBar;
class XmlStore;

// The terminal's live log, one line per log frame. The window registers
// itself as the link's log handler for its whole lifetime, so frames that
// arrive while it is hidden are kept too.
class TfrmLog final : public QWidget
{
    Q_OBJECT
public:
    struct Context
    {
        Link &link;
        const MessageCatalogue &messages;
        XmlStore &store;                     // keeps the window's placement in "LogForm"
        std::function<void()> startRestartTimer; // the terminal reported its restart
        std::function<QRect()> mainGeometry; // the window shows to the right of this
    };

    explicit TfrmLog(Context context, QWidget *parent = nullptr);
    ~TfrmLog() override;

    // The link's log handler: LastFrameData holds the frame's payload.
    void HandleLogFrame();
    void LogLineAdded();

    // Writes the shown lines to a UTF-8 text file.
    bool saveLog(const QString &fileName, QString *error) const;

    LogView *log() const { return m_log; }
    QCheckBox *CBScroll() const { return m_scroll; }
    QCheckBox *cbClearLogOnReboot() const { return m_clearOnReboot; }
    QFrame *pLogInfo() const { return m_logInfo; }
    LogFindBar *findBar() const { return m_findBar; }

public slots:
    void btnEnableLogClick();
    void btnDisableLogClick();
    void ToolButton1Click();
    void ToolButton2Click();
    void findText(const QString &text, bool backward);
    void saveLogAs();

protected:
    void showEvent(QShowEvent *event) override;

private:
    QToolBar *createToolBar();
    QWidget *createBottomPanel();
    void createLogInfo();
    void createActions();
    void addLine(const QString &line);
    void placeLogInfo();

    Context m_context;
    std::unique_ptr<FormState> m_state;
    LogView *m_log = nullptr;
    QCheckBox *m_scroll = nullptr;
    QCheckBox *m_clearOnReboot = nullptr;
    QFrame *m_logInfo = nullptr;
    LogFindBar *m_findBar = nullptr;
    QAction *m_find = nullptr;
    QAction *m_save = nullptr;
};
