#include "LocalTime.h"

#ifdef _WIN32
 #include <windows.h>
#else
 #include <ctime>
 #include <sys/time.h>
#endif

namespace platform
{
LocalTime getLocalTime() noexcept
{
#ifdef _WIN32
    SYSTEMTIME now;
    GetLocalTime (&now);
    return { now.wHour, now.wMinute, now.wSecond, now.wMilliseconds };
#else
    timespec now {};
    clock_gettime (CLOCK_REALTIME, &now);
    std::tm local {};
    localtime_r (&now.tv_sec, &local);
    return { local.tm_hour, local.tm_min, local.tm_sec, (int) (now.tv_nsec / 1000000) };
#endif
}
} // namespace platform
