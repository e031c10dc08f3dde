// CCriticalSection: an in-process lock; CSingleLock holds one for a scope.
#pragma once

#include <windows.h>

class CCriticalSection {
public:
    CCriticalSection() { InitializeCriticalSection(&m_cs); }
    ~CCriticalSection() { DeleteCriticalSection(&m_cs); }
    CCriticalSection(const CCriticalSection&) = delete;
    CCriticalSection& operator=(const CCriticalSection&) = delete;

    void Lock() { EnterCriticalSection(&m_cs); }
    void Unlock() { LeaveCriticalSection(&m_cs); }

private:
    CRITICAL_SECTION m_cs;
};

class CSingleLock {
public:
    explicit CSingleLock(CCriticalSection& cs) : m_cs(cs) { m_cs.Lock(); }
    ~CSingleLock() { m_cs.Unlock(); }
    CSingleLock(const CSingleLock&) = delete;
    CSingleLock& operator=(const CSingleLock&) = delete;

private:
    CCriticalSection& m_cs;
};
