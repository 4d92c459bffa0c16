#pragma once

#include "link/PortSink.h"

#include <QPointer>
#include <QAbstractScrollArea>
#include <QPoint>
#include <QStringDecoder>
#include <QStringList>

#include <deque>

class Port;
struct VTerm;
struct VTermScreen;

// A text terminal (VT100/ANSI, on libvterm) that takes the serial port over
// from the frame receiver in the pass-through modes: it shows the bytes of
// the modem or the navigation receiver and sends what the user types.
// White fixed-pitch text on black, both scroll bars, a scrollback buffer,
// Ctrl+Shift+C / Ctrl+Shift+V copy and paste. The line is Windows-1251.
class TerminalView : public QAbstractScrollArea, public PortSink
{
    Q_OBJECT
public:
    struct Options
    {
        int rows = 0;       // 0: as many as the view shows
        int columns = 80;
        bool wrap = false;  // wrap long lines instead of overwriting the last column
        int scrollback = 5000;
    };

    explicit TerminalView(const Options &options, QWidget *parent = nullptr);
    ~TerminalView() override;

    // The port that typed keys go to, while this view is attached to it.
    void setPort(Port *port) { m_port = port; }

    void portBytes(const QByteArray &bytes) override;

    int rows() const;
    int columns() const;
    int scrollbackLines() const { return static_cast<int>(m_scrollback.size()); }
    // Every line from the oldest in the scrollback to the last of the screen,
    // without trailing blanks.
    QStringList lines() const;
    QString selectedText() const;

signals:
    // The bytes just shown, as they came from the port.
    void bytesShown(const QByteArray &bytes);

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    bool focusNextPrevChild(bool next) override;

private:
    friend struct TerminalViewCallbacks; // libvterm's C callbacks

    void reset();
    QString screenLine(int row) const;
    QString lineText(int line) const;
    int totalLines() const { return scrollbackLines() + rows(); }
    int visibleLines() const;
    void fitRows();
    void updateScrollBars();
    QPoint cellAt(const QPoint &pos) const; // (column, line)
    void send(const QByteArray &bytes);
    void copy();
    void paste();

    Options m_options;
    VTerm *m_vt = nullptr;
    VTermScreen *m_screen = nullptr;
    std::deque<QString> m_scrollback;
    QStringDecoder m_decoder{"windows-1251"};
    QPointer<Port> m_port; // the port may go before the view
    QPoint m_cursor;       // (column, row) on the screen
    QPoint m_selStart{-1, -1}; // (column, line), line counted from the oldest
    QPoint m_selEnd{-1, -1};
    int m_charWidth = 8;
    int m_lineHeight = 16;
    int m_ascent = 12;
};
