#include "CKvlRingBuffer.h"

#include "KvlTrace.h"

#include <algorithm>
#include <cstring>
#include <new>

CKvlRingBuffer::CKvlRingBuffer()
{
    Clear();
}

CKvlRingBuffer::~CKvlRingBuffer()
{
    Destroy();
}

bool CKvlRingBuffer::Create (int sizeBytes)
{
    CKvlScopedLock hold (&mutex);

    if (buffer != nullptr)
        Destroy();

    Clear();

    if (sizeBytes < 0)
        return false;

    try
    {
        buffer = std::make_unique<std::uint8_t[]> ((size_t) sizeBytes); // value-initialised: zero-filled
    }
    catch (const std::bad_alloc&)
    {
        return false;
    }

    capacity = sizeBytes;
    return true;
}

void CKvlRingBuffer::Destroy()
{
    CKvlScopedLock hold (&mutex);
    buffer.reset();
    capacity = 0;
    Clear();
}

void CKvlRingBuffer::Clear()
{
    mutex.Lock();

    if (buffer != nullptr)
        std::memset (buffer.get(), 0, (size_t) capacity);

    writePos = 0;
    readPos = 0;
    available.store (0);
    overflowCount = 0;

    mutex.Unlock();
}

int CKvlRingBuffer::Write (const void* data, int sizeBytes)
{
    if (data == nullptr || sizeBytes <= 0)
        return 0;

    mutex.Lock();
    int taken = 0;

    if (buffer != nullptr)
    {
        const auto* source = static_cast<const std::uint8_t*> (data);

        if (writePos + sizeBytes < capacity)
        {
            std::memcpy (buffer.get() + writePos, source, (size_t) sizeBytes);
            writePos += sizeBytes;
            taken = sizeBytes;
        }
        else
        {
            // Of a write longer than the whole buffer only the newest capacity bytes go in.
            const int excess = sizeBytes > capacity ? sizeBytes - capacity : 0;
            const int first = capacity - writePos;
            const int second = sizeBytes - excess - first;

            std::memcpy (buffer.get() + writePos, source + excess, (size_t) first);
            std::memcpy (buffer.get(), source + excess + first, (size_t) second);
            writePos = second;
            taken = first + second;
        }

        const bool overflowed = available.load() + taken > capacity;
        available.fetch_add (taken);

        if (overflowed)
        {
            // Keep the newest half, ending at writePos.
            readPos = writePos;
            available.store (capacity / 2);
            readPos += capacity / 2;

            if (readPos > capacity)
                readPos -= capacity;

            const auto& module = ringBufferTraceModule();

            if (overflowCount++ % 30 == 0 && isTraceEnabled (module.index, module.levelWarning))
                dbgprintf_ (1, "kvl", module.getName(), "CKvlRingBuffer::Write",
                            "<%s> WARNING: Discarded half buffer on overflow <LOGCOUNT: %d>", name.c_str(), overflowCount);
        }
    }

    mutex.Unlock();
    return taken;
}

int CKvlRingBuffer::Read (void* data, int sizeBytes)
{
    if (data == nullptr)
        return 0;

    mutex.Lock();
    int result = 0;

    if (buffer != nullptr)
    {
        if (readPos > capacity)
        {
            const auto& module = ringBufferTraceModule();

            if (isTraceEnabled (module.index, module.levelWarning))
                dbgprintf_ (1, "kvl", module.getName(), "CKvlRingBuffer::Read",
                            "<%s> Read pointer out of bounds -> buffer size / read pos %5d / %5d", name.c_str(), capacity, readPos);

            readPos -= capacity;
        }

        const int n = std::min (sizeBytes, available.load());

        if (n > 0)
        {
            auto* destination = static_cast<std::uint8_t*> (data);

            if (readPos + n < capacity)
            {
                std::memcpy (destination, buffer.get() + readPos, (size_t) n);
                readPos += n;
            }
            else
            {
                const int first = capacity - readPos;
                std::memcpy (destination, buffer.get() + readPos, (size_t) first);
                std::memcpy (destination + first, buffer.get(), (size_t) (n - first));
                readPos = n - first;
            }

            available.fetch_sub (n);
            result = n;
        }
    }

    mutex.Unlock();
    return result;
}
