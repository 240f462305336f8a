#pragma once

#include <juce_audio_basics/juce_audio_basics.h>

#include <vector>

/** A juce::WindowedSincInterpolator that is fed a stream in pieces of any
    length and never reads past the piece it is given.

    The interpolator consumes input while it produces output, so a piece rarely
    ends exactly where an output sample does. This class produces every output
    sample that the input seen so far allows and carries the few input samples
    left over into the next call. It mirrors the interpolator's sub-sample
    position with the same double arithmetic, so it knows beforehand how many
    samples the interpolator will consume.

    Prepared on the preparing thread; process() runs on the audio thread and
    allocates nothing.
*/
class StreamingResampler
{
public:
    /** Input samples the windowed-sinc kernel holds back: output sample k
        stands for input position k * speed - latency. */
    static constexpr double kernelLatency = juce::WindowedSincInterpolator::getBaseLatency();

    /** speed = input samples consumed per output sample produced. */
    void prepare (double speed, int maxInputPerCall);
    void reset() noexcept;

    /** Consumes all numInput samples and returns how many samples it wrote to
        output, at most getMaxOutputPerCall(). */
    int process (const float* input, int numInput, float* output) noexcept;

    int getMaxOutputPerCall() const noexcept { return maxOutput; }

    /** The kernel's gain on a steady signal at this speed (JUCE's is about
        0.99), for the caller to make up. */
    double getGain() const noexcept { return gain; }

    /** Most output samples that n input samples can ever yield. */
    static int maxOutputFor (double speed, int numInput) noexcept;

private:
    juce::WindowedSincInterpolator interpolator;
    double speed = 1.0;
    double gain = 1.0;
    double position = 1.0; // the interpolator's own sub-sample position, mirrored
    std::vector<float> staging;
    int numPending = 0;
    int maxPending = 0;
    int maxOutput = 0;
};
