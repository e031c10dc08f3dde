// CGetSerialNoDlg: the detection dialog (5001) on a user-interface thread of its own, so it
// stays responsive while the main thread runs the scanner-information tool. The user's Skip
// and a confirmed Cancel reach the main thread as the flags m_bSkip and m_bCancel.
#pragma once

#include "fw/Dialog.h"
#include "fw/Font.h"
#include "fw/Handle.h"
#include "fw/WinThread.h"

#include <atomic>
#include <memory>

class CGetSerialNoDlg : public CWinThread {
public:
    explicit CGetSerialNoDlg(const CFont* pFont);
    ~CGetSerialNoDlg() override;

    // Starts the thread and waits until its dialog exists (or the thread gave up); FALSE
    // when no thread could be started.
    BOOL Start();
    // Ends the thread and waits for it; the dialog stays on screen at least one second in all.
    void End();

    BOOL InitInstance() override;
    BOOL OnIdle(LONG lCount) override;
    int ExitInstance() override;

    CHandle m_event;  // the ready event: set when the dialog exists and when the thread ends
    std::atomic<int> m_bQuit{0};
    HWND m_hDlg = nullptr;
    HWND m_hProgress = nullptr;
    std::atomic<int> m_bSkip{0};
    std::atomic<int> m_bCancel{0};
    const CFont* m_pFont;

private:
    class CGetSerialNoPropDlg;
    std::unique_ptr<CGetSerialNoPropDlg> m_pDlg;
    bool m_bEnded = false;
};
