#include "common/CapturedTrace.h"
#include "support/CKvlRingBuffer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>
#include <string>
#include <thread>
#include <vector>

namespace
{
std::vector<std::uint8_t> bytes (int first, int count)
{
    std::vector<std::uint8_t> result ((size_t) count);
    std::iota (result.begin(), result.end(), (std::uint8_t) first);
    return result;
}

std::vector<std::uint8_t> readAll (CKvlRingBuffer& buffer, int ask)
{
    std::vector<std::uint8_t> out ((size_t) ask, 0xEE);
    out.resize ((size_t) buffer.Read (out.data(), ask));
    return out;
}

// One step of a scenario: write `write` bytes numbered from `from`, or read `read`
// bytes and expect them to be numbered from `expectFrom` (read < 0: nothing).
struct Step
{
    int write, from, read, expectRead, expectFrom, expectAvailable;
};

struct Scenario
{
    const char* name;
    int capacity;
    std::vector<Step> steps;
};

class RingBufferScenario : public testing::TestWithParam<Scenario>
{
};

TEST_P (RingBufferScenario, KeepsBytesInOrder)
{
    const CapturedTrace quiet;
    CKvlRingBuffer buffer;
    ASSERT_TRUE (buffer.Create (GetParam().capacity));

    for (const auto& step : GetParam().steps)
    {
        if (step.write > 0)
        {
            const auto data = bytes (step.from, step.write);
            EXPECT_EQ (buffer.Write (data.data(), step.write), std::min (step.write, GetParam().capacity));
        }

        if (step.read > 0)
        {
            const auto got = readAll (buffer, step.read);
            ASSERT_EQ ((int) got.size(), step.expectRead);
            EXPECT_EQ (got, bytes (step.expectFrom, step.expectRead));
        }

        EXPECT_EQ (buffer.GetAvailable(), step.expectAvailable);
    }
}

INSTANTIATE_TEST_SUITE_P (
    WorkedCases,
    RingBufferScenario,
    testing::Values (
        // 12 in, 8 out, 8 more wraps the write position; the 12 left come out in order.
        Scenario { "wrap", 16, { { 12, 1, 8, 8, 1, 4 }, { 8, 13, 0, 0, 0, 12 }, { 0, 0, 12, 12, 9, 0 } } },
        // A write that ends exactly at the end wraps to 0; the next write starts there.
        Scenario { "exactEnd", 16, { { 16, 1, 16, 16, 1, 0 }, { 4, 17, 4, 4, 17, 0 } } },
        // 12 unread + 8 overflows: the newest half (8 bytes) stays, ending with the new ones.
        Scenario { "overflowKeepsNewestHalf", 16, { { 12, 1, 0, 0, 0, 12 }, { 8, 13, 16, 8, 13, 0 } } },
        // 20 bytes into an empty buffer at position 4 keep their last 16, in order.
        Scenario { "longerThanBuffer", 16, { { 4, 1, 4, 4, 1, 0 }, { 20, 101, 16, 16, 105, 0 } } },
        // Asking for more than is there returns what is there; then nothing.
        Scenario { "readMoreThanAvailable", 16, { { 5, 1, 10, 5, 1, 0 }, { 0, 0, 3, 0, 0, 0 } } }),
    [] (const auto& info) { return std::string (info.param.name); });

TEST (RingBuffer, OverflowWarnsOnFirstAndEveryThirtiethAndClearRestartsTheCount)
{
    const CapturedTrace captured;
    const auto& warnings = captured.lines();
    CKvlRingBuffer buffer;
    ASSERT_TRUE (buffer.Create (16));
    const auto data = bytes (1, 12);

    buffer.Write (data.data(), 12);

    for (int i = 0; i < 31; ++i)
        buffer.Write (data.data(), 12); // each one runs into unread data

    ASSERT_EQ (warnings.size(), 2u);
    // The time, 20 spaces, the module column of 29 + 1, the level, the function column of 48.
    const std::string prefix = "14:03:07.250 " + std::string (20, ' ') + "kvl CKvlRingBuffer" + std::string (12, ' ')
                             + "wrn " + "CKvlRingBuffer::Write(): " + std::string (23, ' ');
    EXPECT_EQ (warnings[0], prefix + "<> WARNING: Discarded half buffer on overflow <LOGCOUNT: 1>\n");
    EXPECT_EQ (warnings[1], prefix + "<> WARNING: Discarded half buffer on overflow <LOGCOUNT: 31>\n");
    EXPECT_EQ (buffer.GetOverflowCount(), 31);

    buffer.Clear();
    EXPECT_EQ (buffer.GetAvailable(), 0);
    buffer.Write (data.data(), 12);
    buffer.Write (data.data(), 12);
    ASSERT_EQ (warnings.size(), 3u);
    EXPECT_NE (warnings[2].find ("<LOGCOUNT: 1>"), std::string::npos);
}

TEST (RingBuffer, WithoutStorageEverythingIsANoOp)
{
    CKvlRingBuffer buffer;
    std::uint8_t data[8] = {};

    EXPECT_EQ (buffer.Write (data, 8), 0);
    EXPECT_EQ (buffer.Read (data, 8), 0);

    ASSERT_TRUE (buffer.Create (0));
    EXPECT_EQ (buffer.GetCapacity(), 0);
    EXPECT_EQ (buffer.Write (data, 8), 0);
    EXPECT_EQ (buffer.GetAvailable(), 0);
    EXPECT_EQ (buffer.Read (data, 8), 0);

    ASSERT_TRUE (buffer.Create (16));
    EXPECT_EQ (buffer.Write (nullptr, 8), 0);
    EXPECT_EQ (buffer.Write (data, -4), 0);
    EXPECT_EQ (buffer.Read (nullptr, 8), 0);
    EXPECT_FALSE (buffer.Create (-1));

    buffer.Destroy();
    EXPECT_EQ (buffer.Write (data, 8), 0);
}

TEST (RingBuffer, CreateDiscardsWhatWasQueued)
{
    CKvlRingBuffer buffer;
    ASSERT_TRUE (buffer.Create (16));
    const auto data = bytes (1, 10);
    buffer.Write (data.data(), 10);

    ASSERT_TRUE (buffer.Create (32));
    EXPECT_EQ (buffer.GetAvailable(), 0);
    EXPECT_EQ (buffer.GetCapacity(), 32);
}

// A producer and a consumer thread through a small buffer that wraps thousands of
// times: every value arrives once and in order. The producer waits for room, so
// nothing overflows.
TEST (RingBuffer, ProducerAndConsumerThreadsSeeAnUnbrokenSequence)
{
    CKvlRingBuffer buffer;
    constexpr int total = 200000;
    constexpr int capacity = 4096 + 12; // not a multiple of either chunk size
    ASSERT_TRUE (buffer.Create (capacity));

    std::thread producer ([&]
                          {
                              for (int i = 0; i < total; i += 100)
                              {
                                  int values[100];
                                  std::iota (values, values + 100, i);

                                  while (capacity - buffer.GetAvailable() < (int) sizeof (values))
                                      std::this_thread::yield();

                                  buffer.Write (values, sizeof (values));
                              } });

    std::vector<int> received;
    received.reserve (total);

    while ((int) received.size() < total)
    {
        int values[37];
        const int got = buffer.Read (values, sizeof (values)) / 4;
        received.insert (received.end(), values, values + got);
    }

    producer.join();
    std::vector<int> expected (total);
    std::iota (expected.begin(), expected.end(), 0);
    EXPECT_EQ (received, expected);
    EXPECT_EQ (buffer.GetOverflowCount(), 0);
}
} // namespace
