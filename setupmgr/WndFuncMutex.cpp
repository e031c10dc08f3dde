// The coexistence mutexes: while this program runs it holds the named mutexes by which the
// maker's updaters and setup manager recognise each other, and it refuses to run while one
// of them is held elsewhere.
#include "setupmgr/WndFunc.h"

namespace {

struct _MutexName {
    const wchar_t* pszName;
    const wchar_t* pszLogId;
};

const _MutexName kMutexNames[MUTEX_COUNT] = {
    {L"zorv_Dralvex", L"MUTEX_ID_DRALVEX"},
    {L"zorvSeriesOnlineUpdate_Updater", L"MUTEX_ID_ZSU_UPDATER"},
    {L"QuilletOnlineUpdate_Updater", L"MUTEX_ID_ZSU_UPDATER_QL"},
    {L"Global\\zorvAgentUpdater_Mutex", L"MUTEX_ID_KWA_AGENTUPDATER"},
    {L"VelorixOnlineUpdate_Updater", L"MUTEX_ID_VQU_UPDATER"},
    {L"CustomWrapper_Setup", L"MUTEX_ID_SETUPMANAGER"},
};

// Creates a named mutex owned by the calling thread. A mutex that already existed is closed
// again without ReleaseMutex: this thread never got its ownership.
int CreateOwnedMutex(const wchar_t* pszName, COwnedMutex& hMutex) {
    CHandle h(CreateMutexW(nullptr, TRUE, pszName));
    if (!h) return MUTEX_CREATE_ERROR;
    if (GetLastError() == ERROR_ALREADY_EXISTS) return MUTEX_ALREADY_EXISTS;
    hMutex = COwnedMutex(h.Release());
    return MUTEX_TAKEN;
}

void LogCheckMutexSub(WndFunc& wndFunc, int iLevel, int iMutexId, int iResult) {
    wndFunc.WriteFuncLogFormat(iLevel,
                               iResult == MUTEX_CREATE_ERROR ? L"CheckMutexSub(%s) returns MUTEX_CREATE_ERROR"
                                                             : L"CheckMutexSub(%s) returns MUTEX_ALREADY_EXISTS",
                               kMutexNames[iMutexId].pszLogId);
}

}  // namespace

int WndFunc::CheckMutexSub(const wchar_t* pszName, COwnedMutex& hMutex) {
    WriteFuncLog(FUNCLOG_TRACE, L"IN :CheckMutexSub()");
    const int iRet = CreateOwnedMutex(pszName, hMutex);
    if (iRet == MUTEX_TAKEN) WriteFuncLog(FUNCLOG_TRACE, L"OUT:CheckMutexSub()");
    return iRet;
}

int WndFunc::CheckAndSetMutex() {
    WriteFuncLog(FUNCLOG_TRACE, L"IN :CheckAndSetMutex()");
    const int iRet = TakeMutexes();
    if (iRet <= 0) ReleaseAllMutex();
    WriteFuncLog(FUNCLOG_TRACE, L"OUT:CheckAndSetMutex()");
    return iRet;
}

