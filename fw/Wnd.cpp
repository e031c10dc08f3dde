#include "fw/Wnd.h"

CString CWnd::GetWindowText() const {
    CString strText;
    const int n = ::GetWindowTextLengthW(m_hWnd);
    if (n > 0) {
        const int nCopied = ::GetWindowTextW(m_hWnd, strText.GetBuffer(n + 1), n + 1);
        strText.ReleaseBuffer(nCopied > 0 ? nCopied : 0);
    }
    return strText;
}

CString CWnd::GetDlgItemText(int nID) const {
    return CWnd(GetDlgItem(nID)).GetWindowText();
}

RECT CWnd::GetRectInParent() const {
    RECT rc = {};
    ::GetWindowRect(m_hWnd, &rc);
    ::MapWindowPoints(nullptr, ::GetParent(m_hWnd), reinterpret_cast<POINT*>(&rc), 2);
    return rc;
}
