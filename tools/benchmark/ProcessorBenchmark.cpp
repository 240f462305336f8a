// CPU time of the plug-in's processor per second of audio, next to RNNoise
// called directly on the same audio at 48 kHz: the ratio is what the engine's
// conversion and buffering cost on top of the denoising itself.

#include "common/TestSignals.h"
#include "plugin/Tavrik_rnn_denoiserAudioProcessor.h"

#include <benchmark/benchmark.h>
#include <rnnoise.h>

#include <cstdio>
#include <map>

namespace
{
// Each benchmark iteration processes one second of audio, so CPU time per
// iteration is CPU seconds per second of audio.
void rawRNNoise (benchmark::State& state)
{
    const auto voice = TestSignals::voice (48000.0, 48000);
    std::vector<float> scaled (voice.size());
    for (size_t i = 0; i < voice.size(); ++i)
        scaled[i] = voice[i] * 32768.0f;

    // Denormals off, as the processor runs with them.
    const juce::ScopedNoDenormals noDenormals;
    auto* denoiser = rnnoise_create (nullptr);
    float frame[480];

    for (auto _ : state)
    {
        for (size_t start = 0; start + 480 <= scaled.size(); start += 480)
        {
            std::copy (scaled.data() + start, scaled.data() + start + 480, frame);
            rnnoise_process_frame (denoiser, frame, frame);
            benchmark::DoNotOptimize (frame[0]);
        }
    }

    rnnoise_destroy (denoiser);
}

void processor (benchmark::State& state)
{
    const double rate = (double) state.range (0);
    const int block = (int) state.range (1);
    const auto voice = TestSignals::voice (rate, (int) rate);

    Tavrik_rnn_denoiserAudioProcessor plugin;
    plugin.setPlayConfigDetails (2, 2, rate, block);
    plugin.prepareToPlay (rate, block);
    juce::AudioBuffer<float> buffer (2, block);
    juce::MidiBuffer midi;

    for (auto _ : state)
    {
        for (size_t start = 0; start + (size_t) block <= voice.size(); start += (size_t) block)
        {
            buffer.copyFrom (0, 0, voice.data() + start, block);
            buffer.copyFrom (1, 0, voice.data() + start, block);
            plugin.processBlock (buffer, midi);
        }
    }
}

BENCHMARK (rawRNNoise)->Name ("RNNoise direct, 48 kHz")->Unit (benchmark::kMillisecond)->MinTime (2.0);
BENCHMARK (processor)->Name ("processor")->Args ({ 48000, 480 })->Args ({ 48000, 512 })->Args ({ 44100, 512 })->Args ({ 96000, 1024 })->Unit (benchmark::kMillisecond)->MinTime (2.0);

/** Keeps each run's CPU time to print the ratios after the usual table. */
class RatioReporter : public benchmark::ConsoleReporter
{
public:
    RatioReporter() : ConsoleReporter (OO_Tabular) {}

    void ReportRuns (const std::vector<Run>& runs) override
    {
        ConsoleReporter::ReportRuns (runs);
        for (const auto& run : runs)
            cpuSeconds[run.run_name.function_name + (run.run_name.args.empty() ? "" : "/" + run.run_name.args)] = run.GetAdjustedCPUTime() / 1000.0;
    }

    void print() const
    {
        const auto raw = cpuSeconds.find ("RNNoise direct, 48 kHz");
        if (raw == cpuSeconds.end())
            return;

        std::printf ("\n%-28s %12s %14s %8s\n", "", "CPU s per", "% of one core", "ratio");
        std::printf ("%-28s %12s %14s %8s\n", "", "audio s", "", "to raw");

        for (const auto& [name, seconds] : cpuSeconds)
            std::printf ("%-28s %12.5f %14.2f %8.3f\n", name.c_str(), seconds, 100.0 * seconds, seconds / raw->second);
    }

private:
    std::map<std::string, double> cpuSeconds;
};
} // namespace

int main (int argc, char** argv)
{
    benchmark::Initialize (&argc, argv);
    const juce::ScopedJuceInitialiser_GUI juce;
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks (&reporter);
    reporter.print();
    benchmark::Shutdown();
    return 0;
}
