#include "LogFindBar.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QToolButton>

LogFindBar::LogFindBar(QWidget *parent)
    : QWidget(parent)
    , m_edit(new QLineEdit(this))
{
    m_edit->setObjectName(QStringLiteral("eFind"));
    auto *previous = new QToolButton(this);
    previous->setText(QStringLiteral("Назад"));
    auto *next = new QToolButton(this);
    next->setText(QStringLiteral("Далее"));
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(new QLabel(QStringLiteral("Найти:"), this));
    layout->addWidget(m_edit, 1);
    layout->addWidget(previous);
    layout->addWidget(next);
    connect(m_edit, &QLineEdit::textEdited, this, [this] { setNotFound(false); });
    connect(previous, &QToolButton::clicked, this, [this] { emit findRequested(m_edit->text(), true); });
    connect(next, &QToolButton::clicked, this, [this] { emit findRequested(m_edit->text(), false); });
    hide();
}

void LogFindBar::open()
{
    show();
    m_edit->setFocus();
    m_edit->selectAll();
}

void LogFindBar::setNotFound(bool notFound)
{
    m_edit->setStyleSheet(notFound ? QStringLiteral("QLineEdit { color: red; }") : QString());
}

void LogFindBar::keyPressEvent(QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        emit findRequested(m_edit->text(), event->modifiers().testFlag(Qt::ShiftModifier));
        return;
    case Qt::Key_Escape:
        hide();
        emit closed();
        return;
    default:
        QWidget::keyPressEvent(event);
    }
}
