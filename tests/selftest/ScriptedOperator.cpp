#include "ScriptedOperator.h"

int ScriptedOperator::AskOperator(const QString &text, const QString &caption, int flags)
{
    asked.append({ text, caption, flags });
    if (whileAsking)
        whileAsking();
    return answers.isEmpty() ? IdCancel : answers.takeFirst();
}
