#pragma once

#include <juce_core/juce_core.h>

#include <functional>

/** A small bounded first-in first-out queue of log tasks. N slots hold at most
    N - 1 tasks; a push into a full queue drops the task.

    Producers take only the write lock and consumers only the read lock, so one
    of each never wait for each other. Where both are held, the write lock comes
    first.
*/
class TaskQueue
{
public:
    TaskQueue();

    void push (std::function<void()> task);

    /** The oldest waiting task, or an empty function. */
    std::function<void()> pop();

    int getNumReady();

    /** Sets the number of slots; every waiting task is discarded. */
    void resize (int newNumSlots);

private:
    juce::AbstractFifo fifo { 1 };
    juce::Array<std::function<void()>> slots;
    juce::CriticalSection writeLock;
    juce::CriticalSection readLock;
};
