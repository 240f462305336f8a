#pragma once

#include "LoggerInstance.h"
#include "TaskQueue.h"

/** The one log file writer and the one queue of log tasks in the process,
    reached only through juce::SharedResourcePointer: the first reference
    creates it, the last one destroys it with the tasks still waiting. */
struct SharedLogState
{
    LoggerInstance loggerInstance;
    TaskQueue tasks;
};
