#pragma once

#include <juce_audio_basics/juce_audio_basics.h>

#include <cmath>
#include <vector>

/** Signals the audio tests feed through the engine and the plug-in. */
namespace TestSignals
{
/** A sum of three sines well inside the band that both the host rate and
    48 kHz can carry, known at any fractional time. */
struct BandLimited
{
    explicit BandLimited (double sampleRate)
    {
        const double top = 0.5 * juce::jmin (sampleRate, 48000.0);
        for (int i = 0; i < 3; ++i)
            omega[i] = juce::MathConstants<double>::twoPi * top * fractions[i] / sampleRate;
    }

    double at (double t) const
    {
        double sum = 0.0;
        for (int i = 0; i < 3; ++i)
            sum += 0.2 * std::sin (omega[i] * t + phases[i]);
        return sum;
    }

    static constexpr double fractions[3] { 0.043, 0.117, 0.271 };
    static constexpr double phases[3] { 0.3, 1.9, 4.1 };
    double omega[3] {};
};

/** A voice-like signal: a pitched glottal pulse train with a wandering pitch,
    shaped by vowel formants and a syllable envelope, over a little noise.
    RNNoise treats it as speech. */
inline std::vector<float> voice (double sampleRate, int numSamples, juce::uint32 seed = 1)
{
    juce::Random random ((juce::int64) seed);
    std::vector<float> out ((size_t) numSamples);
    double phase = 0.0;

    // Two resonators per vowel, switched per syllable.
    const double formants[][2] { { 730.0, 1090.0 }, { 270.0, 2290.0 }, { 530.0, 1840.0 }, { 300.0, 870.0 } };
    double y1[2] {}, y2[2] {};

    for (int n = 0; n < numSamples; ++n)
    {
        const double t = n / sampleRate;
        const double pitch = 140.0 + 25.0 * std::sin (2.0 * juce::MathConstants<double>::pi * 0.7 * t);
        phase += pitch / sampleRate;
        double excitation = 0.0;

        if (phase >= 1.0)
        {
            phase -= 1.0;
            excitation = 1.0;
        }

        const int syllable = (int) (t * 4.0);
        const double envelope = std::pow (std::sin (juce::MathConstants<double>::pi * std::fmod (t * 4.0, 1.0)), 2.0);
        double sample = 0.0;

        for (int f = 0; f < 2; ++f)
        {
            const double centre = juce::jmin (formants[syllable % 4][f], 0.4 * sampleRate);
            const double r = 0.97;
            const double a1 = 2.0 * r * std::cos (juce::MathConstants<double>::twoPi * centre / sampleRate);
            const double y = excitation + a1 * y1[f] - r * r * y2[f];
            y2[f] = y1[f];
            y1[f] = y;
            sample += y;
        }

        out[(size_t) n] = (float) (0.02 * envelope * sample + 0.003 * (random.nextFloat() * 2.0f - 1.0f));
    }

    return out;
}

/** Block sizes for a run: a constant size, or random sizes from 1 to maxBlock. */
inline std::vector<int> blockSizes (int total, int constantSize, int maxBlock, juce::uint32 seed = 7)
{
    juce::Random random ((juce::int64) seed);
    std::vector<int> sizes;

    for (int done = 0; done < total;)
    {
        const int size = juce::jmin (total - done, constantSize > 0 ? constantSize : 1 + random.nextInt (maxBlock));
        sizes.push_back (size);
        done += size;
    }

    return sizes;
}

/** Lag in [from, to] at which b correlates best with a (b delayed against a). */
inline int bestLag (const std::vector<float>& a, const std::vector<float>& b, int from, int to)
{
    int best = from;
    double bestScore = -1.0e300;

    for (int lag = from; lag <= to; ++lag)
    {
        double sum = 0.0;
        for (size_t n = 0; n + (size_t) lag < b.size() && n < a.size(); ++n)
            sum += (double) a[n] * b[n + (size_t) lag];

        if (sum > bestScore)
        {
            bestScore = sum;
            best = lag;
        }
    }

    return best;
}
} // namespace TestSignals
