#include "HexLineToBlock.h"

#include "HexRecord.h"

#include "link/Commands.h"

namespace {
constexpr quint8 ExtendedSegmentAddress = 2;
}

HexLineResult HexLineToBlock(const QByteArray &line)
{
    using Field = HexRecord::Field;
    using Fault = HexRecord::Fault;
    const HexRecord r = HexRecord::parse(line);
    if (r.endsTransfer())
        return {HexOutcome::Stop, {}};
    if (!r.isRecord())
        return {HexOutcome::Skip, {}};
    // Fields are met in this order; the address is never looked at.
    if (r.fault(Field::Count) != Fault::None || r.fault(Field::Type) != Fault::None)
        return {HexOutcome::Stop, {}};
    if (r.type() == ExtendedSegmentAddress)
        return {HexOutcome::Skip, {}};
    if (r.fault(Field::Data) != Fault::None)
        return {HexOutcome::Stop, {}};
    return {HexOutcome::Block, Commands::bootBlock(r.data())};
}
