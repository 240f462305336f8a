#include "PluginHost.h"

namespace tavrik
{
std::unique_ptr<juce::PluginDescription> describePlugin (const juce::String& bundlePath, juce::String& error)
{
    juce::VST3PluginFormat format;
    juce::OwnedArray<juce::PluginDescription> found;
    format.findAllTypesForFile (found, bundlePath);

    if (found.isEmpty())
    {
        error = "no VST3 plug-in found in " + bundlePath;
        return {};
    }

    return std::make_unique<juce::PluginDescription> (*found.getFirst());
}

std::unique_ptr<juce::AudioPluginInstance> loadPlugin (const juce::String& bundlePath, double sampleRate,
                                                       int blockSize, int channels, juce::String& error)
{
    const auto description = describePlugin (bundlePath, error);

    if (description == nullptr)
        return {};

    juce::VST3PluginFormat format;
    auto instance = format.createInstanceFromDescription (*description, sampleRate, blockSize, error);

    if (instance == nullptr)
        return {};

    const auto set = juce::AudioChannelSet::canonicalChannelSet (channels);
    juce::AudioProcessor::BusesLayout layout;
    layout.inputBuses.add (set);
    layout.outputBuses.add (set);

    if (! instance->setBusesLayout (layout))
    {
        error = "the plug-in refuses " + juce::String (channels) + " channel(s) in and out";
        return {};
    }

    instance->setRateAndBufferSizeDetails (sampleRate, blockSize);
    instance->prepareToPlay (sampleRate, blockSize);

    // A VST3 plug-in learns its rate when it is activated, after the host has
    // already asked for its latency; the new latency reaches the host as a
    // restart request through the message loop, which a host keeps running.
    juce::MessageManager::getInstance()->runDispatchLoopUntil (100);
    return instance;
}
} // namespace tavrik
