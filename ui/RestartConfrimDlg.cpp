#include "ui/RestartConfrimDlg.h"

#include "app/Trace.h"
#include "app/WindowMessages.h"
#include "app/VelorixUpdater.h"
#include "app/support/VrxCommon.h"
#include "resources/resource.h"

namespace {
const wchar_t kSource[] = L"RestartConfrimDlg";
const int kTextLength = 1024;

}  // namespace

CRestartConfrimDlg::CRestartConfrimDlg(CWnd* pMainDlg) : CDialog(IDD_RESTART_CONFIRM, pMainDlg), m_pMainDlg(pMainDlg) {}

BOOL CRestartConfrimDlg::OnInitDialog() {
    DLV_TRACE_SCOPE(kSource, L"CRestartConfrimDlg::OnInitDialog");
    CVelorixUpdaterApp* pApp = GetUpdaterApp();
    if (pApp) ApplyDialogFont(m_hWnd, pApp->m_fontDialog);
    ::SetFocus(GetDlgItem(IDC_RESTART_YES));

    if (pApp && pApp->m_bRestartPending == 1) {
        SetDlgItemText(IDC_RESTART_TEXT, LoadStringLimited(IDS_RESTART_PENDING, kTextLength));
        SetDlgItemText(IDC_RESTART_NO, LoadStringLimited(IDS_RESTART_PENDING_NO, kTextLength));
    } else {
        SetDlgItemText(IDC_RESTART_TEXT, LoadStringLimited(IDS_RESTART_AFTER_INSTALL, kTextLength));
    }
    SetForegroundWindow(m_hWnd);
    m_bAnswered = 0;
    return FALSE;
}

BOOL CRestartConfrimDlg::OnCommand(WPARAM wParam, LPARAM lParam) {
    if (LOWORD(wParam) == IDC_RESTART_YES) {
        OnOK();
        return TRUE;
    }
    return CDialog::OnCommand(wParam, lParam);
}

void CRestartConfrimDlg::OnOK() {
    // Yes: the answer is what the user restarts for; recording it comes with the installation dialogs.
    OnButtonNoRestart();
}

void CRestartConfrimDlg::OnCancel() {
    OnButtonNoRestart();
}

void CRestartConfrimDlg::OnButtonNoRestart() {
    EndDialog(IDOK);
    if (m_pMainDlg) {
        m_pMainDlg->PostMessage(WM_ONLINEUPDATE_CLOSE);
    } else {
        m_bAnswered = 1;
    }
}
