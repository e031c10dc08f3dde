#include "fw/Controls.h"

void CProgressCtrl::SetMarquee(BOOL bOn, int nInterval) const {
    const LONG_PTR lStyle = ::GetWindowLongPtrW(m_hWnd, GWL_STYLE);
    if (bOn) {
        ::SetWindowLongPtrW(m_hWnd, GWL_STYLE, lStyle | PBS_MARQUEE);
        SendMessage(PBM_SETMARQUEE, TRUE, nInterval);
    } else {
        SendMessage(PBM_SETMARQUEE, FALSE, 0);
        ::SetWindowLongPtrW(m_hWnd, GWL_STYLE, lStyle & ~static_cast<LONG_PTR>(PBS_MARQUEE));
        SetPos(0);
    }
}

int CListCtrl::InsertColumn(int nCol, const wchar_t* pszHeading, int nFormat, int nWidth) const {
    LVCOLUMNW col = {};
    col.mask = LVCF_TEXT | LVCF_FMT | LVCF_WIDTH | LVCF_SUBITEM;
    col.fmt = nFormat;
    col.cx = nWidth;
    col.pszText = const_cast<wchar_t*>(pszHeading);
    col.iSubItem = nCol;
    return static_cast<int>(SendMessage(LVM_INSERTCOLUMNW, static_cast<WPARAM>(nCol), reinterpret_cast<LPARAM>(&col)));
}

int CListCtrl::InsertItem(int nItem, const wchar_t* pszText) const {
    LVITEMW item = {};
    item.mask = LVIF_TEXT;
    item.iItem = nItem;
    item.pszText = const_cast<wchar_t*>(pszText);
    return static_cast<int>(SendMessage(LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item)));
}

BOOL CListCtrl::SetItemText(int nItem, int nSubItem, const wchar_t* pszText) const {
    LVITEMW item = {};
    item.iSubItem = nSubItem;
    item.pszText = const_cast<wchar_t*>(pszText);
    return static_cast<BOOL>(SendMessage(LVM_SETITEMTEXTW, static_cast<WPARAM>(nItem), reinterpret_cast<LPARAM>(&item)));
}

CString CListCtrl::GetItemText(int nItem, int nSubItem) const {
    // Grow the buffer until the text fits: the control truncates silently.
    for (int nSize = 256;; nSize *= 2) {
        CString strText;
        LVITEMW item = {};
        item.iSubItem = nSubItem;
        item.cchTextMax = nSize;
        item.pszText = strText.GetBuffer(nSize);
        const int n = static_cast<int>(
            SendMessage(LVM_GETITEMTEXTW, static_cast<WPARAM>(nItem), reinterpret_cast<LPARAM>(&item)));
        if (n < nSize - 1 || nSize >= 0x10000) {
            strText.ReleaseBuffer(n < 0 ? 0 : n);
            return strText;
        }
    }
}

BOOL CListCtrl::SetItemState(int nItem, UINT nState, UINT nMask) const {
    LVITEMW item = {};
    item.state = nState;
    item.stateMask = nMask;
    return static_cast<BOOL>(SendMessage(LVM_SETITEMSTATE, static_cast<WPARAM>(nItem), reinterpret_cast<LPARAM>(&item)));
}

BOOL CListCtrl::SetCheck(int nItem, BOOL bCheck) const {
    return SetItemState(nItem, INDEXTOSTATEIMAGEMASK(bCheck ? 2 : 1), LVIS_STATEIMAGEMASK);
}
