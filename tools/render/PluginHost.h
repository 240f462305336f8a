#pragma once

#include <juce_audio_processors/juce_audio_processors.h>

namespace tavrik
{
/** Loads a VST3 bundle through JUCE's VST3 hosting, as a DAW would, with
    matching mono or stereo buses, and prepares it. Call on the message thread.
    Returns null and fills error on failure. */
std::unique_ptr<juce::AudioPluginInstance> loadPlugin (const juce::String& bundlePath, double sampleRate,
                                                       int blockSize, int channels, juce::String& error);

/** The description of the first plug-in class in the bundle. */
std::unique_ptr<juce::PluginDescription> describePlugin (const juce::String& bundlePath, juce::String& error);
} // namespace tavrik
