#include "ui/DialogLayout.h"

int GetScreenDpiX() {
    const HDC hdc = GetDC(nullptr);
    const int nDpi = hdc ? GetDeviceCaps(hdc, LOGPIXELSX) : 96;
    if (hdc) ReleaseDC(nullptr, hdc);
    return nDpi;
}

void NudgeControl(HWND hDlg, int nId, int dx, int dy, int dw, int dh) {
    const HWND hControl = GetDlgItem(hDlg, nId);
    if (!hControl) return;
    RECT rc = {};
    GetWindowRect(hControl, &rc);
    MapWindowPoints(nullptr, hDlg, reinterpret_cast<POINT*>(&rc), 2);
    MoveWindow(hControl, rc.left + dx, rc.top + dy, rc.right - rc.left + dw, rc.bottom - rc.top + dh, TRUE);
}

void GrowWindow(HWND hWnd, int dw, int dh) {
    RECT rc = {};
    GetWindowRect(hWnd, &rc);
    SetWindowPos(hWnd, nullptr, 0, 0, rc.right - rc.left + dw, rc.bottom - rc.top + dh,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}
