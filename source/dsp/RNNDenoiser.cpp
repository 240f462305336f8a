#include "RNNDenoiser.h"

#include <rnnoise.h>

#include <cmath>
#include <mutex>

namespace
{
constexpr float toRNNoiseScale = 32768.0f;
constexpr float fromRNNoiseScale = 1.0f / 32768.0f;
constexpr int frameBytes = RNNDenoiser::frameSize * (int) sizeof (float);

// Far beyond any real signal, yet small enough that RNNoise's energies stay finite.
constexpr float rnnoiseInputLimit = 1.0e6f;

// RNNoise builds its FFT tables and windows lazily, with malloc and without a
// lock, on the first frame any state processes. Doing it here, once per
// process, keeps that off the audio thread and out of a race between two
// instances' audio threads.
void initialiseRNNoiseTables()
{
    static std::once_flag once;
    std::call_once (once, []
                    {
                        auto* state = rnnoise_create (nullptr);
                        float silence[RNNDenoiser::frameSize] = {};
                        rnnoise_process_frame (state, silence, silence);
                        rnnoise_destroy (state); });
}

// A NaN or infinity would stay in RNNoise's recurrent state for good.
void sanitise (float* samples, int numSamples) noexcept
{
    for (int i = 0; i < numSamples; ++i)
    {
        const float x = samples[i];
        samples[i] = std::isfinite (x) ? juce::jlimit (-rnnoiseInputLimit, rnnoiseInputLimit, x) : 0.0f;
    }
}
} // namespace

void RNNDenoiser::StateDeleter::operator() (DenoiseState* state) const noexcept
{
    rnnoise_destroy (state);
}

RNNDenoiser::RNNDenoiser (Tavrik::Errors<juce::String>& errorRegistry)
    : errors (errorRegistry)
{
    logger.log ("Created denoiser");
    initialiseRNNoiseTables();
    createDenoiseState();
    logger.log ("Successfully initialized denoiser");
}

RNNDenoiser::~RNNDenoiser()
{
    logger.log ("Stopped denoiser");
}

void RNNDenoiser::createDenoiseState()
{
    denoiseState.reset (rnnoise_create (nullptr));
}

void RNNDenoiser::prepare (const juce::dsp::ProcessSpec& spec)
{
    logger.log ("Preparing the denoiser");
    logger.log ("Sample rate : " + juce::String (spec.sampleRate));
    logger.log ("Number of channels : " + juce::String (spec.numChannels));
    logger.log ("Max number of samples per block : " + juce::String (spec.maximumBlockSize));

    reset();

    const double sampleRate = spec.sampleRate;
    active = std::isfinite (sampleRate) && sampleRate >= minSampleRate && sampleRate <= maxSampleRate;
    ratio = active ? frameRate / sampleRate : 1.0;
    resampling = active && ratio != 1.0;
    maxChunk = juce::jmax (1, (int) spec.maximumBlockSize);
    latencySamples = 0;
    exactLatency = 0.0;

    // A fresh stream: nothing heard before this preparation may come out after it.
    createDenoiseState();
    inputResampler.reset();
    outputResampler.reset();

    if (! active)
    {
        logger.log ("Unsupported sample rate: the output stays silent");
        inputFifo.Create (0);
        outputFifo.Create (0);
        return;
    }

    const double hostPerFrameSample = 1.0 / ratio;
    frame.resize (frameSize);

    if (resampling)
    {
        inputResampler.prepare (hostPerFrameSample, maxChunk);
        outputResampler.prepare (ratio, frameSize);
        inputScale = (float) (toRNNoiseScale / inputResampler.getGain());
        // The converter is linear: its gain is made up before it, in the same pass as the scaling.
        outputScale = (float) (fromRNNoiseScale / outputResampler.getGain());
        inputConverted.resize (inputResampler.getMaxOutputPerCall());
        outputConverted.resize (outputResampler.getMaxOutputPerCall());
    }
    else
    {
        inputConverted.resize (maxChunk);
        inputScale = toRNNoiseScale;
        outputScale = fromRNNoiseScale;
    }

    // A sample that starts a frame waits for the frame's other 479 before it can
    // be denoised. Priming the output with that wait, in host samples, means a
    // block never finds the output short, whatever sizes the host sends. The
    // converters' rounding can cost one more sample on each side.
    const int priming = resampling ? (int) std::ceil (frameSize * hostPerFrameSample) + 1
                                   : frameSize - 1;

    const int maxInputPerChunk = resampling ? inputResampler.getMaxOutputPerCall() : maxChunk;
    const int maxOutputPerFrame = resampling ? outputResampler.getMaxOutputPerCall() : frameSize;
    const bool inputCreated = inputFifo.Create ((frameSize + maxInputPerChunk) * (int) sizeof (float));
    if (! inputCreated)
        logger.log ("Error creating internal input buffer");

    const bool outputCreated = outputFifo.Create ((priming + maxChunk + 2 * maxOutputPerFrame) * (int) sizeof (float));
    if (! outputCreated)
        logger.log ("Error creating internal output buffer");

    if (! inputCreated || ! outputCreated || ! primeOutput (priming))
    {
        active = false;
        return;
    }

    exactLatency = priming + getFrameDelay() * hostPerFrameSample;

    if (resampling)
        exactLatency += StreamingResampler::kernelLatency + StreamingResampler::kernelLatency * hostPerFrameSample;

    latencySamples = juce::roundToInt (exactLatency);
}

