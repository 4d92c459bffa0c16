#include "MessageBoxOperator.h"

#include <QMessageBox>

namespace {
// The button and icon fields of the system's message box flags.
constexpr int ButtonsMask = 0x0F;
constexpr int IconMask = 0xF0;
enum : int { OkOnly = 0, OkCancel = 1, YesNoCancel = 3, YesNo = 4 };
enum : int { IconStop = 0x10, IconQuestion = 0x20, IconExclamation = 0x30, IconInformation = 0x40 };

QMessageBox::StandardButtons buttonsOf(int flags)
{
    switch (flags & ButtonsMask) {
    case OkCancel:
        return QMessageBox::Ok | QMessageBox::Cancel;
    case YesNoCancel:
        return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    case YesNo:
        return QMessageBox::Yes | QMessageBox::No;
    default:
        return QMessageBox::Ok;
    }
}

QMessageBox::Icon iconOf(int flags)
{
    switch (flags & IconMask) {
    case IconStop:
        return QMessageBox::Critical;
    case IconQuestion:
        return QMessageBox::Question;
    case IconExclamation:
        return QMessageBox::Warning;
    case IconInformation:
        return QMessageBox::Information;
    default:
        return QMessageBox::NoIcon;
    }
}

int answerOf(int button)
{
    switch (button) {
    case QMessageBox::Ok:
        return Operator::IdOk;
    case QMessageBox::Yes:
        return Operator::IdYes;
    case QMessageBox::No:
        return Operator::IdNo;
    default:
        // Escape or the close box: never a pass.
        return Operator::IdCancel;
    }
}
} // namespace

MessageBoxOperator::MessageBoxOperator(QWidget *owner)
    : m_owner(owner)
{
}

int MessageBoxOperator::AskOperator(const QString &text, const QString &caption, int flags)
{
    QString shown = text;
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    QMessageBox box(iconOf(flags), caption, shown, buttonsOf(flags), m_owner);
    box.setTextFormat(Qt::PlainText);
    return answerOf(box.exec());
}
