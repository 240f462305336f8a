// Everything a host may do at once, through the real VST3 module, for a
// bounded time with a fixed seed: random rates and block sizes, bypass
// automation from another thread, state saved and restored from a third,
// the editor opened and closed, two instances side by side.

#include "PluginHost.h"
#include "common/AllocationGuard.h"
#include "common/TestSignals.h"

#include <gtest/gtest.h>

#include <atomic>
#include <map>
#include <mutex>
#include <thread>

namespace
{
const juce::String bundle = TAVRIK_DEFAULT_PLUGIN_PATH;
constexpr double rates[] { 8000.0, 11025.0, 16000.0, 22050.0, 32000.0, 44100.0, 48000.0, 88200.0, 96000.0, 176400.0, 192000.0 };

/** One plug-in instance and the audio thread that drives it. */
struct Instance
{
    explicit Instance (juce::uint32 seedToUse)
        : random ((juce::int64) seedToUse)
    {
        juce::String error;
        plugin = tavrik::loadPlugin (bundle, 48000.0, 512, 2, error);
        EXPECT_NE (plugin, nullptr) << error;
        rate = 48000.0;
        maxBlock = 512;
        latency = plugin != nullptr ? plugin->getLatencySamples() : 0;
    }

    /** The host's reconfiguration: the audio thread is held off meanwhile. */
    void reprepare()
    {
        const std::lock_guard<std::mutex> hold (audioLock);
        rate = rates[random.nextInt ((int) std::size (rates))];
        maxBlock = 16 + random.nextInt (4096);
        plugin->releaseResources();
        plugin->prepareToPlay (rate, maxBlock);
        samplesSincePrepare = 0;
        blocksSincePrepare = 0;
        ++preparations;
    }

    /** One block of the audio thread's work, with its checks. */
    void processOne()
    {
        const std::lock_guard<std::mutex> hold (audioLock);
        const int size = 1 + random.nextInt (maxBlock);
        buffer.setSize (2, size, false, false, true);

        for (int i = 0; i < size; ++i)
        {
            const float x = voice[(size_t) (position++ % voice.size())];
            buffer.setSample (0, i, x);
            buffer.setSample (1, i, -x);
        }

        juce::MidiBuffer midi;
        {
            const AllocationGuard::ScopedAudioThread audioThread;
            plugin->processBlock (buffer, midi);

            // Not counted: a thread's first blocks (thread-local storage of
            // the loaded module), JUCE's host sizing its own lists after a
            // preparation, and blocks while the editor is open, when JUCE's
            // parameter attachment posts automation to the message thread.
            if (blocks > 100 && blocksSincePrepare > 10 && ! editorOpen)
                allocations += audioThread.counts().allocations;
        }

        for (int i = 0; i < size; ++i)
        {
            const float y = buffer.getSample (0, i);
            nonFinite += std::isfinite (y) ? 0 : 1;

            // Silence longer than the engine can ever hold back is a dropout.
            // (Up to a latency's worth is by design: the priming after a
            // preparation, which comes out when bypass is switched off later.)
            zeroRun = y == 0.0f ? zeroRun + 1 : 0;
            if (zeroRun == longestPossibleLatency + 1)
                ++dropouts;

            ++samplesSincePrepare;
        }

        ++blocks;
        ++blocksSincePrepare;
    }

