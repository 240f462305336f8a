#pragma once

/** The local wall-clock time with milliseconds (GetLocalTime on Windows).
    Any thread may call it; it allocates nothing. */
namespace platform
{
struct LocalTime
{
    int hour = 0, minute = 0, second = 0, millisecond = 0;
};

LocalTime getLocalTime() noexcept;
} // namespace platform
