// Access to the setup manager's list view. Not yet reading the setup manager: for now it
// reports that no setup-manager window is showing.
#include "setupmgr/WndFunc.h"

int WndFunc::GetListViewItems(CArray<LVITEMW>& arrItems) {
    return SMERR_NO_WND;  // not yet reading the setup manager: no items
}

int WndFunc::GetDownloadList(CArray<CString>& names) {
    return SMERR_NO_WND;  // not yet reading the setup manager: no download items
}

BOOL WndFunc::IsDownloadsoft(const wchar_t* pszText, wchar_t* pszName) {
    // Not yet recognising download markers: the text is copied unchanged.
    lstrcpynW(pszName, pszText, LISTITEM_TEXT_LEN);
    return FALSE;
}