int WndFunc::TakeMutexes() {
    // Another instance of this program: bring its window to the front and end quietly.
    const int iOwn = CreateOwnedMutex(kMutexNames[MUTEX_ID_DRALVEX].pszName, m_hMutex[MUTEX_ID_DRALVEX]);
    if (iOwn == MUTEX_CREATE_ERROR) {
        LogCheckMutexSub(*this, FUNCLOG_ERROR, MUTEX_ID_DRALVEX, iOwn);
        return CHECKMUTEX_CREATE_ERROR;
    }
    if (iOwn == MUTEX_ALREADY_EXISTS) {
        if (HWND hWnd = FindWindowW(nullptr, L"Dralvex")) {
            SetWindowPos(hWnd, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
        }
        return CHECKMUTEX_SELF_RUNNING;
    }

    for (int iId = MUTEX_ID_ZSU_UPDATER; iId <= MUTEX_ID_VQU_UPDATER; ++iId) {
        const int iRet = CheckMutexSub(kMutexNames[iId].pszName, m_hMutex[iId]);
        if (iRet == MUTEX_TAKEN) continue;
        LogCheckMutexSub(*this, FUNCLOG_ERROR, iId, iRet);
        if (iRet == MUTEX_CREATE_ERROR) return CHECKMUTEX_CREATE_ERROR;
        return iId == MUTEX_ID_KWA_AGENTUPDATER ? CHECKMUTEX_AGENT_RUNNING : CHECKMUTEX_UPDATER_RUNNING;
    }

    const int iRet = CheckMutexSub(kMutexNames[MUTEX_ID_SETUPMANAGER].pszName, m_hMutex[MUTEX_ID_SETUPMANAGER]);
    if (iRet == MUTEX_CREATE_ERROR) {
        LogCheckMutexSub(*this, FUNCLOG_ERROR, MUTEX_ID_SETUPMANAGER, iRet);
        return CHECKMUTEX_CREATE_ERROR;
    }
    if (iRet == MUTEX_TAKEN) return CHECKMUTEX_OK;
    LogCheckMutexSub(*this, FUNCLOG_TRACE, MUTEX_ID_SETUPMANAGER, iRet);
    return CheckSetupManagerList();
}

// The setup manager runs: this program may go on only when its list holds download items
// and it is not installing an item of its own.
int WndFunc::CheckSetupManagerList() {
    CArray<LVITEMW> arrItems;
    const int iCount = GetListViewItems(arrItems);
    if (iCount == SMERR_INVALID_WND) {
        WriteFuncLog(FUNCLOG_ERROR, L"GetListViewItems() returns SMERR_INVALID_WND");
        return CHECKMUTEX_INVALID_WND;
    }
    if (iCount < 0) {
        WriteFuncLogInt(FUNCLOG_ERROR, L"GetListViewItems() returns %d", CHECKMUTEX_NO_DOWNLOAD_LIST);
        return CHECKMUTEX_NO_DOWNLOAD_LIST;
    }
    if (arrItems.IsEmpty()) {
        WriteFuncLogInt(FUNCLOG_ERROR, L"GetCount() returns %d", CHECKMUTEX_NO_DOWNLOAD_LIST);
        return CHECKMUTEX_NO_DOWNLOAD_LIST;
    }

    CArray<BOOL> arrDownload;
    bool bItemValid = false;
    for (const LVITEMW& item : arrItems) {
        wchar_t szName[LISTITEM_TEXT_LEN];
        const BOOL bDownload = IsDownloadsoft(item.pszText, szName);
        arrDownload.Add(bDownload);
        if (bDownload) bItemValid = true;
    }
    if (!bItemValid) {
        WriteFuncLog(FUNCLOG_ERROR, L"bItemValid false");
        return CHECKMUTEX_NO_DOWNLOAD_LIST;
    }
    WriteFuncLogInt(FUNCLOG_TRACE, L"IsDownloadsoft() returns %d", 1);

    // Image 1 (installing) or 3 (failed) on one of its own items: the setup manager is installing.
    int iRet = CHECKMUTEX_OK;
    for (int i = 0; i < arrItems.GetSize(); ++i) {
        if (!arrDownload[i] && (arrItems[i].iImage == 1 || arrItems[i].iImage == 3)) {
            WriteFuncLog(FUNCLOG_ERROR, L"bInstalling");
            iRet = CHECKMUTEX_INSTALLING;
        }
    }
    return iRet;
}

void WndFunc::ReleaseAllMutex() {
    WriteFuncLog(FUNCLOG_TRACE, L"IN :ReleaseAllMutex()");
    for (int iId = MUTEX_ID_ZSU_UPDATER; iId < MUTEX_COUNT; ++iId) m_hMutex[iId].Reset();
    m_hMutex[MUTEX_ID_DRALVEX].Reset();
    WriteFuncLog(FUNCLOG_TRACE, L"OUT:ReleaseAllMutex()");
}
