#include "StreamingResampler.h"

#include <cmath>

int StreamingResampler::maxOutputFor (double speedRatio, int numInput) noexcept
{
    return (int) std::ceil (numInput / speedRatio) + 2;
}

static double measureSteadyGain (double speed)
{
    // Outputs whose whole kernel window lies over the ones, averaged over many
    // sub-sample positions.
    const int firstSettled = (int) std::ceil (2.0 * StreamingResampler::kernelLatency / speed) + 2;
    const int numOutput = firstSettled + 256;
    const std::vector<float> ones ((size_t) std::ceil (numOutput * speed) + 4, 1.0f);
    std::vector<float> output ((size_t) numOutput);

    juce::WindowedSincInterpolator probe;
    probe.process (speed, ones.data(), output.data(), numOutput);

    double sum = 0.0;
    for (int i = firstSettled; i < numOutput; ++i)
        sum += output[(size_t) i];

    return sum / (numOutput - firstSettled);
}

void StreamingResampler::prepare (double speedRatio, int maxInputPerCall)
{
    speed = speedRatio;
    gain = measureSteadyGain (speed);
    // Fewer samples than one output needs can be left over from a call.
    maxPending = (int) std::ceil (speed) + 1;
    staging.assign ((size_t) (maxPending + maxInputPerCall), 0.0f);
    maxOutput = maxOutputFor (speed, maxPending + maxInputPerCall);
    reset();
}

void StreamingResampler::reset() noexcept
{
    interpolator.reset();
    position = 1.0;
    numPending = 0;
}

int StreamingResampler::process (const float* input, int numInput, float* output) noexcept
{
    const int numAvailable = numPending + numInput;
    jassert (numAvailable <= (int) staging.size());

    std::copy (input, input + numInput, staging.data() + numPending);

    // Replays the interpolator's loop: before each output it consumes one input
    // sample for every whole step of the position.
    int numProduced = 0;
    int numUsed = 0;

    while (numProduced < maxOutput)
    {
        double next = position;
        int used = numUsed;

        while (next >= 1.0)
        {
            ++used;
            next -= 1.0;
        }

        if (used > numAvailable)
            break;

        numUsed = used;
        position = next + speed;
        ++numProduced;
    }

    const int consumed = interpolator.process (speed, staging.data(), output, numProduced);
    jassert (consumed == numUsed);
    juce::ignoreUnused (consumed);

    numPending = numAvailable - numUsed;
    std::copy (staging.data() + numUsed, staging.data() + numAvailable, staging.data());
    return numProduced;
}
