#include "common/AllocationGuard.h"
#include "common/TestSignals.h"
#include "plugin/Tavrik_rnn_denoiserAudioProcessor.h"

#include <gtest/gtest.h>

namespace
{
using Set = juce::AudioChannelSet;

struct LayoutCase
{
    Set input, output;
    bool accepted;
};

TEST (Processor, AcceptsMonoAndStereoWithEqualInputAndOutputOnly)
{
    Tavrik_rnn_denoiserAudioProcessor processor;
    const LayoutCase cases[] {
        { Set::mono(), Set::mono(), true },
        { Set::stereo(), Set::stereo(), true },
        { Set::mono(), Set::stereo(), false },
        { Set::stereo(), Set::mono(), false },
        { Set::create5point1(), Set::create5point1(), false },
        { Set::quadraphonic(), Set::quadraphonic(), false },
        { Set::disabled(), Set::stereo(), false },
    };

    for (const auto& c : cases)
    {
        juce::AudioProcessor::BusesLayout layout;
        layout.inputBuses.add (c.input);
        layout.outputBuses.add (c.output);
        EXPECT_EQ (processor.checkBusesLayoutSupported (layout), c.accepted)
            << c.input.getDescription() << " -> " << c.output.getDescription();
    }
}

struct LatencyCounter : juce::AudioProcessorListener
{
    void audioProcessorParameterChanged (juce::AudioProcessor*, int, float) override {}
    void audioProcessorChanged (juce::AudioProcessor*, const ChangeDetails& details) override
    {
        changes += details.latencyChanged ? 1 : 0;
    }
    int changes = 0;
};

TEST (Processor, ReportsTheEnginesLatencyAndTellsTheHostOnlyWhenItChanges)
{
    Tavrik_rnn_denoiserAudioProcessor processor;
    LatencyCounter counter;
    processor.addListener (&counter);

    processor.prepareToPlay (48000.0, 512);
    EXPECT_EQ (processor.getLatencySamples(), 959);
    EXPECT_EQ (counter.changes, 1);

    processor.prepareToPlay (48000.0, 512);
    EXPECT_EQ (counter.changes, 1);

    int previous = processor.getLatencySamples();
    for (const double rate : { 44100.0, 96000.0, 192000.0 })
    {
        processor.prepareToPlay (rate, 512);
        EXPECT_GT (processor.getLatencySamples(), 0) << rate;
        EXPECT_NE (processor.getLatencySamples(), previous) << rate;
        previous = processor.getLatencySamples();
    }

    EXPECT_EQ (counter.changes, 4);

    processor.prepareToPlay (0.0, 512);
    EXPECT_EQ (processor.getLatencySamples(), 0);
    processor.removeListener (&counter);
}

TEST (Processor, BypassedBlocksPassUnchanged)
{
    Tavrik_rnn_denoiserAudioProcessor processor;
    processor.prepareToPlay (44100.0, 256);

    juce::AudioBuffer<float> buffer (2, 256);
    for (int i = 0; i < 256; ++i)
    {
        buffer.setSample (0, i, std::sin (0.05f * (float) i));
        buffer.setSample (1, i, std::cos (0.07f * (float) i));
    }

    juce::AudioBuffer<float> original (buffer);
    juce::MidiBuffer midi;
    processor.processBlockBypassed (buffer, midi);

    for (int channel = 0; channel < 2; ++channel)
        for (int i = 0; i < 256; ++i)
            ASSERT_EQ (buffer.getSample (channel, i), original.getSample (channel, i));
}

// The whole audio path, mono and stereo, at several rates and with block sizes
// that change from call to call, allocates and frees nothing.
TEST (Processor, ProcessBlockAllocatesNothing)
{
    for (const int channels : { 1, 2 })
    {
        for (const double rate : { 22050.0, 44100.0, 48000.0, 96000.0 })
        {
            Tavrik_rnn_denoiserAudioProcessor processor;
            processor.setPlayConfigDetails (channels, channels, rate, 1024);
            processor.prepareToPlay (rate, 1024);

            const auto voice = TestSignals::voice (rate, (int) rate);
            juce::AudioBuffer<float> buffer (channels, 1024);
            juce::MidiBuffer midi;
            std::int64_t allocations = 0;
            size_t position = 0;

            for (const int size : TestSignals::blockSizes ((int) voice.size(), 0, 1024))
            {
                buffer.setSize (channels, size, false, false, true);
                for (int channel = 0; channel < channels; ++channel)
                    buffer.copyFrom (channel, 0, voice.data() + position, size);

                const AllocationGuard::ScopedAudioThread audioThread;
                processor.processBlock (buffer, midi);
                allocations += audioThread.counts().allocations + audioThread.counts().frees;
                position += (size_t) size;
            }

            EXPECT_EQ (allocations, 0) << channels << " channel(s) at " << rate << " Hz";
        }
    }
}

TEST (Processor, PresentsItselfAsAnEffectWithoutMidiOrPrograms)
{
    Tavrik_rnn_denoiserAudioProcessor processor;
    EXPECT_EQ (processor.getName(), "Tavrik Noise Removal");
    EXPECT_EQ (processor.getTailLengthSeconds(), 0.0);
    EXPECT_FALSE (processor.acceptsMidi());
    EXPECT_FALSE (processor.producesMidi());
    EXPECT_TRUE (processor.hasEditor());
    EXPECT_EQ (processor.getNumPrograms(), 1);
    EXPECT_EQ (processor.getCurrentProgram(), 0);
    processor.setCurrentProgram (3);
    processor.changeProgramName (0, "renamed");
    EXPECT_EQ (processor.getCurrentProgram(), 0);
    EXPECT_EQ (processor.getProgramName (0), juce::String());
    EXPECT_EQ (processor.getBus (true, 0)->getName(), "Input");
    EXPECT_EQ (processor.getBus (false, 0)->getName(), "Output");
    EXPECT_EQ (processor.getMainBusNumInputChannels(), 2);
}
} // namespace
