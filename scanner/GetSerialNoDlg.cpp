#include "scanner/GetSerialNoDlg.h"

#include "app/MessageBox.h"
#include "app/VelorixUpdater.h"
#include "app/support/VrxCommon.h"
#include "resources/resource.h"

#include <tuple>

// Dialog 5001: the text, a progress bar the main thread drives, and Skip.
class CGetSerialNoDlg::CGetSerialNoPropDlg : public CDialog {
public:
    CGetSerialNoPropDlg(std::atomic<int>* pSkipFlag, std::atomic<int>* pCancelFlag, const CFont* pFont)
        : CDialog(IDD_GET_SERIAL_NO), m_pSkipFlag(pSkipFlag), m_pCancelFlag(pCancelFlag), m_pFont(pFont) {}
    ~CGetSerialNoPropDlg() override { DestroyWindow(); }

    // Destroys the window, not before it has been on screen for one second.
    BOOL DestroyWindow() {
        if (!m_hWnd) return FALSE;
        const DWORD dwShown = GetTickCount() - m_dwStartTick;
        if (dwShown < kMinShownMs) Sleep(kMinShownMs - dwShown);
        return CDialog::DestroyWindow();
    }

    int m_bCanceled = 0;
    std::atomic<int>* m_pSkipFlag;
    std::atomic<int>* m_pCancelFlag;
    const CFont* m_pFont;
    DWORD m_dwStartTick = 0;

protected:
    BOOL OnInitDialog() override {
        if (m_pFont) ApplyDialogFont(m_hWnd, *m_pFont);
        AdjustForJapaneseXp();
        return TRUE;
    }
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override {
        if (LOWORD(wParam) == IDC_GET_SERIAL_SKIP) {
            *m_pSkipFlag = 1;
            ::EnableWindow(GetDlgItem(IDC_GET_SERIAL_SKIP), FALSE);
            return TRUE;
        }
        return CDialog::OnCommand(wParam, lParam);
    }
    // Esc and the close box: ask before cancelling. The window is only hidden, as the
    // thread that owns it destroys it when it ends.
    void OnCancel() override {
        if (ShowMessage(GetUpdaterApp(), nullptr, IDS_CAPTION_QUESTION, IDS_MSG_CANCEL_INSTALL,
                        MB_YESNO | MB_ICONEXCLAMATION | MB_DEFBUTTON2, nullptr, 0, 0) != IDYES) {
            return;
        }
        m_bCanceled = 1;
        *m_pCancelFlag = 1;
        ShowWindow(SW_HIDE);
    }

private:
    static constexpr DWORD kMinShownMs = 1000;

    // The Japanese text of Windows XP at 120 dpi needs a little more room.
    void AdjustForJapaneseXp() const {
        const CVelorixUpdaterApp* pApp = GetUpdaterApp();
        const HDC hdc = ::GetDC(m_hWnd);
        const int nDpi = ::GetDeviceCaps(hdc, LOGPIXELSX);
        ::ReleaseDC(m_hWnd, hdc);
        if (nDpi <= 96 || nDpi > 120 || !pApp || pApp->m_strOSVersion != L"5.1" || GetUILanguageId() != 1041) return;
        RECT rcDlg = {};
        ::GetWindowRect(m_hWnd, &rcDlg);
        MoveAndWiden(m_hWnd, rcDlg, 0, 20);
        for (const auto& [nId, nRight, nWider] : {std::tuple{IDC_GET_SERIAL_TEXT, 10, 10},
                                                  std::tuple{IDC_GET_SERIAL_SKIP, 10, 0},
                                                  std::tuple{IDC_GET_SERIAL_PROGRESS, 0, 20}}) {
            const CWnd control(GetDlgItem(nId));
            MoveAndWiden(control, control.GetRectInParent(), nRight, nWider);
        }
    }
    // Moves a window from rc (its rectangle as SetWindowPos takes it) nRight pixels right, nWider wider.
    static void MoveAndWiden(HWND hWnd, const RECT& rc, int nRight, int nWider) {
        ::SetWindowPos(hWnd, nullptr, rc.left + nRight, rc.top, rc.right - rc.left + nWider, rc.bottom - rc.top,
                       SWP_NOZORDER | SWP_NOACTIVATE);
    }
};

CGetSerialNoDlg::CGetSerialNoDlg(const CFont* pFont)
    : m_event(CreateEventW(nullptr, FALSE, FALSE, nullptr)), m_pFont(pFont) {
    m_bAutoDelete = FALSE;
}

CGetSerialNoDlg::~CGetSerialNoDlg() {
    End();
}

BOOL CGetSerialNoDlg::Start() {
    if (!m_event || !CreateThread()) return FALSE;
    WaitForSingleObject(m_event.Get(), INFINITE);
    return TRUE;
}

void CGetSerialNoDlg::End() {
    if (m_bEnded) return;
    m_bEnded = true;
    if (!GetThreadHandle()) return;
    PostThreadMessage(WM_QUIT, 0, 0);
    m_bQuit = 1;
    WaitForSingleObject(GetThreadHandle(), INFINITE);
    m_event.Reset();
}

BOOL CGetSerialNoDlg::InitInstance() {
    m_bSkip = 0;
    m_bCancel = 0;
    m_pDlg = std::make_unique<CGetSerialNoPropDlg>(&m_bSkip, &m_bCancel, m_pFont);
    if (!m_pDlg->Create(IDD_GET_SERIAL_NO)) return FALSE;
    m_pDlg->m_dwStartTick = GetTickCount();
    m_hDlg = m_pDlg->m_hWnd;
    m_hProgress = m_pDlg->GetDlgItem(IDC_GET_SERIAL_PROGRESS);
    SetEvent(m_event.Get());
    return TRUE;
}

BOOL CGetSerialNoDlg::OnIdle(LONG lCount) {
    if (m_bQuit == 1) PostQuitMessage(0);
    return CWinThread::OnIdle(lCount);
}

int CGetSerialNoDlg::ExitInstance() {
    m_hDlg = nullptr;
    m_hProgress = nullptr;
    m_pDlg.reset();
    SetEvent(m_event.Get());
    return CWinThread::ExitInstance();
}
