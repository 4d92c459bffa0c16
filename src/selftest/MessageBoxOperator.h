#pragma once

#include "Operator.h"

class QWidget;

// The operator at the window: a modal message box owned by the main window.
class MessageBoxOperator final : public Operator
{
public:
    explicit MessageBoxOperator(QWidget *owner);

    int AskOperator(const QString &text, const QString &caption, int flags) override;

private:
    QWidget *m_owner;
};
