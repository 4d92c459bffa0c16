#pragma once

#include <QWidget>

class QLineEdit;

// The find line under the log: Enter finds the next match, Shift+Enter the
// previous one, Esc closes the line.
class LogFindBar final : public QWidget
{
    Q_OBJECT
public:
    explicit LogFindBar(QWidget *parent = nullptr);

    QLineEdit *edit() const { return m_edit; }
    // Shows the line with its text selected, ready for a new search.
    void open();
    // Marks the text red when it was not found.
    void setNotFound(bool notFound);

signals:
    void findRequested(const QString &text, bool backward);
    void closed();

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    QLineEdit *m_edit;
};
