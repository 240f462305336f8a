#include "errors/Errors.h"

#include <gtest/gtest.h>
#include <juce_core/juce_core.h>

#include <thread>

namespace
{
using Registry = Tavrik::Errors<juce::String>;

struct RecordingListener : Registry::Listener
{
    void errorAdded (const Registry::Error& error) override { heard.add (error.message); }
    juce::StringArray heard;
};

TEST (Errors, ANewListenerHearsEveryStoredErrorOldestFirst)
{
    Registry registry;
    RecordingListener early, late;

    registry.addListener (&early);
    EXPECT_TRUE (early.heard.isEmpty());

    registry.addError ({ "first", "", "" });
    registry.addError ({ "second", "help", "https://example.invalid/help" });
    EXPECT_EQ (early.heard, juce::StringArray ({ "first", "second" }));

    registry.addListener (&late);
    EXPECT_EQ (late.heard, juce::StringArray ({ "first", "second" }));
}

TEST (Errors, DuplicatesNullAndUnknownListenersChangeNothing)
{
    Registry registry;
    RecordingListener a, b, stranger;
    registry.addError ({ "stored", "", "" });

    registry.addListener (&a);
    registry.addListener (&a);
    registry.addListener (nullptr);
    registry.addListener (&b);
    EXPECT_EQ (a.heard.size(), 1);
    EXPECT_EQ (registry.getNumListeners(), 2u);

    registry.removeListener (&stranger);
    registry.removeListener (nullptr);
    EXPECT_EQ (registry.getNumListeners(), 2u);

    registry.removeListener (&a);
    registry.addError ({ "after", "", "" });
    EXPECT_EQ (a.heard, juce::StringArray ({ "stored" }));
    EXPECT_EQ (b.heard, juce::StringArray ({ "stored", "after" }));
}

// Listeners join, leave and errors arrive from several threads at once; each
// registered listener hears every error exactly once.
TEST (Errors, ConcurrentUseKeepsEachListenerConsistent)
{
    Registry registry;
    RecordingListener steady;
    registry.addListener (&steady);

    std::vector<std::thread> threads;
    for (int t = 0; t < 3; ++t)
        threads.emplace_back ([&registry, t]
                              {
                                  for (int i = 0; i < 200; ++i)
                                  {
                                      RecordingListener visitor;
                                      registry.addListener (&visitor);
                                      registry.addError ({ juce::String (t) + ":" + juce::String (i), "", "" });
                                      registry.removeListener (&visitor);
                                  } });

    for (auto& thread : threads)
        thread.join();

    EXPECT_EQ (steady.heard.size(), 600);
    EXPECT_EQ (registry.getNumListeners(), 1u);
}
} // namespace
