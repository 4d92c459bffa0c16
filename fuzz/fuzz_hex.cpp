// Arbitrary text as a firmware image: the whole-image check and the line
// converter must never crash, and a block that goes out is always well formed.
#include "firmware/HexImage.h"
#include "firmware/HexLineToBlock.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const HexImage image(QByteArray(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size)));
    const HexImage::Check check = image.check();
    int blocks = 0;
    for (const QByteArray &line : image.lines()) {
        const HexLineResult r = HexLineToBlock(line);
        if (r.outcome == HexOutcome::Stop)
            break;
        if (r.outcome != HexOutcome::Block)
            continue;
        ++blocks;
        if (r.block.size() < 2 || static_cast<uint8_t>(r.block[0]) != 0xF0
            || r.block.size() != 2 + static_cast<uint8_t>(r.block[1]))
            __builtin_trap();
    }
    // An image that passed the check sends exactly the blocks it announced.
    if (check.refusal.isEmpty() && blocks != check.blocks)
        __builtin_trap();
    return 0;
}