    std::unique_ptr<juce::AudioPluginInstance> plugin;
    juce::Random random;
    std::mutex audioLock;
    juce::AudioBuffer<float> buffer { 2, 4096 };
    std::vector<float> voice = TestSignals::voice (48000.0, 48000 * 3);
    size_t position = 0;
    double rate = 48000.0;
    int maxBlock = 512;
    std::atomic<int> latency { 0 };
    juce::int64 samplesSincePrepare = 0;
    int blocksSincePrepare = 0;
    std::atomic<bool> editorOpen { false };
    static constexpr int longestPossibleLatency = 4500; // at 192 kHz
    int zeroRun = 0;
    std::atomic<std::int64_t> blocks { 0 }, allocations { 0 }, nonFinite { 0 }, dropouts { 0 };
    int preparations = 0;
};

TEST (HostTorture, SurvivesEverythingAHostDoesAtOnce)
{
    constexpr int seconds = 12;
    Instance a (11), b (23);
    ASSERT_NE (a.plugin, nullptr);
    ASSERT_NE (b.plugin, nullptr);

    std::atomic<bool> stop { false };
    std::atomic<juce::int64> lastProgress { juce::Time::currentTimeMillis() };

    auto audio = [&] (Instance& instance)
    {
        while (! stop)
        {
            instance.processOne();
            lastProgress = juce::Time::currentTimeMillis();
        }
    };

    auto automation = [&] (Instance& instance)
    {
        juce::Random random (5);
        while (! stop)
        {
            if (auto* bypass = instance.plugin->getBypassParameter())
                bypass->setValueNotifyingHost (random.nextBool() ? 1.0f : 0.0f);
            std::this_thread::sleep_for (std::chrono::milliseconds (3 + random.nextInt (40)));
        }
        if (auto* bypass = instance.plugin->getBypassParameter())
            bypass->setValueNotifyingHost (0.0f);
    };

    auto stateSaving = [&] (Instance& instance)
    {
        while (! stop)
        {
            juce::MemoryBlock state;
            instance.plugin->getStateInformation (state);
            instance.plugin->setStateInformation (state.getData(), (int) state.getSize());
            std::this_thread::sleep_for (std::chrono::milliseconds (25));
        }
    };

    // Ends the process with a clear message if the threads stop making progress.
    std::thread watchdog ([&]
                          {
                              while (! stop)
                              {
                                  std::this_thread::sleep_for (std::chrono::milliseconds (200));
                                  if (juce::Time::currentTimeMillis() - lastProgress > 20000)
                                  {
                                      std::fprintf (stderr, "HostTorture: no audio progress for 20 s: deadlock\n");
                                      std::abort();
                                  }
                              } });

    std::vector<std::thread> threads;
    for (auto* instance : { &a, &b })
    {
        threads.emplace_back (audio, std::ref (*instance));
        threads.emplace_back (automation, std::ref (*instance));
        threads.emplace_back (stateSaving, std::ref (*instance));
    }

    // The message thread: reconfigures now and then and opens and closes the editor.
    std::map<double, int> latencyAtRate;
    bool latencyConstant = true;
    juce::Random random (3);
    const auto end = juce::Time::getMillisecondCounter() + (juce::uint32) seconds * 1000;
    int editorOpenings = 0;

    while (juce::Time::getMillisecondCounter() < end)
    {
        auto& instance = random.nextBool() ? a : b;

        if (random.nextInt (3) == 0)
        {
            instance.reprepare();
            juce::MessageManager::getInstance()->runDispatchLoopUntil (100); // the latency reaches the host
            const int latency = instance.plugin->getLatencySamples();
            instance.latency = latency;
            const auto [known, inserted] = latencyAtRate.emplace (instance.rate, latency);
            latencyConstant = latencyConstant && (inserted || known->second == latency);
        }

        if (std::unique_ptr<juce::AudioProcessorEditor> editor { instance.plugin->createEditorIfNeeded() })
        {
            instance.editorOpen = true;
            editor->addToDesktop (0);
            editor->setVisible (true);
            juce::MessageManager::getInstance()->runDispatchLoopUntil (150 + random.nextInt (200));
            ++editorOpenings;
            editor.reset();
            juce::MessageManager::getInstance()->runDispatchLoopUntil (20);
            instance.editorOpen = false;
        }

        juce::MessageManager::getInstance()->runDispatchLoopUntil (random.nextInt (100));
    }

    stop = true;
    for (auto& thread : threads)
        thread.join();
    watchdog.join();

    for (auto* instance : { &a, &b })
    {
        EXPECT_GT (instance->blocks.load(), 1000);
        EXPECT_EQ (instance->nonFinite.load(), 0);
        EXPECT_EQ (instance->dropouts.load(), 0);
        // The only ones seen are outside the plug-in's code: JUCE's host growing
        // its channel list, and the loader giving a thread its first access to
        // the module's thread-local storage. Processing itself allocates
        // nothing (the processor and hosted-plugin tests show it exactly).
        EXPECT_LE (instance->allocations.load(), instance->preparations + 1);
    }

    EXPECT_TRUE (latencyConstant);
    EXPECT_GT (editorOpenings, 5);
    std::printf ("torture: %lld + %lld blocks, %d + %d preparations, %d editor openings in %d s\n",
                 (long long) a.blocks.load(), (long long) b.blocks.load(), a.preparations, b.preparations, editorOpenings, seconds);
}
} // namespace
