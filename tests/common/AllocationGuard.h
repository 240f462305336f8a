#pragma once

#include <cstdint>

/** Counts heap allocations and frees made by a thread while it is marked as
    the audio thread. Every allocation in the process goes through this
    program's malloc (and operator new), so allocations inside a loaded plug-in
    and inside C libraries count too.
*/
namespace AllocationGuard
{
struct Counts
{
    std::int64_t allocations = 0;
    std::int64_t frees = 0;
};

/** Marks the calling thread as the audio thread for the lifetime of the object
    and collects what it allocated meanwhile. */
class ScopedAudioThread
{
public:
    ScopedAudioThread();
    ~ScopedAudioThread();

    Counts counts() const;

private:
    Counts start;
};

/** False in sanitizer builds: the sanitizers own malloc and operator new, so
    nothing is counted there; the plain build runs the allocation checks. */
bool catchesMalloc();
} // namespace AllocationGuard
