// The built TavrikNoiseRemoval.vst3, loaded the way a DAW loads it.

#include "PluginHost.h"
#include "common/AllocationGuard.h"
#include "common/TestSignals.h"

#include <gtest/gtest.h>

#include <dlfcn.h>
#include <pluginterfaces/base/ipluginbase.h>

namespace
{
const juce::String bundle = TAVRIK_DEFAULT_PLUGIN_PATH;

std::unique_ptr<juce::AudioPluginInstance> load (double rate, int block, int channels)
{
    juce::String error;
    auto instance = tavrik::loadPlugin (bundle, rate, block, channels, error);
    EXPECT_NE (instance, nullptr) << error;
    return instance;
}

/** Runs a mono signal through a hosted instance in blocks of the given sizes. */
std::vector<float> process (juce::AudioPluginInstance& instance, const std::vector<float>& input,
                            const std::vector<int>& sizes, int channels, std::int64_t* allocations = nullptr,
                            std::vector<float>* right = nullptr)
{
    std::vector<float> out;
    juce::AudioBuffer<float> buffer (channels, *std::max_element (sizes.begin(), sizes.end()));
    juce::MidiBuffer midi;
    size_t position = 0;

    // JUCE's host side sizes its own channel list on the first call; a block too
    // short to complete a frame lets it do so before the plug-in is watched.
    if (allocations != nullptr)
    {
        juce::AudioBuffer<float> warmUp (channels, 16);
        warmUp.clear();
        instance.processBlock (warmUp, midi);
    }

    for (const int size : sizes)
    {
        buffer.setSize (channels, size, false, false, true);
        buffer.copyFrom (0, 0, input.data() + position, size);
        if (channels > 1)
            for (int i = 0; i < size; ++i)
                buffer.setSample (1, i, 0.3f * std::sin (0.02f * (float) (position + (size_t) i)));

        {
            const AllocationGuard::ScopedAudioThread audioThread;
            instance.processBlock (buffer, midi);
            if (allocations != nullptr)
                *allocations += audioThread.counts().allocations + audioThread.counts().frees;
        }

        out.insert (out.end(), buffer.getReadPointer (0), buffer.getReadPointer (0) + size);
        if (right != nullptr)
            right->insert (right->end(), buffer.getReadPointer (1), buffer.getReadPointer (1) + size);
        position += (size_t) size;
    }

    return out;
}

// First in this file on purpose: the first audio a fresh module processes is
// where lazily built tables would allocate.
TEST (HostedPlugin, ProcessingAllocatesNothingOnTheAudioThread)
{
    for (const double rate : { 48000.0, 44100.0 })
    {
        auto instance = load (rate, 1024, 2);
        ASSERT_NE (instance, nullptr);
        const auto voice = TestSignals::voice (rate, (int) rate);
        std::int64_t allocations = 0;
        process (*instance, voice, TestSignals::blockSizes ((int) voice.size(), 0, 1024), 2, &allocations);
        EXPECT_EQ (allocations, 0) << rate;
    }
}

TEST (HostedPlugin, PresentsItsIdentityToTheHost)
{
    juce::String error;
    const auto description = tavrik::describePlugin (bundle, error);
    ASSERT_NE (description, nullptr) << error;

    EXPECT_EQ (description->name, "Tavrik Noise Removal");
    EXPECT_EQ (description->manufacturerName, "Tavrik");
    EXPECT_EQ (description->version, "1.0.0");
    EXPECT_EQ (description->category, "Fx");
    EXPECT_EQ (description->pluginFormatName, "VST3");
    EXPECT_FALSE (description->isInstrument);
    EXPECT_EQ (description->numInputChannels, 2);
    EXPECT_EQ (description->numOutputChannels, 2);
    EXPECT_TRUE (juce::File (bundle).getFileName() == "TavrikNoiseRemoval.vst3");
}

// The factory read straight through the VST3 interfaces: vendor, the two
// classes with JUCE's fixed identifiers built from "Manu" and "Gugp".
TEST (HostedPlugin, FactoryHasTheAudioModuleAndControllerClasses)
{
    const auto library = juce::File (bundle).getChildFile ("Contents/x86_64-linux/TavrikNoiseRemoval.so");
    ASSERT_TRUE (library.existsAsFile()) << library.getFullPathName();

    void* handle = dlopen (library.getFullPathName().toRawUTF8(), RTLD_NOW | RTLD_LOCAL);
    ASSERT_NE (handle, nullptr) << dlerror();

    using Entry = bool (*) (void*);
    using Exit = bool (*)();
    using GetFactory = Steinberg::IPluginFactory* (*) ();
    auto moduleEntry = reinterpret_cast<Entry> (dlsym (handle, "ModuleEntry"));
    auto moduleExit = reinterpret_cast<Exit> (dlsym (handle, "ModuleExit"));
    auto getFactory = reinterpret_cast<GetFactory> (dlsym (handle, "GetPluginFactory"));
    ASSERT_NE (moduleEntry, nullptr);
    ASSERT_NE (moduleExit, nullptr);
    ASSERT_NE (getFactory, nullptr);
    ASSERT_TRUE (moduleEntry (handle));

    auto* factory = getFactory();
    ASSERT_NE (factory, nullptr);

    Steinberg::PFactoryInfo factoryInfo {};
    ASSERT_EQ (factory->getFactoryInfo (&factoryInfo), Steinberg::kResultOk);
    EXPECT_STREQ (factoryInfo.vendor, "Tavrik");
    EXPECT_STREQ (factoryInfo.url, "");
    EXPECT_STREQ (factoryInfo.email, "");
    EXPECT_EQ (factoryInfo.flags, Steinberg::PFactoryInfo::kUnicode);

    const Steinberg::TUID processorId = INLINE_UID (0xABCDEF01, 0x9182FAEB, 0x4D616E75 /* Manu */, 0x47756770 /* Gugp */);
    const Steinberg::TUID controllerId = INLINE_UID (0xABCDEF01, 0x1234ABCD, 0x4D616E75 /* Manu */, 0x47756770 /* Gugp */);
    ASSERT_EQ (factory->countClasses(), 2);

    for (int i = 0; i < 2; ++i)
    {
        Steinberg::PClassInfo info {};
        ASSERT_EQ (factory->getClassInfo (i, &info), Steinberg::kResultOk);
        EXPECT_STREQ (info.name, "Tavrik Noise Removal");
        EXPECT_EQ (info.cardinality, Steinberg::PClassInfo::kManyInstances);

        if (juce::String (info.category) == "Audio Module Class")
            EXPECT_EQ (std::memcmp (info.cid, processorId, sizeof (Steinberg::TUID)), 0);
        else
        {
            EXPECT_STREQ (info.category, "Component Controller Class");
            EXPECT_EQ (std::memcmp (info.cid, controllerId, sizeof (Steinberg::TUID)), 0);
        }
    }

    const Steinberg::TUID factory2Id = INLINE_UID (0x0007B650, 0xF24B4C0B, 0xA464EDB9, 0xF00B2ABB);
    Steinberg::IPluginFactory2* factory2 = nullptr;
    ASSERT_EQ (factory->queryInterface (factory2Id, reinterpret_cast<void**> (&factory2)), Steinberg::kResultOk);
    Steinberg::PClassInfo2 info2 {};
    ASSERT_EQ (factory2->getClassInfo2 (0, &info2), Steinberg::kResultOk);
    EXPECT_STREQ (info2.version, "1.0.0");
    EXPECT_STREQ (info2.vendor, "Tavrik");
    EXPECT_STREQ (info2.subCategories, "Fx");
    EXPECT_TRUE (juce::String (info2.sdkVersion).startsWith ("VST 3."));
    factory2->release();

    factory->release();
    moduleExit();
    dlclose (handle);
}

TEST (HostedPlugin, AcceptsMonoAndStereoWithEqualBusesOnly)
{
    auto instance = load (48000.0, 512, 2);
    ASSERT_NE (instance, nullptr);
    // Only an inactive plug-in is asked; an active one is checked by the host alone.
    instance->releaseResources();

    using Set = juce::AudioChannelSet;
    const std::tuple<Set, Set, bool> cases[] {
        { Set::mono(), Set::mono(), true },
        { Set::stereo(), Set::stereo(), true },
        { Set::mono(), Set::stereo(), false },
        { Set::stereo(), Set::mono(), false },
        { Set::create5point1(), Set::create5point1(), false },
    };

    for (const auto& [input, output, accepted] : cases)
    {
        juce::AudioProcessor::BusesLayout layout;
        layout.inputBuses.add (input);
        layout.outputBuses.add (output);
        EXPECT_EQ (instance->checkBusesLayoutSupported (layout), accepted)
            << input.getDescription() << " -> " << output.getDescription();
    }
}

// What the host is told is what the host gets: the voice comes out delayed by
// the reported latency, at every rate, through the real VST3 interfaces.
TEST (HostedPlugin, ReportedLatencyIsTheMeasuredDelay)
{
    for (const double rate : { 16000.0, 44100.0, 48000.0, 96000.0 })
    {
        auto instance = load (rate, 512, 1);
        ASSERT_NE (instance, nullptr);
        const int latency = instance->getLatencySamples();

        if (rate == 48000.0)
            EXPECT_EQ (latency, 480 + 479) << "one RNNoise frame plus one frame of queueing";

        const auto voice = TestSignals::voice (rate, (int) rate * 2);
        const auto out = process (*instance, voice, TestSignals::blockSizes ((int) voice.size(), 0, 512), 1);
        EXPECT_NEAR (TestSignals::bestLag (voice, out, latency - 20, latency + 20), latency, 1) << rate;
    }
}

TEST (HostedPlugin, StereoOutputCarriesTheDenoisedLeftInputOnBothChannels)
{
    auto instance = load (44100.0, 512, 2);
    ASSERT_NE (instance, nullptr);
    const auto voice = TestSignals::voice (44100.0, 44100);
    std::vector<float> right;
    const auto left = process (*instance, voice, TestSignals::blockSizes ((int) voice.size(), 512, 512), 2, nullptr, &right);

    EXPECT_EQ (left, right);
    EXPECT_GT (*std::max_element (left.begin(), left.end()), 0.01f);
}
} // namespace

