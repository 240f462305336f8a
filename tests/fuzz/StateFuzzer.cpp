// libFuzzer target: whatever bytes a host hands to setStateInformation, the
// processor must neither crash nor read outside them, and must stay in a state
// it can save and load again.

#include "plugin/Tavrik_rnn_denoiserAudioProcessor.h"

#include <cstdint>
#include <cstdlib>

namespace
{
struct Fixture
{
    Fixture()
    {
        // The log goes to a throw-away home, never the real user's.
        char folder[] = "/tmp/tavrik-fuzz-XXXXXX";
        if (mkdtemp (folder) != nullptr)
        {
            setenv ("HOME", folder, 1);
            setenv ("XDG_CONFIG_HOME", (std::string (folder) + "/.config").c_str(), 1);
        }
    }

    juce::ScopedJuceInitialiser_GUI juce;
    Tavrik_rnn_denoiserAudioProcessor processor;
};
} // namespace

extern "C" int LLVMFuzzerTestOneInput (const std::uint8_t* data, size_t size)
{
    static Fixture fixture;
    auto& processor = fixture.processor;

    // Exactly the bytes given, in a block of their own, so that any read past
    // them is caught by AddressSanitizer.
    juce::HeapBlock<std::uint8_t> copy (size);
    std::memcpy (copy.get(), data, size);
    processor.setStateInformation (copy.get(), (int) size);

    const float bypass = processor.getBypassParameter()->getValue();
    if (bypass != 0.0f && bypass != 1.0f)
        std::abort();

    juce::MemoryBlock saved;
    processor.getStateInformation (saved);
    processor.setStateInformation (saved.getData(), (int) saved.getSize());

    if (processor.getBypassParameter()->getValue() != bypass)
        std::abort();

    return 0;
}
