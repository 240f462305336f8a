#pragma once

#include <juce_core/juce_core.h>

#include <atomic>
#include <functional>
#include <vector>

/** 4x^3 up to the middle, 1 - (2 - 2x)^3 / 2 after it. */
double easeInOutCubic (double x);

/** One time-based change: progress from startTime to endTime (seconds on the
    tweener's clock), eased, handed to onUpdate. */
struct Tween
{
    double startTime = 0.0;
    double endTime = 0.0;
    std::function<void (double)> onUpdate;
    std::function<void()> onComplete;
    std::function<double (double)> easing;
    bool loop = false;
    bool pingPong = false;
    bool alwaysRun = false;
};

/** A small tween engine stepped from painting. Every tween measures its
    progress from one shared clock start, restarted by start().

    Used from one thread at a time: the main component touches it only while
    painting or on the message thread, with the message-manager lock held.
*/
class Tweener
{
public:
    Tweener();

    void add (Tween tween);
    void stop();
    void start();
    void update();

    size_t getNumTweens() const noexcept { return tweens.size(); }

    /** Milliseconds since 1970; tests drive time with their own. */
    void setClock (std::function<juce::int64()> newClock);

private:
    std::function<juce::int64()> clock;
    juce::int64 startTimeMs = 0;
    std::vector<Tween> tweens;
    std::atomic<bool> running { true };
};
