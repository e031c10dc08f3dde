#include "fw/MessagePump.h"
#include "fw/WinThread.h"

BOOL CWinThread::CreateThread(DWORD dwCreateFlags, UINT nStackSize) {
    m_hThread.Reset(::CreateThread(nullptr, nStackSize, ThreadProc, this, dwCreateFlags, &m_nThreadID));
    return m_hThread ? TRUE : FALSE;
}

DWORD WINAPI CWinThread::ThreadProc(LPVOID pParam) {
    auto* pThread = static_cast<CWinThread*>(pParam);
    const int nExitCode = pThread->InitInstance() ? pThread->Run() : pThread->ExitInstance();
    if (pThread->m_bAutoDelete) {
        // The thread owns the object: the framework's contract for auto-deleting threads.
        delete pThread;
    }
    return static_cast<DWORD>(nExitCode);
}

int CWinThread::Run() {
    MSG msg;
    LONG lIdleCount = 0;
    for (;;) {
        while (!::PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE)) {
            if (!OnIdle(lIdleCount++)) break;
        }
        const BOOL bGot = ::GetMessageW(&msg, nullptr, 0, 0);
        if (bGot <= 0) break;
        AfxPumpMessage(msg);
        lIdleCount = 0;
    }
    return ExitInstance();
}
