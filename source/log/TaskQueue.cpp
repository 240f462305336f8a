#include "TaskQueue.h"

TaskQueue::TaskQueue()
{
    resize (1);
}

void TaskQueue::push (std::function<void()> task)
{
    const juce::ScopedLock hold (writeLock);
    const auto scope = fifo.write (1);

    if (scope.blockSize1 > 0)
        slots.getReference (scope.startIndex1) = std::move (task);
}

std::function<void()> TaskQueue::pop()
{
    const juce::ScopedLock hold (readLock);
    const auto scope = fifo.read (1);

    if (scope.blockSize1 > 0)
        return slots.getReference (scope.startIndex1); // the slot keeps its copy until overwritten

    return {};
}

int TaskQueue::getNumReady()
{
    const juce::ScopedLock holdWrite (writeLock);
    const juce::ScopedLock holdRead (readLock);
    return fifo.getNumReady();
}

void TaskQueue::resize (int newNumSlots)
{
    const juce::ScopedLock holdWrite (writeLock);
    const juce::ScopedLock holdRead (readLock);
    newNumSlots = juce::jmax (1, newNumSlots);
    slots.resize (newNumSlots);
    fifo.setTotalSize (newNumSlots);
    fifo.reset();
}
