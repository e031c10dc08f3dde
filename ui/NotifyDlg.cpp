#include "ui/NotifyDlg.h"

#include "app/Trace.h"
#include "app/VelorixUpdater.h"
#include "resources/resource.h"

namespace {
const wchar_t kSource[] = L"NotifyDlg";
}  // namespace

CNotifyDlg::CNotifyDlg() : CDialog(IDD_PROXY_NOTIFY) {}

BOOL CNotifyDlg::OnInitDialog() {
    DLV_TRACE_SCOPE(kSource, L"CNotifyDlg::OnInitDialog");
    const CVelorixUpdaterApp* pApp = GetUpdaterApp();
    if (pApp && pApp->m_fontTitle.GetSafeHandle()) CWnd(GetDlgItem(IDC_NOTIFY_TITLE)).SetFont(pApp->m_fontTitle);
    RECT rcWork = {};
    if (SystemParametersInfoW(SPI_GETWORKAREA, 0, &rcWork, 0)) {
        RECT rcWindow = {};
        GetWindowRect(&rcWindow);
        SetWindowPos(nullptr, rcWork.right - (rcWindow.right - rcWindow.left),
                     rcWork.bottom - (rcWindow.bottom - rcWindow.top), 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    return TRUE;
}
