#pragma once

#include "selftest/Operator.h"

#include <QList>
#include <QString>

#include <functional>

// An operator who answers from a script and remembers every question. An
// exhausted script answers Cancel, which never passes a test.
class ScriptedOperator final : public Operator
{
public:
    struct Question
    {
        QString text;
        QString caption;
        int flags;
    };

    int AskOperator(const QString &text, const QString &caption, int flags) override;

    QList<int> answers;
    QList<Question> asked;
    // Runs while a question is open, as the event loop under a modal box does.
    std::function<void()> whileAsking;
};
