// The dialog fonts: one face at 8 points for the dialogs and a bold, larger one for headings.
#include "app/support/VrxCommon.h"

namespace {

constexpr int kDialogPoints = 8;
constexpr int kTitlePoints = 10;

LOGFONTW MakeLogFont(const wchar_t* pszFaceName, int nPoints, LONG lWeight, int nDpi) {
    LOGFONTW lf = {};
    lf.lfHeight = -MulDiv(nPoints, nDpi, 72);
    lf.lfWeight = lWeight;
    lf.lfCharSet = DEFAULT_CHARSET;
    lf.lfOutPrecision = OUT_DEFAULT_PRECIS;
    lf.lfClipPrecision = CLIP_DEFAULT_PRECIS;
    lf.lfQuality = DEFAULT_QUALITY;
    lf.lfPitchAndFamily = DEFAULT_PITCH | FF_DONTCARE;
    lstrcpynW(lf.lfFaceName, pszFaceName, LF_FACESIZE);
    return lf;
}

int ScreenDpi() {
    const HDC hdc = GetDC(nullptr);
    const int nDpi = hdc ? GetDeviceCaps(hdc, LOGPIXELSY) : 96;
    if (hdc) ReleaseDC(nullptr, hdc);
    return nDpi > 0 ? nDpi : 96;
}

BOOL CALLBACK SetFontOnChild(HWND hChild, LPARAM lParam) {
    SendMessageW(hChild, WM_SETFONT, static_cast<WPARAM>(lParam), TRUE);
    return TRUE;
}

}  // namespace

BOOL CreateDialogFonts(const wchar_t* pszFaceName, CFont& fontDialog, CFont& fontTitle) {
    if (!pszFaceName || !*pszFaceName) return FALSE;
    const int nDpi = ScreenDpi();
    const LOGFONTW lfDialog = MakeLogFont(pszFaceName, kDialogPoints, FW_NORMAL, nDpi);
    const LOGFONTW lfTitle = MakeLogFont(pszFaceName, kTitlePoints, FW_BOLD, nDpi);
    const BOOL bDialog = fontDialog.CreateFontIndirect(&lfDialog);
    const BOOL bTitle = fontTitle.CreateFontIndirect(&lfTitle);
    return bDialog && bTitle;
}

void ApplyDialogFont(HWND hWnd, const CFont& font) {
    if (!IsWindow(hWnd) || !font.GetSafeHandle()) return;
    const auto wParam = reinterpret_cast<WPARAM>(font.GetSafeHandle());
    SendMessageW(hWnd, WM_SETFONT, wParam, TRUE);
    EnumChildWindows(hWnd, SetFontOnChild, static_cast<LPARAM>(wParam));
}
