// Finding the setup manager's and the online-update tools' windows by the titles of the
// string table.
#include "setupmgr/WndFunc.h"
#include "setupmgr/WndTitles.h"

namespace {

// The setup managers' titles, in the order they are searched.
const UINT kSetupManagerTitles[] = {WndTitle::SETUPMAN_ZORV, WndTitle::SETUPMAN_QL, WndTitle::SETUPMAN_QUILLET,
                                    WndTitle::SETUPMAN_VQ};

CString LoadTitle(UINT nTitleId) {
    CString strTitle;
    strTitle.LoadString(nTitleId);
    return strTitle;
}

// The top-level window with that exact title. An empty title (one missing from the string
// table) finds nothing, as it would match any untitled window.
HWND FindTitledWindow(const wchar_t* pszTitle) {
    return pszTitle && *pszTitle ? FindWindowW(nullptr, pszTitle) : nullptr;
}

}  // namespace

HWND WndFunc::SearchWndParent(const wchar_t* pszTitle) {
    WriteFuncLog(FUNCLOG_TRACE, L"IN :SearchWndParent()");
    HWND hWnd = FindTitledWindow(pszTitle);
    if (!hWnd) {
        WriteFuncLogFormat(FUNCLOG_ERROR, L"FindWindow() returns NULL. target=%s", pszTitle);
        return nullptr;
    }
    DWORD dwProcessId = 0;
    if (!GetWindowThreadProcessId(hWnd, &dwProcessId)) {
        WriteFuncLogInt(FUNCLOG_ERROR, L"GetWindowThreadProcessId() error. %08x", static_cast<int>(GetLastError()));
        return nullptr;
    }

    // Dialogs the same program shows above the titled window are the ones taking its input.
    HWND hResult = hWnd;
    for (HWND hPrev = GetWindow(hWnd, GW_HWNDPREV); hPrev; hPrev = GetWindow(hPrev, GW_HWNDPREV)) {
        DWORD dwPrevProcessId = 0;
        GetWindowThreadProcessId(hPrev, &dwPrevProcessId);
        if (dwPrevProcessId != dwProcessId) break;
        if (IsWindowVisible(hPrev)) hResult = hPrev;
    }
    WriteFuncLog(FUNCLOG_TRACE, L"OUT:SearchWndParent()");
    return hResult;
}

HWND WndFunc::FindWindowSetupManager() {
    for (const UINT nTitleId : kSetupManagerTitles) {
        const CString strTitle = LoadTitle(nTitleId);
        HWND hWnd = FindTitledWindow(strTitle);
        if (!hWnd) continue;
        // A window of the same title that owns the one found is the setup manager's main window.
        HWND hParent = GetParent(hWnd);
        if (!hParent) return hWnd;
        wchar_t szParentTitle[256] = {};
        GetWindowTextW(hParent, szParentTitle, 256);
        return strTitle == szParentTitle ? hParent : hWnd;
    }
    return nullptr;
}

HWND WndFunc::FindWindowDownloadPage() {
    for (const UINT nTitleId : kSetupManagerTitles) {
        HWND hWnd = FindTitledWindow(LoadTitle(nTitleId));
        if (!hWnd) continue;
        if (GetParent(hWnd)) return hWnd;
        break;
    }
    return FindTitledWindow(LoadTitle(WndTitle::DOWNLOAD_PAGE));
}
