#include "BackgroundLogger.h"

void BackgroundLogger::log (const juce::String& message)
{
    auto* writer = &sharedState->loggerInstance;

    sharedState->tasks.push ([writer, message]
                             {
                                 const juce::ScopedLock hold (writer->fileLock);
                                 writer->writeToFile (message); });
}

int BackgroundLogger::useTimeSlice()
{
    auto& tasks = sharedState->tasks;

    if (tasks.getNumReady() > 0)
        if (auto task = tasks.pop())
            task();

    return 0;
}
