#pragma once

#include "log/LoggerInstance.h"

#include <juce_events/juce_events.h>

/** Reads the application log as the tests see it. */
namespace LogFile
{
inline juce::MemoryBlock bytes()
{
    juce::MemoryBlock data;
    LoggerInstance::getLogFile().loadFileAsData (data);
    return data;
}

/** The messages of the lines after the header, without their time stamps. */
inline juce::StringArray messages()
{
    const auto data = bytes();
    const auto* text = static_cast<const char*> (data.getData());
    const auto headerEnd = std::find (text, text + data.getSize(), '\0');

    if (headerEnd == text + data.getSize())
        return {};

    juce::StringArray lines;
    lines.addTokens (juce::String::fromUTF8 (headerEnd + 1, (int) (text + data.getSize() - headerEnd - 1)), "\r\n", "");
    lines.removeEmptyStrings();

    for (auto& line : lines)
        line = line.fromFirstOccurrenceOf ("]  ", false, false);

    return lines;
}

/** Pumps the message loop until the log holds a line with this message, or a
    few seconds have passed; lines are written by a background thread. */
inline bool waitFor (const juce::String& message, int timeoutMs = 5000)
{
    const auto end = juce::Time::getMillisecondCounter() + (juce::uint32) timeoutMs;

    while (juce::Time::getMillisecondCounter() < end)
    {
        if (messages().contains (message))
            return true;

        juce::MessageManager::getInstance()->runDispatchLoopUntil (5);
    }

    return false;
}
} // namespace LogFile
