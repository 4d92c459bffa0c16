#pragma once

#include "Bootloader.h"

#include <QDialog>

class Link;
class QFileDialog;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QToolButton;

// "Boot Loader": the firmware window. Created once at start-up and reused, so
// the file field keeps its text from one opening to the next.
class TfrmFlash : public QDialog
{
    Q_OBJECT
public:
    explicit TfrmFlash(Link &link, QWidget *parent = nullptr);

    // The firmware action: switch the terminal to its bootloader, show the
    // window modally, and return the link to the normal framing once it has
    // closed.
    void Execute();

    Bootloader &bootloader() { return m_boot; }

    QLabel *Label1;
    QLineEdit *eFile;
    QToolButton *eFileButton;
    QLabel *Label2;
    QProgressBar *PB;
    QLabel *lProgress; // bytes sent and time left
    QPushButton *BootBtn;
    QLabel *lerrCnt;
    QPushButton *cxButton1;
    QFileDialog *oDialog;

public slots:
    void eFilePropertiesButtonClick();
    void BootBtnClick();
    void cxButton1Click();

protected:
    // The close box: while a run is going it stops the run like "Выход".
    void reject() override;

private:
    void showProgress(const Bootloader::Progress &p);
    void showErrCnt(qint32 errCnt);
    void closeWhenIdle();

    Bootloader m_boot;
    bool m_running = false;
    bool m_closeAsked = false;
};
