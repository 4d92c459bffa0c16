#include "CalcPopup.h"

#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QToolButton>

namespace {
// Rows of keys as the popup lays them out.
const char *const Keys[4][5] = {
    {"7", "8", "9", "/", "C"},
    {"4", "5", "6", "*", "←"},
    {"1", "2", "3", "-", ""},
    {"0", ".", "=", "+", ""},
};
} // namespace

CalcPopup::CalcPopup(QWidget *parent)
    : QFrame(parent, Qt::Popup)
{
    setFrameStyle(QFrame::Panel | QFrame::Raised);
    // Focus stays inside the editor's own family, so a table does not take
    // the open calculator for the end of the edit.
    setFocusPolicy(Qt::StrongFocus);
    auto *layout = new QGridLayout(this);
    layout->setSpacing(2);
    m_display = new QLabel(this);
    m_display->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    m_display->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    layout->addWidget(m_display, 0, 0, 1, 5);
    for (int r = 0; r < 4; ++r) {
        for (int c = 0; c < 5; ++c) {
            const QString key = QString::fromUtf8(Keys[r][c]);
            if (key.isEmpty())
                continue;
            auto *button = new QToolButton(this);
            button->setText(key);
            button->setMinimumSize(28, 24);
            button->setFocusPolicy(Qt::NoFocus);
            layout->addWidget(button, r + 1, c);
            connect(button, &QToolButton::clicked, this, [this, key] { press(key); });
        }
    }
}

void CalcPopup::start(double value)
{
    calculator.start(value);
    m_display->setText(calculator.display());
}

void CalcPopup::press(const QString &key)
{
    const QChar k = key.at(0);
    if (k.isDigit())
        calculator.digit(k.digitValue());
    else if (k == u'.')
        calculator.point();
    else if (k == u'C')
        calculator.clear();
    else if (k == u'←')
        calculator.backspace();
    else if (k == u'=') {
        calculator.equals();
        if (!calculator.failed()) {
            emit accepted(calculator.value());
            close();
            return;
        }
    } else
        calculator.op(k);
    m_display->setText(calculator.display());
}

void CalcPopup::keyPressEvent(QKeyEvent *event)
{
    const QString text = event->text();
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)
        press(QStringLiteral("="));
    else if (event->key() == Qt::Key_Backspace)
        press(QStringLiteral("←"));
    else if (event->key() == Qt::Key_Delete)
        press(QStringLiteral("C"));
    else if (text.size() == 1 && QStringLiteral("0123456789.+-*/=").contains(text))
        press(text);
    else
        QFrame::keyPressEvent(event);
}
