#include "ui/GetFileListDlg.h"

#include "app/VelorixUpdater.h"
#include "app/WindowMessages.h"
#include "app/WindowOrder.h"
#include "app/support/VrxCommon.h"
#include "resources/resource.h"
#include "ui/DialogLayout.h"

namespace {
// The least time the window stays on the screen, so it never just flickers.
const DWORD kMinimumShowMs = 1000;
}  // namespace

CGetFileListPropDlg::CGetFileListPropDlg() : CDialog(IDD_GET_FILE_LIST) {}

CGetFileListPropDlg::~CGetFileListPropDlg() {
    if (m_hWnd) DestroyWindow();
}

BOOL CGetFileListPropDlg::DestroyWindow() {
    if (!m_hWnd) return FALSE;
    const DWORD dwElapsed = GetTickCount() - m_dwStartTick;
    if (dwElapsed < kMinimumShowMs) Sleep(kMinimumShowMs - dwElapsed);
    return CDialog::DestroyWindow();
}

BOOL CGetFileListPropDlg::OnInitDialog() {
    if (m_pFont) ApplyDialogFont(m_hWnd, *m_pFont);
    const CVelorixUpdaterApp* pApp = GetUpdaterApp();
    const int nDpi = GetScreenDpiX();
    if (nDpi > 96 && nDpi <= 120 && pApp && pApp->m_strOSVersion != L"5.1" && GetUILanguageId() == 1041) {
        GrowWindow(m_hWnd, 20, 0);
        NudgeControl(m_hWnd, -1, 10, 0, 10, 0);
        NudgeControl(m_hWnd, IDCANCEL, 10, 0, 0, 0);
        NudgeControl(m_hWnd, IDC_GET_FILE_LIST_PROGRESS, 0, 0, 20, 0);
    }
    return TRUE;
}

void CGetFileListPropDlg::OnCancel() {
    m_bCanceled = 1;
    if (m_pCancelFlag) *m_pCancelFlag = 1;
    ::EnableWindow(GetDlgItem(IDCANCEL), TRUE);
}

BOOL CGetFileListPropDlg::OnMessage(UINT msg, WPARAM, LPARAM, LRESULT&) {
    if (msg == WM_SET_FOREGROUND) SetForegroundEx(m_hWnd);
    return FALSE;
}

CGetFileListDlg::CGetFileListDlg() : m_event(CreateEventW(nullptr, FALSE, FALSE, nullptr)) {
    m_bAutoDelete = FALSE;
}

CGetFileListDlg::~CGetFileListDlg() {
    EndThread();
}

BOOL CGetFileListDlg::InitInstance() {
    m_bCancel = 0;
    m_pDlg = std::make_unique<CGetFileListPropDlg>();
    m_pDlg->m_pCancelFlag = &m_bCancel;
    m_pDlg->m_pFont = m_pFont;
    if (!m_pDlg->Create(IDD_GET_FILE_LIST)) return FALSE;
    m_pDlg->m_dwStartTick = GetTickCount();
    m_hDlg = m_pDlg->m_hWnd;
    m_hProgress = m_pDlg->GetDlgItem(IDC_GET_FILE_LIST_PROGRESS);
    SetEvent(m_event.Get());
    return TRUE;
}

BOOL CGetFileListDlg::OnIdle(LONG) {
    // A WM_QUIT posted before the loop ran is lost; the flag catches that case.
    if (m_bQuit == 1) PostThreadMessage(WM_QUIT, 0, 0);
    return FALSE;
}

int CGetFileListDlg::ExitInstance() {
    m_hProgress = nullptr;
    m_hDlg = nullptr;
    m_pDlg.reset();
    SetEvent(m_event.Get());
    return 0;
}

void CGetFileListDlg::EndThread() {
    const HANDLE hThread = GetThreadHandle();
    if (!hThread || WaitForSingleObject(hThread, 0) == WAIT_OBJECT_0) return;
    PostThreadMessage(WM_QUIT, 0, 0);
    m_bQuit = 1;
    WaitForSingleObject(hThread, INFINITE);
}
