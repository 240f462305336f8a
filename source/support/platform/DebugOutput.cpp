#include "DebugOutput.h"

#include <atomic>
#include <cstdio>

#ifdef _WIN32
 #include <windows.h>
#endif

namespace platform
{
namespace
{
std::atomic<DebugSink> sink { nullptr };
}

DebugSink setDebugSink (DebugSink newSink) noexcept
{
    return sink.exchange (newSink);
}

void writeDebugString (const char* text) noexcept
{
    if (auto* custom = sink.load())
    {
        custom (text);
        return;
    }

#ifdef _WIN32
    OutputDebugStringA (text);
#else
    std::fputs (text, stderr);
#endif
}

void writeDebugStringWide (const wchar_t* text) noexcept
{
#ifdef _WIN32
    if (sink.load() == nullptr)
    {
        OutputDebugStringW (text);
        return;
    }
#endif

    // Wide text reaches the narrow sink as UTF-8, on the stack.
    char utf8[1024];
    const wchar_t* source = text;
    size_t length = 0;

    while (source != nullptr && *source != 0 && length + 4 < sizeof (utf8))
    {
        const wchar_t c = *source++;

        if (c < 0x80)
            utf8[length++] = (char) c;
        else if (c < 0x800)
        {
            utf8[length++] = (char) (0xC0 | (c >> 6));
            utf8[length++] = (char) (0x80 | (c & 0x3F));
        }
        else
        {
            utf8[length++] = (char) (0xE0 | ((c >> 12) & 0x0F));
            utf8[length++] = (char) (0x80 | ((c >> 6) & 0x3F));
            utf8[length++] = (char) (0x80 | (c & 0x3F));
        }
    }

    utf8[length] = 0;
    writeDebugString (utf8);
}
} // namespace platform
