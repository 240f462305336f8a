#include "log/TaskQueue.h"

#include <gtest/gtest.h>

#include <atomic>
#include <numeric>
#include <thread>

namespace
{
std::function<void()> recorder (std::vector<int>& ran, int value)
{
    return [&ran, value] { ran.push_back (value); };
}

TEST (TaskQueue, NSlotsHoldNMinusOneTasksInOrder)
{
    TaskQueue queue;
    queue.resize (20);
    std::vector<int> ran;

    for (int i = 0; i < 20; ++i)
        queue.push (recorder (ran, i));

    EXPECT_EQ (queue.getNumReady(), 19);

    while (auto task = queue.pop())
        task();

    std::vector<int> expected (19);
    std::iota (expected.begin(), expected.end(), 0);
    EXPECT_EQ (ran, expected);
    EXPECT_FALSE (queue.pop()) << "an empty queue gives an empty function";
}

TEST (TaskQueue, OneSlotDropsEverything)
{
    TaskQueue queue; // one slot until resized
    std::vector<int> ran;
    queue.push (recorder (ran, 1));
    queue.push (recorder (ran, 2));

    EXPECT_EQ (queue.getNumReady(), 0);
    EXPECT_FALSE (queue.pop());
}

TEST (TaskQueue, ResizeDiscardsWaitingTasksAndKeepsWorking)
{
    TaskQueue queue;
    queue.resize (20);
    std::vector<int> ran;
    queue.push (recorder (ran, 1));
    queue.push (recorder (ran, 2));

    queue.resize (20);
    EXPECT_EQ (queue.getNumReady(), 0);

    queue.push (recorder (ran, 3));
    while (auto task = queue.pop())
        task();

    EXPECT_EQ (ran, std::vector<int> { 3 });
}

// Producers and two consumers at once: no task runs twice, and with the
// producers waiting for room none is dropped.
TEST (TaskQueue, TwoConsumersNeverRunATaskTwice)
{
    TaskQueue queue;
    queue.resize (20);
    constexpr int total = 20000;
    std::vector<std::atomic<int>> runs (total);
    std::atomic<int> done { 0 };

    std::thread producer ([&]
                          {
                              for (int i = 0; i < total; ++i)
                              {
                                  while (queue.getNumReady() >= 19)
                                      std::this_thread::yield();
                                  queue.push ([&runs, &done, i] { runs[(size_t) i]++; done++; });
                              } });

    auto consume = [&]
    {
        while (done.load() < total)
            if (queue.getNumReady() > 0)
                if (auto task = queue.pop())
                    task();
    };

    std::thread a (consume), b (consume);
    producer.join();
    a.join();
    b.join();

    for (int i = 0; i < total; ++i)
        ASSERT_EQ (runs[(size_t) i].load(), 1) << i;
}
} // namespace
