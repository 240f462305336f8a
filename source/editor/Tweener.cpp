#include "Tweener.h"

#include <cmath>

double easeInOutCubic (double x)
{
    return x < 0.5 ? 4.0 * x * x * x : 1.0 - std::pow (2.0 - 2.0 * x, 3.0) / 2.0;
}

Tweener::Tweener()
    : clock ([] { return juce::Time::currentTimeMillis(); })
{
}

void Tweener::setClock (std::function<juce::int64()> newClock)
{
    clock = std::move (newClock);
}

void Tweener::add (Tween tween)
{
    tweens.push_back (std::move (tween));
}

void Tweener::stop()
{
    running = false;
}

void Tweener::start()
{
    if (! running)
    {
        startTimeMs = clock();
        running = true;
    }
}

void Tweener::update()
{
    for (size_t i = 0; i < tweens.size();)
    {
        auto& tween = tweens[i];

        if (! running && ! tween.alwaysRun)
        {
            ++i;
            continue;
        }

        double progress = (double) (clock() - startTimeMs) * 0.001 / (tween.endTime - tween.startTime);

        if (tween.loop)
        {
            if (tween.pingPong)
            {
                progress = std::fmod (progress, 2.0);
                if (progress > 1.0)
                    progress = 1.0 - (progress - 1.0);
            }
            else
            {
                progress = std::fmod (progress, 1.0);
            }
        }
        else if (progress > 1.0)
        {
            // The callback may add tweens; take it out of the list first.
            auto onComplete = std::move (tween.onComplete);
            tweens.erase (tweens.begin() + (std::ptrdiff_t) i);

            if (onComplete)
                onComplete();

            continue;
        }

        if (tween.onUpdate && tween.easing)
            tween.onUpdate (tween.easing (progress));

        ++i;
    }
}
