#include "tests/common/DialogProbe.h"

namespace {

struct FindContext {
    DWORD dwProcessId;
    const wchar_t* pszClass;
    HWND hFound;
};

bool IsDialogClass(HWND hWnd, const wchar_t* pszClass) {
    wchar_t szClass[128] = {};
    GetClassNameW(hWnd, szClass, 128);
    if (pszClass) return wcscmp(szClass, pszClass) == 0;
    return wcscmp(szClass, L"#32770") == 0 || wcscmp(szClass, L"zorvSeries_Downloader_WindowClass") == 0;
}

BOOL CALLBACK FindProc(HWND hWnd, LPARAM lParam) {
    auto* pContext = reinterpret_cast<FindContext*>(lParam);
    DWORD dwPid = 0;
    GetWindowThreadProcessId(hWnd, &dwPid);
    if ((pContext->dwProcessId == 0 || dwPid == pContext->dwProcessId) && IsWindowVisible(hWnd) &&
        IsDialogClass(hWnd, pContext->pszClass)) {
        pContext->hFound = hWnd;
        return FALSE;
    }
    return TRUE;
}

CString WindowText(HWND hWnd) {
    wchar_t szText[2048] = {};
    SendMessageW(hWnd, WM_GETTEXT, 2048, reinterpret_cast<LPARAM>(szText));
    return CString(szText);
}

BOOL CALLBACK CollectStatics(HWND hChild, LPARAM lParam) {
    wchar_t szClass[64] = {};
    GetClassNameW(hChild, szClass, 64);
    if (_wcsicmp(szClass, L"Static") == 0) {
        const CString strText = WindowText(hChild);
        if (!strText.IsEmpty()) reinterpret_cast<std::vector<CString>*>(lParam)->push_back(strText);
    }
    return TRUE;
}

}  // namespace

bool DialogTexts::Contains(const wchar_t* pszText) const {
    for (const CString& strText : arrTexts) {
        if (strText == pszText) return true;
    }
    return false;
}

HWND WaitForDialog(DWORD dwProcessId, const wchar_t* pszClass, DWORD dwTimeoutMs) {
    const DWORD dwStart = GetTickCount();
    do {
        FindContext context = {dwProcessId, pszClass, nullptr};
        EnumWindows(FindProc, reinterpret_cast<LPARAM>(&context));
        if (context.hFound) return context.hFound;
        Sleep(50);
    } while (GetTickCount() - dwStart < dwTimeoutMs);
    return nullptr;
}

DialogTexts ReadDialog(HWND hDlg) {
    DialogTexts texts;
    texts.hWnd = hDlg;
    texts.strCaption = WindowText(hDlg);
    EnumChildWindows(hDlg, CollectStatics, reinterpret_cast<LPARAM>(&texts.arrTexts));
    return texts;
}

void PressButton(HWND hDlg, int nButtonId) {
    // The command a click sends; it reaches the dialog whether or not it is active.
    PostMessageW(hDlg, WM_COMMAND, MAKEWPARAM(nButtonId, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(hDlg, nButtonId)));
}
