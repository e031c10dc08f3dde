// Thin wrappers for the common controls the dialogs use: each only sends the
// control's own messages to the window it is attached to.
#pragma once

#include "fw/Wnd.h"

#include <commctrl.h>
#include <richedit.h>

class CButton : public CWnd {
public:
    int GetCheck() const { return static_cast<int>(SendMessage(BM_GETCHECK)); }
    void SetCheck(int nCheck) const { SendMessage(BM_SETCHECK, static_cast<WPARAM>(nCheck)); }
    void SetShield(BOOL bShield) const { SendMessage(BCM_SETSHIELD, 0, bShield); }
};

class CProgressCtrl : public CWnd {
public:
    void SetRange32(int nLower, int nUpper) const { SendMessage(PBM_SETRANGE32, nLower, nUpper); }
    int SetPos(int nPos) const { return static_cast<int>(SendMessage(PBM_SETPOS, static_cast<WPARAM>(nPos))); }
    int GetPos() const { return static_cast<int>(SendMessage(PBM_GETPOS)); }
    // Marquee mode needs the PBS_MARQUEE style; both are switched together.
    void SetMarquee(BOOL bOn, int nInterval) const;
};

class CListCtrl : public CWnd {
public:
    DWORD SetExtendedStyle(DWORD dwExStyle) const {
        return static_cast<DWORD>(SendMessage(LVM_SETEXTENDEDLISTVIEWSTYLE, 0, dwExStyle));
    }
    int InsertColumn(int nCol, const wchar_t* pszHeading, int nFormat, int nWidth) const;
    int InsertItem(int nItem, const wchar_t* pszText) const;
    BOOL SetItemText(int nItem, int nSubItem, const wchar_t* pszText) const;
    CString GetItemText(int nItem, int nSubItem) const;
    int GetItemCount() const { return static_cast<int>(SendMessage(LVM_GETITEMCOUNT)); }
    BOOL DeleteAllItems() const { return static_cast<BOOL>(SendMessage(LVM_DELETEALLITEMS)); }
    BOOL GetCheck(int nItem) const {
        return ((static_cast<UINT>(SendMessage(LVM_GETITEMSTATE, static_cast<WPARAM>(nItem), LVIS_STATEIMAGEMASK)) >> 12) - 1) != 0;
    }
    BOOL SetCheck(int nItem, BOOL bCheck = TRUE) const;
    BOOL SetItemState(int nItem, UINT nState, UINT nMask) const;
    UINT GetItemState(int nItem, UINT nMask) const {
        return static_cast<UINT>(SendMessage(LVM_GETITEMSTATE, static_cast<WPARAM>(nItem), nMask));
    }
    int GetNextItem(int nItem, int nFlags) const {
        return static_cast<int>(SendMessage(LVM_GETNEXTITEM, static_cast<WPARAM>(nItem), MAKELPARAM(nFlags, 0)));
    }
};

class CRichEditCtrl : public CWnd {
public:
    // Replaces the content with the stream's text (SF_RTF or SF_TEXT); returns the characters read.
    long StreamIn(int nFormat, EDITSTREAM& es) const {
        return static_cast<long>(SendMessage(EM_STREAMIN, static_cast<WPARAM>(nFormat), reinterpret_cast<LPARAM>(&es)));
    }
    void SetBackgroundColor(BOOL bSysColor, COLORREF cr) const { SendMessage(EM_SETBKGNDCOLOR, bSysColor, cr); }
    long GetTextLength() const { return static_cast<long>(SendMessage(WM_GETTEXTLENGTH)); }
    void SetSel(long nStart, long nEnd) const { SendMessage(EM_SETSEL, static_cast<WPARAM>(nStart), nEnd); }
};
