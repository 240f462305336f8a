// tavrik-soak: an hour of audio (or as many minutes as asked) through one
// processor, faster than real time, in random block sizes. Checks every
// minute of audio that the voice still comes out delayed by exactly the
// reported latency, and reports the process's memory and the log's size.
//
//   tavrik-soak [MINUTES] [RATE]

#include "common/TestSignals.h"
#include "log/LoggerInstance.h"
#include "plugin/Tavrik_rnn_denoiserAudioProcessor.h"

#include <cstdio>
#include <fstream>

namespace
{
long residentKilobytes()
{
    std::ifstream status ("/proc/self/status");
    std::string line;
    while (std::getline (status, line))
        if (line.rfind ("VmRSS:", 0) == 0)
            return std::stol (line.substr (6));
    return -1;
}
} // namespace

int main (int argc, char** argv)
{
    const juce::ScopedJuceInitialiser_GUI juce;
    const int minutes = argc > 1 ? juce::jmax (1, std::atoi (argv[1])) : 60;
    const double rate = argc > 2 ? std::atof (argv[2]) : 44100.0;
    constexpr int maxBlock = 2048;

    Tavrik_rnn_denoiserAudioProcessor processor;
    processor.setPlayConfigDetails (2, 2, rate, maxBlock);
    processor.prepareToPlay (rate, maxBlock);
    const int latency = processor.getLatencySamples();

    // One minute of voice, played over and over.
    const int minute = (int) (rate * 60.0);
    const auto voice = TestSignals::voice (rate, minute);
    std::vector<float> output ((size_t) minute);

    juce::Random random (1234);
    juce::AudioBuffer<float> buffer (2, maxBlock);
    juce::MidiBuffer midi;
    const long memoryAtStart = residentKilobytes();
    long memoryAfterWarmUp = 0;
    juce::int64 logMaximum = 0;
    int failures = 0;
    int firstLag = 0;
    juce::int64 total = 0;
    const auto started = juce::Time::getMillisecondCounterHiRes();

    for (int m = 0; m < minutes; ++m)
    {
        // The output of this minute, aligned with the voice of this minute.
        for (int done = 0; done < minute;)
        {
            const int size = juce::jmin (1 + random.nextInt (maxBlock), minute - done);
            buffer.setSize (2, size, false, false, true);
            buffer.copyFrom (0, 0, voice.data() + done, size);
            buffer.copyFrom (1, 0, voice.data() + done, size);
            processor.processBlock (buffer, midi);
            std::copy (buffer.getReadPointer (0), buffer.getReadPointer (0) + size, output.begin() + done);
            done += size;
        }

        total += minute;

        // Across the loop point the delay shows as the lag between this
        // minute's input and output; check it on a few seconds past the start.
        const std::vector<float> in (voice.begin() + (int) rate * 5, voice.begin() + (int) rate * 8);
        const std::vector<float> out (output.begin() + (int) rate * 5, output.begin() + (int) rate * 8 + latency + 50);
        // Resampling makes the true delay fractional (1074.875 at 44.1 kHz), so
        // the first minute's lag may sit a sample from the rounded latency; it
        // must never move after that.
        const int lag = TestSignals::bestLag (in, out, latency - 20, latency + 20);
        if (m == 0)
            firstLag = lag;
        failures += (lag == firstLag && std::abs (lag - latency) <= 1) ? 0 : 1;

        const auto logSize = LoggerInstance::getLogFile().getSize();
        logMaximum = juce::jmax (logMaximum, logSize);
        failures += logSize > LoggerInstance::trimThreshold + 1000 ? 1 : 0;

        if (m == 0)
            memoryAfterWarmUp = residentKilobytes();

        std::printf ("\rminute %d of %d: delay %d (reported %d)   ", m + 1, minutes, lag, latency);
        std::fflush (stdout);
    }

    const long memoryAtEnd = residentKilobytes();
    const double wall = (juce::Time::getMillisecondCounterHiRes() - started) / 1000.0;
    std::printf ("\nsoak: %lld samples at %.0f Hz (%d min of audio) in %.1f s, %.0fx real time\n", (long long) total, rate, minutes, wall, minutes * 60.0 / wall);
    std::printf ("soak: delay %d samples every minute (reported latency %d): %s\n", firstLag, latency, failures == 0 ? "constant" : "FAILED");
    std::printf ("soak: resident memory %ld kB at start, %ld kB after the first minute, %ld kB at the end\n", memoryAtStart, memoryAfterWarmUp, memoryAtEnd);
    std::printf ("soak: largest log file %lld bytes\n", (long long) logMaximum);

    const bool memoryFlat = memoryAtEnd <= memoryAfterWarmUp + 2048;
    std::printf ("%d passed, %d failed\n", (failures == 0) + memoryFlat, (failures != 0) + ! memoryFlat);
    return failures == 0 && memoryFlat ? 0 : 1;
}
