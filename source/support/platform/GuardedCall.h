#pragma once

/** Runs a function under the system's structured-exception guard where there
    is one (Windows): an access violation inside it returns false instead of
    taking the host down. Elsewhere there is no sound way to recover from such
    a fault, so the call runs as it is and returns true. */
namespace platform
{
bool callGuarded (void (*function) (void*), void* context) noexcept;
} // namespace platform
