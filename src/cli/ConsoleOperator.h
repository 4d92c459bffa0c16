#pragma once

#include "selftest/Operator.h"

#include <QString>

#include <optional>

class QTextStream;

// The operator at the console: questions go to stderr (stdout carries only
// the results), answers come from stdin. The end of input answers No/Cancel.
class ConsoleOperator : public Operator
{
public:
    ConsoleOperator(QTextStream &in, QTextStream &err);

    int AskOperator(const QString &text, const QString &caption, int flags) override;

    // A line of input after a prompt; nullopt at the end of input.
    std::optional<QString> askLine(const QString &prompt);

private:
    QTextStream &m_in;
    QTextStream &m_err;
};