namespace
{
juce::AudioProcessorParameter* bypassOf (juce::AudioPluginInstance& instance)
{
    auto* parameter = instance.getBypassParameter();
    EXPECT_NE (parameter, nullptr) << "the host must see the plug-in's own bypass switch";
    return parameter;
}

// Saved in one instance, loaded into a fresh one: the host's bypass switch
// comes back on, through the real VST3 state interfaces.
TEST (HostedPlugin, BypassSurvivesSavingAndLoadingTheState)
{
    juce::MemoryBlock state;
    {
        auto instance = load (48000.0, 512, 2);
        ASSERT_NE (instance, nullptr);
        auto* bypass = bypassOf (*instance);
        ASSERT_NE (bypass, nullptr);
        EXPECT_EQ (bypass->getName (64), "Bypass");
        EXPECT_LT (bypass->getValue(), 0.5f);

        bypass->setValueNotifyingHost (1.0f);
        instance->getStateInformation (state);
    }

    auto fresh = load (48000.0, 512, 2);
    ASSERT_NE (fresh, nullptr);
    auto* bypass = bypassOf (*fresh);
    ASSERT_NE (bypass, nullptr);
    ASSERT_LT (bypass->getValue(), 0.5f);

    fresh->setStateInformation (state.getData(), (int) state.getSize());
    EXPECT_GE (bypass->getValue(), 0.5f);
}

// With the host's bypass switch on, what goes in comes out, sample for sample.
TEST (HostedPlugin, BypassedAudioPassesUnchanged)
{
    auto instance = load (44100.0, 256, 2);
    ASSERT_NE (instance, nullptr);
    auto* bypass = bypassOf (*instance);
    ASSERT_NE (bypass, nullptr);
    bypass->setValueNotifyingHost (1.0f);

    const auto voice = TestSignals::voice (44100.0, 44100);
    juce::AudioBuffer<float> buffer (2, 256);
    juce::MidiBuffer midi;
    int unchangedInARow = 0;
    const auto end = juce::Time::getMillisecondCounter() + 3000;

    // The switch reaches the audio path once the plug-in's parameter state has
    // caught up on its own timer; from then on every block passes unchanged.
    for (size_t start = 0; unchangedInARow < 40 && juce::Time::getMillisecondCounter() < end; start = (start + 256) % (voice.size() - 256))
    {
        for (int channel = 0; channel < 2; ++channel)
            buffer.copyFrom (channel, 0, voice.data() + start, 256);

        instance->processBlock (buffer, midi);
        const bool unchanged = std::equal (buffer.getReadPointer (0), buffer.getReadPointer (0) + 256, voice.data() + start)
                            && std::equal (buffer.getReadPointer (1), buffer.getReadPointer (1) + 256, voice.data() + start);

        ASSERT_TRUE (unchanged || unchangedInARow == 0) << "a bypassed block came out changed";
        unchangedInARow = unchanged ? unchangedInARow + 1 : 0;
        juce::MessageManager::getInstance()->runDispatchLoopUntil (1);
    }

    EXPECT_EQ (unchangedInARow, 40);
}
} // namespace

