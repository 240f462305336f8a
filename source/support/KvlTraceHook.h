#pragma once

/** Where the support library's warnings go: one formatted message per call,
    handed to the current sink (standard error unless a test replaces it).
    Takes no lock and allocates nothing, so the audio thread may call it.
*/
namespace kvl
{
using TraceSink = void (*) (int level, const char* module, const char* function, const char* message);

void trace (int level, const char* tag, const char* module, const char* function, const char* format, ...)
#if defined(__GNUC__)
    __attribute__ ((format (printf, 5, 6)))
#endif
    ;

/** Replaces the sink and returns the previous one; nullptr restores the default. */
TraceSink setTraceSink (TraceSink sink) noexcept;

constexpr int levelWarning = 1;
constexpr const char* ringBufferModule = "CKvlRingBuffer";
} // namespace kvl
