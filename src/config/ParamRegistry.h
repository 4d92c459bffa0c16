#pragma once

#include "link/TBuf.h"

#include <QList>

#include <functional>

class TCustomNAVParam;

// What every parameter object of one terminal shares: the transaction it
// talks through and the list it joins when it is created.
class ParamRegistry
{
public:
    using TransactFn = std::function<TBuf(const TBuf &)>;

    explicit ParamRegistry(TransactFn transact = {})
        : TransactProc(std::move(transact))
    {
    }
    ParamRegistry(const ParamRegistry &) = delete;
    ParamRegistry &operator=(const ParamRegistry &) = delete;

    // Empty until set: the objects then get no answer, as from a silent terminal.
    TransactFn TransactProc;
    // Every object once, in order of construction; the list does not own them.
    QList<TCustomNAVParam *> ParamList;

    TBuf transact(const TBuf &request) const { return TransactProc ? TransactProc(request) : TBuf(); }
};
