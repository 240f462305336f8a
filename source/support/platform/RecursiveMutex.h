#pragma once

#include <cstdint>

namespace platform
{

/** A re-entrant mutex: a critical section on Windows, a recursive pthread
    mutex elsewhere. The storage is opaque so that no system header leaks out
    of this folder.

    Any thread may use it; the owning thread may lock it again.
*/
class RecursiveMutex
{
public:
    RecursiveMutex() noexcept;
    ~RecursiveMutex();

    void lock() noexcept;
    void unlock() noexcept;
    bool tryLock() noexcept;

    RecursiveMutex (const RecursiveMutex&) = delete;
    RecursiveMutex& operator= (const RecursiveMutex&) = delete;

private:
    // Large and aligned enough for a CRITICAL_SECTION (40 bytes on x64) and
    // for glibc's pthread_mutex_t (40 bytes); checked where it is used.
    alignas (16) std::uint8_t storage[64];
};

} // namespace platform
