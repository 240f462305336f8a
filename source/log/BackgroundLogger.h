#pragma once

#include "SharedLogState.h"

#include <juce_events/juce_events.h>

/** Hands log lines to the shared queue; a processor's "Background Thread"
    writes them to the file later, one per time slice.

    log() may be called from any thread but the audio thread (it allocates and
    takes a lock); it never waits for the file and silently drops the line
    when the queue is full.
*/
class BackgroundLogger : public juce::TimeSliceClient
{
public:
    BackgroundLogger() = default;
    ~BackgroundLogger() override = default;

    void log (const juce::String& message);

    int useTimeSlice() override;

    SharedLogState& getSharedState() noexcept { return *sharedState; }

private:
    juce::SharedResourcePointer<SharedLogState> sharedState;
};
