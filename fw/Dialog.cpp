#include "fw/Dialog.h"

#include "fw/ResourceHandle.h"

namespace {
HWND ParentHandle(const CWnd* pParent) {
    return pParent ? pParent->m_hWnd : nullptr;
}
}  // namespace

CDialog::~CDialog() {
    if (m_hWnd && !m_bModal) DestroyWindow();
}

INT_PTR CDialog::DoModal() {
    m_bModal = true;
    const INT_PTR nResult = ::DialogBoxParamW(AfxGetResourceHandle(), MAKEINTRESOURCEW(m_nIDTemplate),
                                              ParentHandle(m_pParentWnd), DialogProc,
                                              reinterpret_cast<LPARAM>(this));
    m_hWnd = nullptr;
    m_bModal = false;
    return nResult;
}

BOOL CDialog::Create(UINT nIDTemplate, CWnd* pParentWnd) {
    m_nIDTemplate = nIDTemplate;
    if (pParentWnd) m_pParentWnd = pParentWnd;
    m_bModal = false;
    const HWND hWnd = ::CreateDialogParamW(AfxGetResourceHandle(), MAKEINTRESOURCEW(m_nIDTemplate),
                                           ParentHandle(m_pParentWnd), DialogProc, reinterpret_cast<LPARAM>(this));
    return hWnd ? TRUE : FALSE;
}

void CDialog::EndDialog(int nResult) {
    if (!m_hWnd) return;
    if (m_bModal) {
        ::EndDialog(m_hWnd, nResult);
    } else {
        DestroyWindow();
    }
}

BOOL CDialog::DestroyWindow() {
    if (!m_hWnd) return FALSE;
    return ::DestroyWindow(m_hWnd);
}

BOOL CDialog::OnCommand(WPARAM wParam, LPARAM lParam) {
    switch (LOWORD(wParam)) {
    case IDOK:
        OnOK();
        return TRUE;
    case IDCANCEL:
        OnCancel();
        return TRUE;
    default:
        return FALSE;
    }
}

INT_PTR CALLBACK CDialog::DialogProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    CDialog* pDlg = nullptr;
    if (msg == WM_INITDIALOG) {
        pDlg = reinterpret_cast<CDialog*>(lParam);
        pDlg->m_hWnd = hWnd;
        ::SetWindowLongPtrW(hWnd, DWLP_USER, reinterpret_cast<LONG_PTR>(pDlg));
    } else {
        pDlg = reinterpret_cast<CDialog*>(::GetWindowLongPtrW(hWnd, DWLP_USER));
    }
    if (!pDlg) return FALSE;
    const INT_PTR nResult = pDlg->Dispatch(msg, wParam, lParam);
    if (msg == WM_NCDESTROY) {
        ::SetWindowLongPtrW(hWnd, DWLP_USER, 0);
        pDlg->m_hWnd = nullptr;
    }
    return nResult;
}

INT_PTR CDialog::Dispatch(UINT msg, WPARAM wParam, LPARAM lParam) {
    LRESULT lResult = 0;
    if (OnMessage(msg, wParam, lParam, lResult)) {
        if (msg == WM_INITDIALOG) return lResult;
        ::SetWindowLongPtrW(m_hWnd, DWLP_MSGRESULT, lResult);
        return TRUE;
    }
    switch (msg) {
    case WM_INITDIALOG:
        return OnInitDialog();
    case WM_COMMAND:
        return OnCommand(wParam, lParam);
    case WM_TIMER:
        OnTimer(wParam);
        return TRUE;
    case WM_DESTROY:
        OnDestroy();
        return FALSE;
    default:
        return FALSE;
    }
}
