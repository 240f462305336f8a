#include "CKvlThreadMutex.h"

void CKvlThreadMutex::Lock() { section.lock(); }
void CKvlThreadMutex::Unlock() { section.unlock(); }
bool CKvlThreadMutex::TryLock() { return section.tryLock(); }

CKvlScopedLock::CKvlScopedLock (CKvlThreadMutex* mutexToLock)
    : mutex (mutexToLock)
{
    if (mutex != nullptr)
    {
        mutex->Lock();
        locked = true;
    }
}

CKvlScopedLock::~CKvlScopedLock()
{
    if (locked)
    {
        mutex->Unlock();
        locked = false;
    }
}