bool RNNDenoiser::primeOutput (int numSamples)
{
    const std::vector<float> silence ((size_t) numSamples, 0.0f);
    const int bytes = numSamples * (int) sizeof (float);
    return outputFifo.Write (silence.data(), bytes) == bytes;
}

void RNNDenoiser::reset()
{
    inputFifo.Destroy();
    outputFifo.Destroy();
    frame.clear();
    inputConverted.clear();
    outputConverted.clear();
    logger.log ("Reset denoiser buffers");
}

void RNNDenoiser::process (const juce::dsp::ProcessContextReplacing<float>& context)
{
    const juce::ScopedLock hold (lock);
    const juce::ScopedNoDenormals noDenormals;

    const auto& input = context.getInputBlock();
    auto& output = context.getOutputBlock();

    if (context.isBypassed || input.getNumChannels() != output.getNumChannels() || output.getNumChannels() == 0)
        return;

    if (! active)
    {
        output.clear();
        return;
    }

    // Hosts may exceed the size they prepared for; the buffers are sized for it.
    const auto numSamples = output.getNumSamples();

    for (size_t start = 0; start < numSamples; start += (size_t) maxChunk)
        processChunk (output.getSubBlock (start, juce::jmin ((size_t) maxChunk, numSamples - start)));
}

void RNNDenoiser::processChunk (const juce::dsp::AudioBlock<float>& block) noexcept
{
    const int numSamples = (int) block.getNumSamples();
    float* const first = block.getChannelPointer (0);
    float* const converted = inputConverted.getRawDataPointer();

    int numConverted = numSamples;

    if (resampling)
    {
        numConverted = inputResampler.process (first, numSamples, converted);
        juce::FloatVectorOperations::multiply (converted, inputScale, numConverted);
    }
    else
    {
        juce::FloatVectorOperations::multiply (converted, first, inputScale, numSamples);
    }

    inputFifo.Write (converted, numConverted * (int) sizeof (float));

    float* const samples = frame.getRawDataPointer();

    while (inputFifo.GetAvailable() >= frameBytes)
    {
        inputFifo.Read (samples, frameBytes);
        sanitise (samples, frameSize);
        denoiseFrame (samples);
        juce::FloatVectorOperations::multiply (samples, outputScale, frameSize);

        if (resampling)
        {
            float* const back = outputConverted.getRawDataPointer();
            const int numBack = outputResampler.process (samples, frameSize, back);
            outputFifo.Write (back, numBack * (int) sizeof (float));
        }
        else
        {
            outputFifo.Write (samples, frameBytes);
        }
    }

    const int bytesNeeded = numSamples * (int) sizeof (float);

    if (outputFifo.GetAvailable() < bytesNeeded)
    {
        block.clear();
        return;
    }

    outputFifo.Read (first, bytesNeeded);

    for (size_t channel = 1; channel < block.getNumChannels(); ++channel)
        juce::FloatVectorOperations::copy (block.getChannelPointer (channel), first, numSamples);
}

void RNNDenoiser::denoiseFrame (float* samples) noexcept
{
    if (denoiseState != nullptr)
        rnnoise_process_frame (denoiseState.get(), samples, samples);
}

int RNNDenoiser::getFrameDelay() const noexcept
{
    return TAVRIK_RNNOISE_DELAY_SAMPLES;
}
