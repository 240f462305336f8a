#pragma once

#include <juce_core/juce_core.h>

/** Writes the plug-in's application log, "TavrikRNNDenoiser.log" in
    "Tavrik/VSTs" under the user's application-data folder: one file per user
    account, shared by every instance in the process.

    Each processor restarts the file with initialise(); the log tasks of the
    background logger append lines with writeToFile() on a "Background Thread".
    Every file error is silent: the log must never disturb the audio.
*/
class LoggerInstance : public juce::Logger
{
public:
    LoggerInstance() = default;
    ~LoggerInstance() override;

    /** Empties the file and writes its header. */
    void initialise();

    /** Appends one time-stamped line; nothing before the first initialise(). */
    void writeToFile (const juce::String& message);

    /** "[H:MM:SS.ms]  message", stamped now. */
    static juce::String formatLine (const juce::String& message);
    static juce::String formatLine (const juce::String& message, juce::Time stamp);

    static juce::File getLogFile();

    static constexpr juce::int64 trimThreshold = 5000000;
    static constexpr juce::int64 sizeAfterTrim = 1000000;

    /** Keeps each line whole; taken by the log tasks around writeToFile. */
    juce::CriticalSection fileLock;

protected:
    /** Never installed as JUCE's logger: takes nothing in. */
    void logMessage (const juce::String&) override;

private:
    std::unique_ptr<juce::FileLogger> fileLogger;
};
