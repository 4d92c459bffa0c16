#pragma once

#include "LongTimeText.h"

#include "link/TBuf.h"

#include <QString>

#include <functional>

class TestOutput;

// Turns the terminal's self-test frames into result lines. It runs inside the
// receiver, so it never waits for anyone: the end of the terminal's tests is
// handed on through PostTestFinished, which must only post.
class TestFrameHandler
{
public:
    // Which test a frame reports (payload byte 0).
    enum Kind : quint8 { Run = 0, Gps = 1, Ccid = 2, Imei = 4, Flash = 16, Sram = 32 };
    // Payload byte 1.
    enum Status : quint8 {
        Ok = 0,
        Info = 1,
        Warning = 2,
        Error = 3,
        DataReceived = 4,
        CcidText = 5,
        ImeiText = 6,
        Started = 241,
        Finished = 242,
    };
    static constexpr int GpsBlockSize = 31;

    explicit TestFrameHandler(TestOutput &output);

    void HandleTestFrame(const TBuf &payload);
    void ShowGpsTestBlock(const TBuf &payload);
    QString StatusWord(quint8 status) const;

    std::function<void()> PostTestFinished;
    TimeSource now = &QTime::currentTime;

private:
    void showGsm(const QString &label, const TBuf &payload, quint8 textStatus);
    void showBits(const QString &label, quint8 flags, std::initializer_list<std::pair<quint8, const char16_t *>> lines);

    TestOutput &m_output;
};
