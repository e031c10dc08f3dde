// The update-check progress window: a dialog with a moving bar and a Cancel button,
// on a user-interface thread of its own so it stays responsive while the main thread
// asks the server. Cancel only raises a flag; the update check decides what follows.
#pragma once

#include "fw/Dialog.h"
#include "fw/Font.h"
#include "fw/Handle.h"
#include "fw/WinThread.h"

#include <memory>

class CGetFileListPropDlg : public CDialog {
public:
    CGetFileListPropDlg();
    ~CGetFileListPropDlg() override;
    // Keeps the window on the screen for at least a second in all, then destroys it.
    BOOL DestroyWindow() override;

    int m_bCanceled = 0;
    int* m_pCancelFlag = nullptr;
    const CFont* m_pFont = nullptr;
    DWORD m_dwStartTick = 0;

protected:
    BOOL OnInitDialog() override;
    void OnCancel() override;
    BOOL OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& lResult) override;
};

class CGetFileListDlg : public CWinThread {
public:
    CGetFileListDlg();
    // Ends the thread when the owner has not done so already.
    ~CGetFileListDlg() override;

    BOOL InitInstance() override;
    BOOL OnIdle(LONG lCount) override;
    int ExitInstance() override;
    // Posts WM_QUIT, sets m_bQuit and waits for the thread without a time-out.
    void EndThread();

    CHandle m_event;  // set when the dialog exists, and again when it is gone
    int m_bQuit = 0;
    HWND m_hDlg = nullptr;
    HWND m_hProgress = nullptr;
    int m_bCancel = 0;
    const CFont* m_pFont = nullptr;
    std::unique_ptr<CGetFileListPropDlg> m_pDlg;
};
