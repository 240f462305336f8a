#pragma once

#include "platform/RecursiveMutex.h"

/** The support library's mutex: re-entrant for the thread that holds it, so a
    locked operation may call another locked operation of the same object.
*/
class CKvlThreadMutex
{
public:
    CKvlThreadMutex() = default;
    virtual ~CKvlThreadMutex() = default;

    virtual void Lock();
    virtual void Unlock();
    virtual bool TryLock();

private:
    platform::RecursiveMutex section;
};

/** Holds a CKvlThreadMutex for the lifetime of the holder. */
class CKvlScopedLock
{
public:
    explicit CKvlScopedLock (CKvlThreadMutex* mutexToLock);
    ~CKvlScopedLock();

    CKvlScopedLock (const CKvlScopedLock&) = delete;
    CKvlScopedLock& operator= (const CKvlScopedLock&) = delete;

private:
    CKvlThreadMutex* mutex;
    bool locked = false;
};
