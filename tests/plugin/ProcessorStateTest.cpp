#include "common/AllocationGuard.h"
#include "common/LogFile.h"
#include "common/TestSignals.h"
#include "plugin/Tavrik_rnn_denoiserAudioProcessor.h"

#include <gtest/gtest.h>

namespace
{
juce::MemoryBlock saveState (Tavrik_rnn_denoiserAudioProcessor& processor)
{
    juce::MemoryBlock state;
    processor.getStateInformation (state);
    return state;
}

juce::uint32 readLittleEndian (const juce::MemoryBlock& block, size_t offset)
{
    return juce::ByteOrder::littleEndianInt (static_cast<const char*> (block.getData()) + offset);
}

/** Sets bypass as the host would and lets the parameter state catch up: the
    tree is refreshed from the parameter on the message thread's timer. */
void setBypass (Tavrik_rnn_denoiserAudioProcessor& processor, bool on)
{
    processor.getBypassParameter()->setValueNotifyingHost (on ? 1.0f : 0.0f);
    const auto end = juce::Time::getMillisecondCounter() + 2000;

    while (juce::Time::getMillisecondCounter() < end
           && (bool) processor.getParameters().getParameterAsValue ("bypass").getValue() != on)
        juce::MessageManager::getInstance()->runDispatchLoopUntil (5);
}

bool bypassOf (Tavrik_rnn_denoiserAudioProcessor& processor)
{
    return processor.getBypassParameter()->getValue() >= 0.5f;
}

TEST (ProcessorState, AFreshInstanceSavesTheBypassParameterAsXmlInTheFrameworkLayout)
{
    Tavrik_rnn_denoiserAudioProcessor processor;
    const auto state = saveState (processor);

    ASSERT_GT (state.getSize(), 9u);
    EXPECT_EQ (readLittleEndian (state, 0), 0x21324356u);
    EXPECT_EQ (readLittleEndian (state, 4), state.getSize() - 9);
    EXPECT_EQ (static_cast<const char*> (state.getData())[state.getSize() - 1], '\0');

    const auto xml = juce::parseXML (juce::String::fromUTF8 (static_cast<const char*> (state.getData()) + 8, (int) state.getSize() - 9));
    ASSERT_NE (xml, nullptr);
    EXPECT_EQ (xml->getTagName(), "RNNVoiceParams");
    EXPECT_EQ (xml->getNumChildElements(), 1);
    const auto* param = xml->getChildByName ("PARAM");
    ASSERT_NE (param, nullptr);
    EXPECT_EQ (param->getStringAttribute ("id"), "bypass");
    EXPECT_EQ (param->getDoubleAttribute ("value", -1.0), 0.0);
}

TEST (ProcessorState, BypassRoundTripsThroughASavedState)
{
    juce::MemoryBlock state;
    {
        Tavrik_rnn_denoiserAudioProcessor processor;
        setBypass (processor, true);
        state = saveState (processor);
    }

    const auto xml = juce::AudioProcessor::getXmlFromBinary (state.getData(), (int) state.getSize());
    ASSERT_NE (xml, nullptr);
    EXPECT_EQ (xml->getChildByName ("PARAM")->getDoubleAttribute ("value"), 1.0);

    Tavrik_rnn_denoiserAudioProcessor fresh;
    ASSERT_FALSE (bypassOf (fresh));
    fresh.setStateInformation (state.getData(), (int) state.getSize());
    EXPECT_TRUE (bypassOf (fresh));
    EXPECT_EQ (saveState (fresh), state) << "a saved state loads back unchanged";
}

// Anything that is not a state of ours changes nothing; a length field larger
// than the data reads only the bytes present.
TEST (ProcessorState, InvalidStatesChangeNothing)
{
    Tavrik_rnn_denoiserAudioProcessor processor;
    setBypass (processor, true);
    const auto good = saveState (processor);

    auto withMagic = [] (juce::uint32 magic, juce::int32 length, const std::string& text)
    {
        juce::MemoryOutputStream out;
        out.writeInt ((int) magic);
        out.writeInt (length);
        out.write (text.data(), text.size());
        return out.getMemoryBlock();
    };

    const std::string offXml = "<RNNVoiceParams><PARAM id=\"bypass\" value=\"0\"/></RNNVoiceParams>";
    const juce::MemoryBlock cases[] {
        {},
        juce::MemoryBlock (good.getData(), 8),
        withMagic (0x12345678, (int) offXml.size(), offXml),
        withMagic (0x21324356, 0, offXml),
        withMagic (0x21324356, -5, offXml),
        withMagic (0x21324356, 12, "not xml at all"),
        withMagic (0x21324356, (int) offXml.size(), offXml.substr (0, 20)),
        // Ends in the lead byte of a three-byte character; the XML parser would step past the end.
        withMagic (0x21324356, 40, "<RNNVoiceParams><PARAM id=\"bypass\" value=\"0\"/>\xE0"),
    };

    for (const auto& bad : cases)
    {
        processor.setStateInformation (bad.getData(), (int) bad.getSize());
        EXPECT_TRUE (bypassOf (processor)) << bad.getSize() << " bytes";
    }

    processor.setStateInformation (nullptr, 100);
    EXPECT_TRUE (bypassOf (processor));

    // Lengths beyond the data: only what is there is read, and here that is a whole state.
    processor.setStateInformation (withMagic (0x21324356, 1 << 30, offXml).getData(), (int) withMagic (0x21324356, 1 << 30, offXml).getSize());
    EXPECT_FALSE (bypassOf (processor));
}

// A foreign state with a repeated attribute: what the host sees, what the
// audio path uses and what is saved next all agree.
TEST (ProcessorState, RepeatedAttributesLoadConsistently)
{
    const std::string xml = "<RNNVoiceParams><PARAM id=\"bypass\" value=\"1\" value=\"0\"/></RNNVoiceParams>";
    juce::MemoryBlock state;
    state.append ("VC2!", 4);
    const auto length = juce::ByteOrder::swapIfBigEndian ((juce::uint32) xml.size());
    state.append (&length, 4);
    state.append (xml.data(), xml.size() + 1);

    Tavrik_rnn_denoiserAudioProcessor processor;
    processor.setStateInformation (state.getData(), (int) state.getSize());
    EXPECT_TRUE (bypassOf (processor)) << "the first of the repeated values";
    EXPECT_TRUE ((bool) processor.getParameters().getParameterAsValue ("bypass").getValue()) << "the tree the audio path reads agrees";

    const auto saved = saveState (processor);
    processor.setStateInformation (saved.getData(), (int) saved.getSize());
    EXPECT_TRUE (bypassOf (processor));
}

// Bypass passes audio untouched and leaves the engine unfed: when it is
// switched off again the engine goes on exactly where it stopped.
TEST (ProcessorState, BypassPassesAudioUnchangedAndPausesTheEngine)
{
    constexpr int block = 480;
    const auto voice = TestSignals::voice (48000.0, 48000);
    const auto other = TestSignals::voice (48000.0, 48000, 99);

    auto feed = [] (Tavrik_rnn_denoiserAudioProcessor& processor, const float* samples, std::vector<float>* out = nullptr)
    {
        juce::AudioBuffer<float> buffer (1, block);
        buffer.copyFrom (0, 0, samples, block);
        juce::MidiBuffer midi;
        const AllocationGuard::ScopedAudioThread audioThread;
        processor.processBlock (buffer, midi);
        EXPECT_EQ (audioThread.counts().allocations, 0);
        if (out != nullptr)
            out->insert (out->end(), buffer.getReadPointer (0), buffer.getReadPointer (0) + block);
    };

    Tavrik_rnn_denoiserAudioProcessor paused, straight;
    for (auto* p : { &paused, &straight })
    {
        p->setPlayConfigDetails (1, 1, 48000.0, block);
        p->prepareToPlay (48000.0, block);
    }

    for (int b = 0; b < 40; ++b)
    {
        feed (paused, voice.data() + b * block);
        feed (straight, voice.data() + b * block);
    }

    setBypass (paused, true);
    for (int b = 0; b < 20; ++b)
    {
        std::vector<float> out;
        feed (paused, other.data() + b * block, &out);
        ASSERT_TRUE (std::equal (out.begin(), out.end(), other.data() + b * block)) << "bypassed block " << b;
    }

    setBypass (paused, false);
    std::vector<float> resumed, reference;
    for (int b = 40; b < 90; ++b)
    {
        feed (paused, voice.data() + b * block, &resumed);
        feed (straight, voice.data() + b * block, &reference);
    }

    EXPECT_EQ (resumed, reference);
    EXPECT_EQ (paused.getLatencySamples(), straight.getLatencySamples());
}

// The log of a processor's life, with the lines that are dropped by design:
// the denoiser's first two (the queue is cleared when the processor sizes it)
// and the last two (the thread that would write them has stopped).
TEST (ProcessorLog, ALifeInTheLog)
{
    {
        Tavrik_rnn_denoiserAudioProcessor processor;
        ASSERT_TRUE (LogFile::waitFor ("Initialized Tavrik RNNDenoiser audio processor"));

        processor.setPlayConfigDetails (2, 2, 48000.0, 512);
        processor.prepareToPlay (48000.0, 512);
        ASSERT_TRUE (LogFile::waitFor ("Reset denoiser buffers"));

        const auto state = saveState (processor);
        ASSERT_TRUE (LogFile::waitFor ("Saving processor parameters ..."));
        processor.setStateInformation (state.getData(), (int) state.getSize());
        ASSERT_TRUE (LogFile::waitFor ("Loading saved processor parameters ..."));
    }

    auto lines = LogFile::messages();
    lines.removeString ("Closing Tavrik RNNDenoiser audio processor"); // written only if the thread was quick

    EXPECT_EQ (lines.joinIntoString ("\n").toStdString(),
               "Initialized Tavrik RNNDenoiser audio processor\n"
               "Preparing the denoiser\n"
               "Sample rate : 48000\n"
               "Number of channels : 2\n"
               "Max number of samples per block : 512\n"
               "Reset denoiser buffers\n"
               "Saving processor parameters ...\n"
               "Loading saved processor parameters ...");
}

// A second processor starts the file again; the first one's lines are gone.
TEST (ProcessorLog, ASecondInstanceRestartsTheLog)
{
    Tavrik_rnn_denoiserAudioProcessor first;
    first.prepareToPlay (44100.0, 256);
    ASSERT_TRUE (LogFile::waitFor ("Reset denoiser buffers"));

    Tavrik_rnn_denoiserAudioProcessor second;
    ASSERT_TRUE (LogFile::waitFor ("Initialized Tavrik RNNDenoiser audio processor"));
    EXPECT_FALSE (LogFile::messages().contains ("Reset denoiser buffers"));
}

// Invalid states are not just ignored but not even mentioned.
TEST (ProcessorLog, InvalidStatesLogNothing)
{
    Tavrik_rnn_denoiserAudioProcessor processor;
    ASSERT_TRUE (LogFile::waitFor ("Initialized Tavrik RNNDenoiser audio processor"));

    const char junk[16] = "VC2!junkjunkjun";
    processor.setStateInformation (junk, sizeof (junk));
    processor.setStateInformation (junk, 4);

    processor.prepareToPlay (48000.0, 64); // a later line, to know the queue has been served
    ASSERT_TRUE (LogFile::waitFor ("Reset denoiser buffers"));
    EXPECT_FALSE (LogFile::messages().contains ("Loading saved processor parameters ..."));
}
} // namespace
