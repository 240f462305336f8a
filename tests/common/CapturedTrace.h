#pragma once

#include "support/KvlTrace.h"
#include "support/platform/DebugOutput.h"

#include <string>
#include <vector>

/** Collects the debugger-output lines written while it lives, stamped with a
    fixed time (14:03:07.250). Not for use from several threads at once. */
class CapturedTrace
{
public:
    CapturedTrace()
    {
        captured().clear();
        previousSink = platform::setDebugSink ([] (const char* line) { captured().emplace_back (line); });
        kvl::setTraceClock ([] { return platform::LocalTime { 14, 3, 7, 250 }; });
    }

    ~CapturedTrace()
    {
        platform::setDebugSink (previousSink);
        kvl::setTraceClock (nullptr);
    }

    const std::vector<std::string>& lines() const { return captured(); }

private:
    static std::vector<std::string>& captured()
    {
        static std::vector<std::string> lines;
        return lines;
    }

    platform::DebugSink previousSink;
};
