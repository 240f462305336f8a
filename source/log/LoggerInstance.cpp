#include "LoggerInstance.h"

namespace
{
const char* const headerPrefix = "********************* LOG created on ";
const char* const headerSuffix = " *********************\n\r";
} // namespace

LoggerInstance::~LoggerInstance() = default;

juce::File LoggerInstance::getLogFile()
{
    return juce::File::getSpecialLocation (juce::File::userApplicationDataDirectory)
        .getChildFile ("Tavrik/VSTs")
        .getChildFile ("TavrikRNNDenoiser.log");
}

void LoggerInstance::initialise()
{
    const juce::ScopedLock hold (fileLock);
    const auto file = getLogFile();

    // FileLogger creates the missing folders and the file, then adds its own
    // welcome block, which the reset below removes again.
    fileLogger = std::make_unique<juce::FileLogger> (file, juce::String(), 128 * 1024);

    juce::FileOutputStream stream (file);

    if (! stream.openedOk())
        return;

    stream.setPosition (0);
    stream.truncate();

    const juce::String header = headerPrefix + juce::Time::getCurrentTime().toISO8601 (true) + headerSuffix;
    stream.write (header.toRawUTF8(), header.getNumBytesAsUTF8() + 1); // with its terminating zero
}

void LoggerInstance::writeToFile (const juce::String& message)
{
    const juce::ScopedLock hold (fileLock);

    if (fileLogger == nullptr)
        return;

    if (fileLogger->getLogFile().getSize() > trimThreshold)
        juce::FileLogger::trimFileSize (fileLogger->getLogFile(), sizeAfterTrim);

    fileLogger->logMessage (formatLine (message));
}

juce::String LoggerInstance::formatLine (const juce::String& message)
{
    return formatLine (message, juce::Time::getCurrentTime());
}

juce::String LoggerInstance::formatLine (const juce::String& message, juce::Time stamp)
{
    const auto millis = stamp.toMilliseconds();
    const auto seconds = ((millis / 1000) % 60 + 60) % 60;
    const auto milliseconds = (millis % 1000 + 1000) % 1000;

    return "[" + juce::String (stamp.getHours())
         + ":" + juce::String (stamp.getMinutes()).paddedLeft ('0', 2)
         + ":" + juce::String (seconds).paddedLeft ('0', 2)
         + "." + juce::String (milliseconds)
         + "]  " + message;
}

void LoggerInstance::logMessage (const juce::String&)
{
    const juce::ScopedLock hold (fileLock);
}
