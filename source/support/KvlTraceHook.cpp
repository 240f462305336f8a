#include "KvlTraceHook.h"

#include <atomic>
#include <cstdarg>
#include <cstdio>

namespace kvl
{
static void writeToStandardError (int, const char* module, const char* function, const char* message)
{
    std::fprintf (stderr, "%s %s: %s\n", module != nullptr ? module : "", function != nullptr ? function : "", message);
}

static std::atomic<TraceSink> currentSink { writeToStandardError };

void trace (int level, const char*, const char* module, const char* function, const char* format, ...)
{
    if (format == nullptr)
        return;

    char message[4096];
    va_list args;
    va_start (args, format);
    std::vsnprintf (message, sizeof (message), format, args);
    va_end (args);

    currentSink.load() (level, module, function, message);
}

TraceSink setTraceSink (TraceSink sink) noexcept
{
    return currentSink.exchange (sink != nullptr ? sink : writeToStandardError);
}
} // namespace kvl
