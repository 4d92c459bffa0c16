#pragma once

#include <QColor>
#include <QTimer>
#include <QWidget>

// A line-state lamp of the status bar: lit in its colour, dark otherwise,
// with a short text under it ("TX", "RX"). blink() lights it for a moment,
// so steady traffic keeps it lit and a quiet line lets it go dark.
class StatusLamp : public QWidget
{
    Q_OBJECT
public:
    StatusLamp(const QColor &color, const QString &text, QWidget *parent = nullptr);

    bool isLit() const { return m_lit; }
    void setLit(bool lit);
    void blink();

    QSize sizeHint() const override { return {16, 16}; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QColor m_color;
    QString m_text;
    bool m_lit = false;
    QTimer m_off;
};
