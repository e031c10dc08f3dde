// CWnd: a thin handle wrapper for a window the program shows or talks to.
// It does not own the window unless a derived class says so (dialogs destroy their own).
#pragma once

#include "fw/String.h"

#include <windows.h>

class CWnd {
public:
    CWnd() = default;
    explicit CWnd(HWND hWnd) : m_hWnd(hWnd) {}
    virtual ~CWnd() = default;

    HWND GetSafeHwnd() const { return m_hWnd; }
    operator HWND() const { return GetSafeHwnd(); }
    void Attach(HWND hWnd) { m_hWnd = hWnd; }
    HWND Detach() {
        HWND h = m_hWnd;
        m_hWnd = nullptr;
        return h;
    }

    LRESULT SendMessage(UINT msg, WPARAM wParam = 0, LPARAM lParam = 0) const {
        return ::SendMessageW(m_hWnd, msg, wParam, lParam);
    }
    BOOL PostMessage(UINT msg, WPARAM wParam = 0, LPARAM lParam = 0) const {
        return ::PostMessageW(m_hWnd, msg, wParam, lParam);
    }

    BOOL ShowWindow(int nCmdShow) const { return ::ShowWindow(m_hWnd, nCmdShow); }
    BOOL IsWindowVisible() const { return ::IsWindowVisible(m_hWnd); }
    BOOL EnableWindow(BOOL bEnable = TRUE) const { return ::EnableWindow(m_hWnd, bEnable); }
    BOOL SetWindowText(const wchar_t* pszText) const { return ::SetWindowTextW(m_hWnd, pszText); }
    CString GetWindowText() const;
    BOOL SetWindowPos(HWND hWndInsertAfter, int x, int y, int cx, int cy, UINT nFlags) const {
        return ::SetWindowPos(m_hWnd, hWndInsertAfter, x, y, cx, cy, nFlags);
    }
    BOOL MoveWindow(const RECT& rc, BOOL bRepaint = TRUE) const {
        return ::MoveWindow(m_hWnd, rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top, bRepaint);
    }
    void GetWindowRect(RECT* pRect) const { ::GetWindowRect(m_hWnd, pRect); }
    void GetClientRect(RECT* pRect) const { ::GetClientRect(m_hWnd, pRect); }
    // The window's rectangle in the client coordinates of its parent.
    RECT GetRectInParent() const;
    void SetFont(HFONT hFont, BOOL bRedraw = TRUE) const {
        SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(hFont), bRedraw);
    }
    UINT_PTR SetTimer(UINT_PTR nIDEvent, UINT nElapse) const { return ::SetTimer(m_hWnd, nIDEvent, nElapse, nullptr); }
    BOOL KillTimer(UINT_PTR nIDEvent) const { return ::KillTimer(m_hWnd, nIDEvent); }
    void Invalidate(BOOL bErase = TRUE) const { ::InvalidateRect(m_hWnd, nullptr, bErase); }
    HWND SetFocus() const { return ::SetFocus(m_hWnd); }

    HWND GetDlgItem(int nID) const { return ::GetDlgItem(m_hWnd, nID); }
    BOOL SetDlgItemText(int nID, const wchar_t* pszText) const { return ::SetDlgItemTextW(m_hWnd, nID, pszText); }
    CString GetDlgItemText(int nID) const;

    HWND m_hWnd = nullptr;
};
