#pragma once

/** The operating system's debugger output: OutputDebugStringA/W on Windows,
    standard error elsewhere. A test may put its own sink in front of it.
    Any thread may call these; they allocate nothing. */
namespace platform
{
void writeDebugString (const char* text) noexcept;
void writeDebugStringWide (const wchar_t* text) noexcept;

using DebugSink = void (*) (const char* utf8Line);

/** Replaces where lines go (nullptr: the system's output again); returns the previous sink. */
DebugSink setDebugSink (DebugSink sink) noexcept;
} // namespace platform
