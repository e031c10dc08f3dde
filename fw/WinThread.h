// CWinThread: a user-interface thread with its own message loop. The thread runs
// InitInstance, then (when that returns TRUE) pumps messages calling OnIdle while the
// queue is empty, until WM_QUIT; then ExitInstance. With m_bAutoDelete the object
// deletes itself when the thread ends; otherwise its owner deletes it after waiting.
#pragma once

#include "fw/Handle.h"

class CWinThread {
public:
    CWinThread() = default;
    virtual ~CWinThread() = default;
    CWinThread(const CWinThread&) = delete;
    CWinThread& operator=(const CWinThread&) = delete;

    BOOL CreateThread(DWORD dwCreateFlags = 0, UINT nStackSize = 0);
    BOOL PostThreadMessage(UINT msg, WPARAM wParam, LPARAM lParam) const {
        return ::PostThreadMessageW(m_nThreadID, msg, wParam, lParam);
    }
    HANDLE GetThreadHandle() const { return m_hThread.Get(); }
    DWORD GetThreadId() const { return m_nThreadID; }

    virtual BOOL InitInstance() { return FALSE; }
    // Called while the queue is empty; return TRUE for more idle calls before waiting.
    virtual BOOL OnIdle(LONG lCount) { return FALSE; }
    virtual int ExitInstance() { return 0; }

    BOOL m_bAutoDelete = TRUE;

private:
    static DWORD WINAPI ThreadProc(LPVOID pParam);
    int Run();

    CHandle m_hThread;
    DWORD m_nThreadID = 0;
};
