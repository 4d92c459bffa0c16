// The receiver fed arbitrary bytes. The first input byte picks the framing and
// when it switches; log and test handlers read LastFrameData as the real ones do.
#include "link/Link.h"
#include "link/Port.h"
#include "link/Pump.h"

#include <cstddef>
#include <cstdint>

namespace {

class NullPump final : public Pump
{
public:
    void pause(int) override {}
    void waitEvents(int, const std::function<bool()> &) override {}
    void notify() override {}
};

class OpenPort final : public Port
{
public:
    bool open() override { return true; }
    void close() override {}
    bool isOpen() const override { return true; }
    bool write(const QByteArray &) override { return true; }
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size == 0)
        return 0;
    NullPump pump;
    Link link(pump);
    OpenPort port;
    link.setPort(&port);
    link.BootloaderMode = data[0] & 1;
    const size_t switchAt = (data[0] & 2) ? size / 2 : size;
    size_t seen = 0;
    auto touch = [&] {
        for (char c : link.LastFrameData)
            seen += static_cast<unsigned char>(c);
    };
    link.HandleLogFrame = touch;
    link.HandleTestFrame = touch;
    const QByteArray bytes(reinterpret_cast<const char *>(data + 1), static_cast<qsizetype>(size - 1));
    link.ComRxChar(bytes.left(static_cast<qsizetype>(switchAt)));
    link.BootloaderMode = !link.BootloaderMode;
    link.ComRxChar(bytes.mid(static_cast<qsizetype>(switchAt)));
    if (link.RingWriteIndex < 0 || link.RingWriteIndex >= Link::RingSize)
        __builtin_trap();
    for (const TComMSG &m : link.ReplyRing)
        if (m.Data.size() != m.Len && m.Count >= m.Len && m.Len != 0)
            __builtin_trap();
    return static_cast<int>(seen & 0);
}
