#include "editor/Tweener.h"

#include <gtest/gtest.h>

namespace
{
TEST (Tweener, EaseInOutCubicIsSlowAtBothEnds)
{
    EXPECT_DOUBLE_EQ (easeInOutCubic (0.0), 0.0);
    EXPECT_DOUBLE_EQ (easeInOutCubic (0.25), 0.0625);
    EXPECT_DOUBLE_EQ (easeInOutCubic (0.5), 0.5);
    EXPECT_DOUBLE_EQ (easeInOutCubic (0.75), 0.9375);
    EXPECT_DOUBLE_EQ (easeInOutCubic (1.0), 1.0);
}

struct FakeClock
{
    juce::int64 now = 1000000;
    std::function<juce::int64()> function() { return [this] { return now; }; }
};

// A ping-pong loop runs forward for its length, back for as long, and on.
TEST (Tweener, APingPongLoopSwingsBackAndForth)
{
    FakeClock clock;
    Tweener tweener;
    tweener.setClock (clock.function());
    tweener.stop();
    tweener.start(); // the clock starts now

    std::vector<double> seen;
    tweener.add ({ 0.0, 1.5, [&] (double v) { seen.push_back (v); }, {}, [] (double x) { return x; }, true, true, true });

    for (const juce::int64 ms : { 0, 750, 1500, 2250, 3000, 3750 })
    {
        clock.now = 1000000 + ms;
        tweener.update();
    }

    const std::vector<double> expected { 0.0, 0.5, 1.0, 0.5, 0.0, 0.5 };
    ASSERT_EQ (seen.size(), expected.size());
    for (size_t i = 0; i < seen.size(); ++i)
        EXPECT_NEAR (seen[i], expected[i], 1.0e-9) << i;
}

// A one-shot tween hands on its progress, then completes once and leaves;
// while the tweener is stopped only tweens that always run are stepped.
TEST (Tweener, AOneShotTweenCompletesOnceAndIsRemoved)
{
    FakeClock clock;
    Tweener tweener;
    tweener.setClock (clock.function());

    int completed = 0, steadySteps = 0;
    std::vector<double> seen;
    tweener.add ({ 0.0, 10.0, [&] (double) { ++steadySteps; }, {}, easeInOutCubic, true, false, true });
    tweener.stop();
    tweener.add ({ 0.0, 0.5, [&] (double v) { seen.push_back (v); }, [&] { ++completed; }, easeInOutCubic, false, false, false });

    tweener.update();
    EXPECT_TRUE (seen.empty()) << "stopped: only the always-running tween steps";
    EXPECT_EQ (steadySteps, 1);

    tweener.start();
    for (const juce::int64 ms : { 0, 250, 500, 501, 600 })
    {
        clock.now = 1000000 + ms;
        tweener.update();
    }

    ASSERT_EQ (seen.size(), 3u);
    EXPECT_NEAR (seen[1], 0.5, 1.0e-9);
    EXPECT_NEAR (seen[2], 1.0, 1.0e-9);
    EXPECT_EQ (completed, 1);
    EXPECT_EQ (tweener.getNumTweens(), 1u);
}
} // namespace
