#include "GuardedCall.h"

#if defined(_WIN32) && defined(_MSC_VER)
 #include <windows.h>
#endif

namespace platform
{
bool callGuarded (void (*function) (void*), void* context) noexcept
{
#if defined(_WIN32) && defined(_MSC_VER)
    __try
    {
        function (context);
        return true;
    }
    __except (EXCEPTION_EXECUTE_HANDLER)
    {
        return false;
    }
#else
    // MinGW has no __try/__except, and POSIX signals cannot be resumed from safely.
    function (context);
    return true;
#endif
}
} // namespace platform
