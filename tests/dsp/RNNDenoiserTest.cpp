#include "common/AllocationGuard.h"
#include "common/TestSignals.h"
#include "dsp/RNNDenoiser.h"

#include <gtest/gtest.h>
#include <rnnoise.h>

#include <cmath>

namespace
{
/** The engine with RNNoise replaced by a frame that passes unchanged and
    undelayed: what comes out is then exactly what the engine's buffering and
    conversion make of the input, which can be checked sample for sample. */
class PassThroughDenoiser : public RNNDenoiser
{
public:
    using RNNDenoiser::RNNDenoiser;

protected:
    void denoiseFrame (float*) noexcept override {}
    int getFrameDelay() const noexcept override { return 0; }
};

struct Output
{
    std::vector<float> left, right;
    std::int64_t allocations = 0;
};

/** Feeds `left` (and a different right channel, which must not be heard) in
    blocks of the given sizes, as a host would. */
Output run (RNNDenoiser& engine, const std::vector<float>& left, const std::vector<int>& sizes)
{
    Output out;
    juce::AudioBuffer<float> buffer (2, juce::jmax (1, *std::max_element (sizes.begin(), sizes.end())));
    size_t position = 0;

    for (const int size : sizes)
    {
        buffer.setSize (2, size, false, false, true);

        for (int i = 0; i < size; ++i)
        {
            buffer.setSample (0, i, left[position + (size_t) i]);
            buffer.setSample (1, i, 0.5f * std::sin (0.01f * (float) (position + (size_t) i)));
        }

        juce::dsp::AudioBlock<float> block (buffer);
        {
            const AllocationGuard::ScopedAudioThread audioThread;
            engine.process (juce::dsp::ProcessContextReplacing<float> (block));
            out.allocations += audioThread.counts().allocations + audioThread.counts().frees;
        }

        out.left.insert (out.left.end(), buffer.getReadPointer (0), buffer.getReadPointer (0) + size);
        out.right.insert (out.right.end(), buffer.getReadPointer (1), buffer.getReadPointer (1) + size);
        position += (size_t) size;
    }

    return out;
}

juce::dsp::ProcessSpec spec (double rate, int maxBlock)
{
    return { rate, (juce::uint32) maxBlock, 2 };
}

//==============================================================================
struct StreamCase
{
    double rate;
    int maxBlock;
    int constantBlock; // 0: random sizes from 1 to maxBlock
    int hostBlockLimit = 0; // > 0: the host prepares this maximum and then sends larger blocks
};

std::string caseName (const testing::TestParamInfo<StreamCase>& info)
{
    const auto& c = info.param;
    return std::to_string ((int) c.rate) + "Hz_" + (c.constantBlock > 0 ? "block" + std::to_string (c.constantBlock) : "random1to" + std::to_string (c.maxBlock))
         + (c.hostBlockLimit > 0 ? "_preparedFor" + std::to_string (c.hostBlockLimit) : "");
}

class EngineStream : public testing::TestWithParam<StreamCase>
{
};

// Whatever the rate and however the host cuts the stream, the output is the
// input delayed by exactly the reported latency: no sample lost, repeated or
// replaced by silence, both channels the same, and nothing allocated.
TEST_P (EngineStream, OutputIsTheInputDelayedByTheReportedLatency)
{
    const auto& c = GetParam();
    Tavrik::Errors<juce::String> errors;
    PassThroughDenoiser engine (errors);
    engine.prepare (spec (c.rate, c.hostBlockLimit > 0 ? c.hostBlockLimit : c.maxBlock));

    const double delay = engine.getExactLatency();
    ASSERT_GT (delay, 0.0);
    EXPECT_EQ (engine.getLatencySamples(), juce::roundToInt (delay));

    const int total = juce::jmax ((int) (0.4 * c.rate), 6 * c.maxBlock) + (int) delay;
    const TestSignals::BandLimited signal (c.rate);
    std::vector<float> input ((size_t) total);
    for (int n = 0; n < total; ++n)
        input[(size_t) n] = (float) signal.at (n);

    const auto out = run (engine, input, TestSignals::blockSizes (total, c.constantBlock, c.maxBlock));

    EXPECT_EQ (out.allocations, 0);
    EXPECT_EQ (out.left, out.right);

    // Skip the start, where the converters' kernels still hold the silence from before the stream.
    const double hostPerFrameSample = c.rate / RNNDenoiser::frameRate;
    const int settled = (int) std::ceil (delay + 2.0 * (100.0 + 100.0 * hostPerFrameSample)) + 4;
    ASSERT_LT (settled, total - 1000);

    double worst = 0.0;
    int worstAt = -1;

    for (int t = settled; t < total; ++t)
    {
        const double error = std::abs (out.left[(size_t) t] - signal.at (t - delay));
        if (! (error <= worst))
        {
            worst = error;
            worstAt = t;
        }
    }

    EXPECT_LT (worst, 5.0e-5) << "at output sample " << worstAt << " of " << total;
}

INSTANTIATE_TEST_SUITE_P (
    RatesAndBlocks,
    EngineStream,
    testing::ValuesIn ([]
                       {
                           std::vector<StreamCase> cases;
                           for (const double rate : { 8000.0, 11025.0, 16000.0, 22050.0, 32000.0, 44100.0, 48000.0, 88200.0, 96000.0, 176400.0, 192000.0 })
                           {
                               for (const int block : { 1, 64, 480, 512, 1024, 4096, 8192 })
                                   cases.push_back ({ rate, block, block });

                               cases.push_back ({ rate, 512, 0 });
                               cases.push_back ({ rate, 4096, 0 });
                               cases.push_back ({ rate, 1000, 1000, 256 });
                           }
                           return cases; }()),
    caseName);

//==============================================================================
std::vector<float> referenceRNNoise (const std::vector<float>& input)
{
    auto* state = rnnoise_create (nullptr);
    std::vector<float> out (input.size(), 0.0f);
    float frame[RNNDenoiser::frameSize];

    for (size_t start = 0; start + RNNDenoiser::frameSize <= input.size(); start += RNNDenoiser::frameSize)
    {
        for (int i = 0; i < RNNDenoiser::frameSize; ++i)
            frame[i] = input[start + (size_t) i] * 32768.0f;

        rnnoise_process_frame (state, frame, frame);

        for (int i = 0; i < RNNDenoiser::frameSize; ++i)
            out[start + (size_t) i] = frame[i] / 32768.0f;
    }

    rnnoise_destroy (state);
    return out;
}

// At 48 kHz nothing is resampled: the output must be RNNoise's own output on the
// same frames, shifted by the buffering the engine adds, bit for bit.
TEST (RNNDenoiser, MatchesRNNoiseCalledDirectlyOnTheSameFramesAt48kHz)
{
    const auto input = TestSignals::voice (48000.0, 48000 * 2);
    const auto reference = referenceRNNoise (input);

    for (const auto& [constantBlock, maxBlock] : { std::pair { 480, 480 }, { 512, 512 }, { 0, 1024 }, { 1, 1 } })
    {
        Tavrik::Errors<juce::String> errors;
        RNNDenoiser engine (errors);
        engine.prepare (spec (48000.0, maxBlock));
        const auto out = run (engine, input, TestSignals::blockSizes ((int) input.size(), constantBlock, maxBlock));

        const int buffering = engine.getLatencySamples() - TAVRIK_RNNOISE_DELAY_SAMPLES;
        ASSERT_GE (buffering, 0);

        int mismatches = 0;
        for (size_t t = 0; t < out.left.size(); ++t)
        {
            const float expected = t < (size_t) buffering ? 0.0f : reference[t - (size_t) buffering];
            mismatches += out.left[t] != expected ? 1 : 0;
        }

        EXPECT_EQ (mismatches, 0) << "block " << constantBlock << ", max " << maxBlock;
        EXPECT_EQ (out.allocations, 0);
    }
}

// With the real RNNoise in the loop, the voice comes out delayed by the latency
// the engine reports, at the native rate and at converted ones alike.
TEST (RNNDenoiser, RealRNNoiseDelaysTheVoiceByTheReportedLatency)
{
    for (const double rate : { 8000.0, 16000.0, 44100.0, 48000.0, 96000.0 })
    {
        const auto input = TestSignals::voice (rate, (int) rate * 2);
        Tavrik::Errors<juce::String> errors;
        RNNDenoiser engine (errors);
        engine.prepare (spec (rate, 512));
        const auto out = run (engine, input, TestSignals::blockSizes ((int) input.size(), 512, 512));

        const int latency = engine.getLatencySamples();
        const int lag = TestSignals::bestLag (input, out.left, latency - 20, latency + 20);
        EXPECT_NEAR (lag, latency, 1) << rate << " Hz";
    }
}

TEST (RNNDenoiser, ReportsOneFrameOfRNNoiseAndOneFrameOfQueueingAt48kHz)
{
    Tavrik::Errors<juce::String> errors;
    RNNDenoiser engine (errors);
    EXPECT_EQ (engine.getRatio(), 1.0);

    engine.prepare (spec (48000.0, 480));
    EXPECT_EQ (engine.getLatencySamples(), TAVRIK_RNNOISE_DELAY_SAMPLES + 479);

    engine.prepare (spec (44100.0, 512));
    EXPECT_DOUBLE_EQ (engine.getRatio(), 48000.0 / 44100.0);
}

TEST (RNNDenoiser, UnusableSampleRatesGiveSilenceAndNoLatency)
{
    for (const double rate : { 0.0, -44100.0, std::nan (""), 100.0, 5.0e6 })
    {
        Tavrik::Errors<juce::String> errors;
        RNNDenoiser engine (errors);
        engine.prepare (spec (rate, 512));
        EXPECT_EQ (engine.getLatencySamples(), 0) << rate;

        const auto out = run (engine, std::vector<float> (2048, 0.5f), { 512, 512, 512, 512 });
        EXPECT_EQ (std::count (out.left.begin(), out.left.end(), 0.0f), 2048) << rate;
        EXPECT_EQ (out.left, out.right);
    }
}

TEST (RNNDenoiser, BlocksBeforeTheFirstPrepareAreSilent)
{
    Tavrik::Errors<juce::String> errors;
    RNNDenoiser engine (errors);
    const auto out = run (engine, std::vector<float> (1024, 0.5f), { 512, 512 });
    EXPECT_EQ (std::count (out.left.begin(), out.left.end(), 0.0f), 1024);
}

// A new preparation starts a new stream: nothing queued before it comes out after it.
TEST (RNNDenoiser, PrepareDropsTheQueuedAudio)
{
    Tavrik::Errors<juce::String> errors;
    PassThroughDenoiser engine (errors);
    engine.prepare (spec (48000.0, 512));
    run (engine, std::vector<float> (4096, 0.9f), TestSignals::blockSizes (4096, 512, 512));

    engine.prepare (spec (48000.0, 512));
    std::vector<float> fresh (512);
    for (size_t i = 0; i < fresh.size(); ++i)
        fresh[i] = 0.001f * (float) i;

    const auto out = run (engine, fresh, { 512 });
    const int latency = engine.getLatencySamples();
    ASSERT_LT (latency, 512);

    for (int t = 0; t < 512; ++t)
        ASSERT_EQ (out.left[(size_t) t], t < latency ? 0.0f : fresh[(size_t) (t - latency)]) << t;
}

// Denormal input must not turn into denormal output (slow on every CPU that
// follows, and the sign of a filter that never settles).
TEST (RNNDenoiser, DenormalsStayOffTheAudioPath)
{
    for (const double rate : { 48000.0, 44100.0 })
    {
        Tavrik::Errors<juce::String> errors;
        RNNDenoiser engine (errors);
        engine.prepare (spec (rate, 512));
        auto input = TestSignals::voice (rate, (int) rate);
        for (size_t i = 0; i < input.size(); i += 2)
            input[i] = 1.0e-40f;

        const auto out = run (engine, input, TestSignals::blockSizes ((int) input.size(), 0, 512));
        const auto denormals = std::count_if (out.left.begin(), out.left.end(), [] (float x) { return x != 0.0f && std::abs (x) < std::numeric_limits<float>::min(); });
        EXPECT_EQ (denormals, 0) << rate;
    }
}

// NaN, infinities and absurd values must not stay in RNNoise's recurrent state:
// at 48 kHz the engine then behaves exactly as if it had been fed silence.
TEST (RNNDenoiser, NonFiniteInputDoesNotPoisonTheEngine)
{
    const auto clean = TestSignals::voice (48000.0, 48000);
    auto poisoned = clean;
    auto silenced = clean;

    for (size_t i = 9600; i < 9600 + 1500; ++i)
    {
        const float bad[] { std::numeric_limits<float>::quiet_NaN(), std::numeric_limits<float>::infinity(), -std::numeric_limits<float>::infinity() };
        poisoned[i] = bad[i % 3];
        silenced[i] = 0.0f;
    }

    Tavrik::Errors<juce::String> errors;
    RNNDenoiser a (errors), b (errors);
    a.prepare (spec (48000.0, 512));
    b.prepare (spec (48000.0, 512));
    const auto sizes = TestSignals::blockSizes ((int) clean.size(), 512, 512);
    const auto outA = run (a, poisoned, sizes);
    const auto outB = run (b, silenced, sizes);

    EXPECT_TRUE (std::all_of (outA.left.begin(), outA.left.end(), [] (float x) { return std::isfinite (x); }));
    EXPECT_EQ (outA.left, outB.left);

    // With conversion, the bad samples still never reach the output.
    RNNDenoiser c (errors);
    c.prepare (spec (44100.0, 512));
    const auto outC = run (c, poisoned, TestSignals::blockSizes ((int) clean.size() - 4000, 512, 512));
    EXPECT_TRUE (std::all_of (outC.left.begin(), outC.left.end(), [] (float x) { return std::isfinite (x); }));
}
} // namespace
