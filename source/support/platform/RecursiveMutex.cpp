#include "RecursiveMutex.h"

#include <new>

#ifdef _WIN32
 #include <windows.h>

namespace platform
{
using Native = CRITICAL_SECTION;
static_assert (sizeof (Native) <= 64, "RecursiveMutex storage too small");

static Native& native (std::uint8_t* storage) noexcept { return *std::launder (reinterpret_cast<Native*> (storage)); }

RecursiveMutex::RecursiveMutex() noexcept
{
    auto* section = new (storage) Native;
    InitializeCriticalSectionEx (section, 0, 0);
}

RecursiveMutex::~RecursiveMutex() { DeleteCriticalSection (&native (storage)); }
void RecursiveMutex::lock() noexcept { EnterCriticalSection (&native (storage)); }
void RecursiveMutex::unlock() noexcept { LeaveCriticalSection (&native (storage)); }
bool RecursiveMutex::tryLock() noexcept { return TryEnterCriticalSection (&native (storage)) != FALSE; }

} // namespace platform

#else
 #include <pthread.h>

namespace platform
{
using Native = pthread_mutex_t;
static_assert (sizeof (Native) <= 64, "RecursiveMutex storage too small");

static Native& native (std::uint8_t* storage) noexcept { return *std::launder (reinterpret_cast<Native*> (storage)); }

RecursiveMutex::RecursiveMutex() noexcept
{
    pthread_mutexattr_t attributes;
    pthread_mutexattr_init (&attributes);
    pthread_mutexattr_settype (&attributes, PTHREAD_MUTEX_RECURSIVE);
    pthread_mutex_init (new (storage) Native, &attributes);
    pthread_mutexattr_destroy (&attributes);
}

RecursiveMutex::~RecursiveMutex() { pthread_mutex_destroy (&native (storage)); }
void RecursiveMutex::lock() noexcept { pthread_mutex_lock (&native (storage)); }
void RecursiveMutex::unlock() noexcept { pthread_mutex_unlock (&native (storage)); }
bool RecursiveMutex::tryLock() noexcept { return pthread_mutex_trylock (&native (storage)) == 0; }

} // namespace platform
#endif
