// Arbitrary self-test frame payloads through the result-line formatter, in a
// row as a test run delivers them: no crash, no read past a payload.
#include "selftest/TestFrameHandler.h"
#include "selftest/TestOutput.h"

#include <cstddef>
#include <cstdint>

namespace {

class CountingOutput final : public TestOutput
{
public:
    void clearLines() override { lines = 0; }
    void appendLine(const QString &) override { ++lines; }
    int lines = 0;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    CountingOutput out;
    TestFrameHandler handler(out);
    handler.PostTestFinished = [] {};
    // Each payload is a length byte followed by that many bytes (or the rest).
    size_t at = 0;
    while (at < size) {
        const size_t len = std::min<size_t>(data[at], size - at - 1);
        // A copy of exactly the payload, so the sanitizer sees any read past it.
        const TBuf payload(reinterpret_cast<const char *>(data + at + 1), static_cast<qsizetype>(len));
        handler.HandleTestFrame(payload);
        at += 1 + len;
    }
    return 0;
}
