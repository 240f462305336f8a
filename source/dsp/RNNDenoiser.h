#pragma once

#include "StreamingResampler.h"
#include "errors/Errors.h"
#include "log/BackgroundLogger.h"
#include "support/CKvlRingBuffer.h"

#include <juce_dsp/juce_dsp.h>

#include <memory>

struct DenoiseState;

/** Removes noise from the host's audio with RNNoise.

    RNNoise works on 480-sample frames at 48 kHz; the host sends blocks of any
    length at its own rate. The engine converts channel 0 to 48 kHz, queues it
    into whole frames, denoises every complete frame, converts it back and
    copies the result to every output channel.

    The output FIFO is primed at preparation with just enough silence that a
    block of any size, in any sequence, always finds its samples waiting, so
    the output is the denoised input delayed by a constant getLatencySamples().

    prepare() and reset() run on the preparing thread; process() runs on the
    audio thread, takes the engine's lock and allocates nothing.
*/
class RNNDenoiser : public juce::dsp::ProcessorBase
{
public:
    explicit RNNDenoiser (Tavrik::Errors<juce::String>& errorRegistry);
    ~RNNDenoiser() override;

    void prepare (const juce::dsp::ProcessSpec& spec) override;
    void process (const juce::dsp::ProcessContextReplacing<float>& context) override;
    void reset() override;

    /** 48000 divided by the host's sample rate; 1.0 before the first prepare. */
    double getRatio() const noexcept { return ratio; }

    /** Delay from input to output in host samples, as the host should be told. */
    int getLatencySamples() const noexcept { return latencySamples; }

    /** The same delay before rounding: resampling makes it fractional. */
    double getExactLatency() const noexcept { return exactLatency; }

    static constexpr int frameSize = 480;
    static constexpr double frameRate = 48000.0;

    /** Host rates outside this range come out silent. */
    static constexpr double minSampleRate = 1000.0;
    static constexpr double maxSampleRate = 1000000.0;

protected:
    /** Denoises one 48 kHz frame in place, samples in the 16-bit range. */
    virtual void denoiseFrame (float* samples) noexcept;

    /** How many 48 kHz samples denoiseFrame delays what it is given. */
    virtual int getFrameDelay() const noexcept;

private:
    struct StateDeleter
    {
        void operator() (DenoiseState*) const noexcept;
    };

    void processChunk (const juce::dsp::AudioBlock<float>& block) noexcept;
    void createDenoiseState();
    bool primeOutput (int numSamples);

    BackgroundLogger logger;
    [[maybe_unused]] Tavrik::Errors<juce::String>& errors; // held for the engine's errors; it reports none yet
    juce::CriticalSection lock;
    std::unique_ptr<DenoiseState, StateDeleter> denoiseState;
    CKvlRingBuffer inputFifo;
    CKvlRingBuffer outputFifo;
    juce::Array<float> frame;
    double ratio = 1.0;
    StreamingResampler inputResampler;
    StreamingResampler outputResampler;
    juce::Array<float> inputConverted;
    juce::Array<float> outputConverted;

    float inputScale = 32768.0f;
    float outputScale = 1.0f / 32768.0f;
    bool active = false;
    bool resampling = false;
    int maxChunk = 0;
    int latencySamples = 0;
    double exactLatency = 0.0;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (RNNDenoiser)
};
