#pragma once

#include "CKvlThreadMutex.h"

#include <atomic>
#include <cstdint>
#include <memory>
#include <string>

/** A fixed-capacity byte FIFO with wrap-around.

    A write that runs into unread data keeps only the newest half of the
    capacity and reports the overflow as a trace warning (the 1st, 31st, 61st...
    since the last Clear). Reads never wait: they return what is there.

    Every operation but GetAvailable runs under the buffer's own mutex; only
    Create allocates, so Write and Read are safe on the audio thread.
*/
class CKvlRingBuffer
{
public:
    CKvlRingBuffer();
    virtual ~CKvlRingBuffer();

    /** Discards any storage and allocates sizeBytes zero-filled bytes. */
    bool Create (int sizeBytes);
    void Destroy();
    void Clear();

    /** Appends bytes; returns how many were taken. */
    int Write (const void* data, int sizeBytes);
    /** Removes up to sizeBytes bytes; returns how many were copied. */
    int Read (void* data, int sizeBytes);

    int GetAvailable() const noexcept { return available.load(); }

    int GetCapacity() const noexcept { return capacity; }
    int GetOverflowCount() const noexcept { return overflowCount; }
    void SetName (const std::string& newName) { name = newName; }

    CKvlRingBuffer (const CKvlRingBuffer&) = delete;
    CKvlRingBuffer& operator= (const CKvlRingBuffer&) = delete;

private:
    CKvlThreadMutex mutex;
    std::unique_ptr<std::uint8_t[]> buffer;
    std::int32_t capacity = 0;
    std::int32_t writePos = 0;
    std::int32_t readPos = 0;
    std::atomic<std::int32_t> available { 0 };
    std::string name;
    std::int32_t overflowCount = 0;
};
