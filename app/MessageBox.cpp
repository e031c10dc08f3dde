#include "app/MessageBox.h"

#include "app/support/VrxCommon.h"
#include "fw/Handle.h"
#include "fw/ResourceHandle.h"
#include "fw/String.h"
#include "fw/WinApp.h"

#include <cwchar>

namespace {

const int kCaptionLength = 260;
const int kTextLength = 1024;

// While a message box is being created on this thread, brings it to the front.
LRESULT CALLBACK MessageBoxHookProc(int nCode, WPARAM wParam, LPARAM lParam) {
    if (nCode == HC_ACTION) {
        const auto* pMsg = reinterpret_cast<const CWPSTRUCT*>(lParam);
        if (pMsg->message == WM_INITDIALOG) AdjustDialogWindow(pMsg->hwnd);
    }
    return CallNextHookEx(nullptr, nCode, wParam, lParam);
}

bool IsArabic(WORD wLanguage) {
    return PRIMARYLANGID(wLanguage) == LANG_ARABIC;
}


}  // namespace

int ShowMessage(CWinApp* pApp, HWND hOwner, UINT nCaptionId, UINT nTextId, UINT uStyle, MSGBOXCALLBACK lpfnHelp,
                DWORD dwContextHelpId, DWORD dwReserved, ...) {
    const CString strCaption = LoadStringLimited(nCaptionId, kCaptionLength);
    const CString strTemplate = LoadStringLimited(nTextId, kTextLength);
    CString strText;
    va_list args;
    va_start(args, dwReserved);
    strText.FormatV(strTemplate, args);
    va_end(args);

    MSGBOXPARAMSW params = {};
    params.cbSize = sizeof(params);
    params.hwndOwner = hOwner;
    params.hInstance = pApp ? pApp->m_hInstance : AfxGetInstanceHandle();
    params.lpszText = strText;
    params.lpszCaption = strCaption;
    params.dwStyle = uStyle | MB_SETFOREGROUND | (dwContextHelpId ? MB_HELP : 0);
    params.dwContextHelpId = dwContextHelpId;
    params.lpfnMsgBoxCallback = lpfnHelp;
    params.dwLanguageId = GetMessageLanguage();
    if (IsArabic(static_cast<WORD>(params.dwLanguageId))) params.dwStyle |= MB_RIGHT | MB_RTLREADING;

    const CHook hook(SetWindowsHookExW(WH_CALLWNDPROC, MessageBoxHookProc, nullptr, GetCurrentThreadId()));
    return MessageBoxIndirectW(&params);
}

WORD MapMessageLanguage(WORD wSystemLanguage) {
    switch (wSystemLanguage) {
    case 0x1004:
        return 0x09;
    case 0x0404:
    case 0x0C04:
    case 0x1404:
        return 0x0404;
    case 0x0804:
        return 0x0804;
    default:
        break;
    }
    // Everything else keeps its low byte; so every Arabic locale (0x0401 ... 0x4001) gives
    // LANG_ARABIC, whose boxes read right to left.
    return static_cast<WORD>(wSystemLanguage & 0xFF);
}

WORD GetMessageLanguage() {
    wchar_t szLanguage[kCaptionLength] = {};
    if (GetLocaleInfoW(LOCALE_SYSTEM_DEFAULT, LOCALE_IDEFAULTLANGUAGE, szLanguage, kCaptionLength) <= 0) {
        return LANG_ENGLISH;
    }
    wchar_t* pEnd = nullptr;
    const unsigned long ulLanguage = wcstoul(szLanguage, &pEnd, 16);
    if (pEnd == szLanguage || *pEnd != L'\0' || ulLanguage > 0xFFFF) return LANG_ENGLISH;
    return MapMessageLanguage(static_cast<WORD>(ulLanguage));
}
