#include "AllocationGuard.h"

#include <atomic>
#include <cstdlib>
#include <new>

namespace
{
thread_local bool onAudioThread = false;
thread_local std::int64_t allocationCount = 0;
thread_local std::int64_t freeCount = 0;

inline void noteAllocation() noexcept
{
    if (onAudioThread)
        ++allocationCount;
}

inline void noteFree (void* p) noexcept
{
    if (onAudioThread && p != nullptr)
        ++freeCount;
}
} // namespace

namespace AllocationGuard
{
ScopedAudioThread::ScopedAudioThread()
{
    start = { allocationCount, freeCount };
    onAudioThread = true;
}

ScopedAudioThread::~ScopedAudioThread()
{
    onAudioThread = false;
}

Counts ScopedAudioThread::counts() const
{
    return { allocationCount - start.allocations, freeCount - start.frees };
}

bool catchesMalloc()
{
    return ! TAVRIK_SANITIZED;
}
} // namespace AllocationGuard

#if ! TAVRIK_SANITIZED
// glibc's own allocator under the names it exports for exactly this purpose.
extern "C"
{
    void* __libc_malloc (size_t);
    void* __libc_calloc (size_t, size_t);
    void* __libc_realloc (void*, size_t);
    void* __libc_memalign (size_t, size_t);
    void __libc_free (void*);

    void* malloc (size_t size)
    {
        noteAllocation();
        return __libc_malloc (size);
    }

    void* calloc (size_t count, size_t size)
    {
        noteAllocation();
        return __libc_calloc (count, size);
    }

    void* realloc (void* p, size_t size)
    {
        noteAllocation();
        return __libc_realloc (p, size);
    }

    void* memalign (size_t alignment, size_t size)
    {
        noteAllocation();
        return __libc_memalign (alignment, size);
    }

    void* aligned_alloc (size_t alignment, size_t size)
    {
        noteAllocation();
        return __libc_memalign (alignment, size);
    }

    int posix_memalign (void** result, size_t alignment, size_t size)
    {
        noteAllocation();
        *result = __libc_memalign (alignment, size);
        return *result != nullptr ? 0 : 12; // ENOMEM
    }

    void free (void* p)
    {
        noteFree (p);
        __libc_free (p);
    }
}
#endif