namespace
{
// The plug-in's own editor, created by the host side and shown in a window:
// a fixed 750 x 600 that the host cannot resize, scaled as the host asks.
TEST (HostedPlugin, OpensItsOwnFixedSizeEditorThatTheHostCanScale)
{
    auto instance = load (48000.0, 512, 2);
    ASSERT_NE (instance, nullptr);
    ASSERT_TRUE (instance->hasEditor());

    for (int opening = 0; opening < 2; ++opening)
    {
        std::unique_ptr<juce::AudioProcessorEditor> editor (instance->createEditorIfNeeded());
        ASSERT_NE (editor, nullptr);
        EXPECT_EQ (dynamic_cast<juce::GenericAudioProcessorEditor*> (editor.get()), nullptr);

        editor->addToDesktop (0);
        editor->setVisible (true);
        juce::MessageManager::getInstance()->runDispatchLoopUntil (300);

        EXPECT_EQ (editor->getWidth(), 750);
        EXPECT_EQ (editor->getHeight(), 600);
        EXPECT_FALSE (editor->isResizable());

        if (opening == 0)
        {
            editor->setScaleFactor (1.5f);
            juce::MessageManager::getInstance()->runDispatchLoopUntil (300);
            // The host measures the plug-in's view: the plug-in scaled itself.
            EXPECT_EQ (editor->getWidth(), 1125);
            EXPECT_EQ (editor->getHeight(), 900);
        }

        // Audio keeps flowing while the window is open and after it closes.
        const auto voice = TestSignals::voice (48000.0, 9600);
        process (*instance, voice, TestSignals::blockSizes ((int) voice.size(), 0, 512), 2);
        editor.reset();
        juce::MessageManager::getInstance()->runDispatchLoopUntil (50);
    }

    // The plug-in's log, written by its background thread.
    const auto log = juce::File::getSpecialLocation (juce::File::userApplicationDataDirectory).getChildFile ("Tavrik/VSTs/TavrikRNNDenoiser.log");
    juce::String text;
    for (int wait = 0; wait < 100 && text.indexOf ("Closed editor") < 0; ++wait)
    {
        juce::MessageManager::getInstance()->runDispatchLoopUntil (20);
        juce::MemoryBlock data;
        log.loadFileAsData (data);
        const auto* raw = static_cast<const char*> (data.getData());
        const auto header = data.isEmpty() ? 0 : std::strlen (raw) + 1;
        text = header < data.getSize() ? juce::String::fromUTF8 (raw + header, (int) (data.getSize() - header)) : juce::String();
    }

    EXPECT_TRUE (text.contains ("]  Set new scale factor : 1.5\r\n")) << text;
    const auto opened = text.indexOf ("]  Opened editor");
    const auto closed = text.indexOf ("]  Closed editor");
    EXPECT_TRUE (opened >= 0 && closed > opened) << text;
}
} // namespace
