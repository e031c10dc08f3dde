// WndFunc: the program's cooperation with the maker's setup manager and other updaters.
// It holds the coexistence mutexes, finds the setup manager's windows, and traces every
// operation into its own function log "WndFunc.log".
#pragma once

#include "fw/Array.h"
#include "fw/CriticalSection.h"
#include "fw/String.h"
#include "setupmgr/OwnedMutex.h"

#include <windows.h>
#include <commctrl.h>

// Levels of a function-log record.
enum : int {
    FUNCLOG_ERROR = -1,
    FUNCLOG_TRACE = 0,
};

// The coexistence mutexes, in the order they are taken.
enum : int {
    MUTEX_ID_DRALVEX,           // this program
    MUTEX_ID_ZSU_UPDATER,       // online updater, professional family
    MUTEX_ID_ZSU_UPDATER_QL,    // online updater, second product line
    MUTEX_ID_KWA_AGENTUPDATER,  // scanner-manager agent updater
    MUTEX_ID_VQU_UPDATER,       // online updater, personal-scanner line
    MUTEX_ID_SETUPMANAGER,      // the setup manager
    MUTEX_COUNT,
};

// Results of CheckMutexSub.
enum : int {
    MUTEX_TAKEN = 1,
    MUTEX_ALREADY_EXISTS = 0,
    MUTEX_CREATE_ERROR = -16,
};

// Results of CheckAndSetMutex: positive lets the run go on, zero ends it silently,
// negative means another installation is in progress.
enum : int {
    CHECKMUTEX_OK = 1,
    CHECKMUTEX_SELF_RUNNING = 0,
    CHECKMUTEX_UPDATER_RUNNING = -1,
    CHECKMUTEX_AGENT_RUNNING = -2,
    CHECKMUTEX_NO_DOWNLOAD_LIST = -3,
    CHECKMUTEX_INVALID_WND = -4,
    CHECKMUTEX_INSTALLING = -5,
    CHECKMUTEX_CREATE_ERROR = -16,
};

// Failures of GetListViewItems.
enum : int {
    SMERR_NO_WND = -1,
    SMERR_INVALID_WND = -2,
};

// Capacity of a setup-manager list item's text, in characters.
constexpr int LISTITEM_TEXT_LEN = 260;

class WndFunc {
public:
    // iModeArg 1: started from the DVD (no watching of the setup manager).
    explicit WndFunc(int iModeArg);
    ~WndFunc();
    WndFunc(const WndFunc&) = delete;
    WndFunc& operator=(const WndFunc&) = delete;

    // Function log. iLevel FUNCLOG_ERROR writes an ERROR record, anything else a TRACE record.
    // A null text writes nothing. Safe to call from several threads.
    void WriteFuncLog(int iLevel, const wchar_t* pszText);
    // Formats with one string argument; with a null argument the format is the text.
    void WriteFuncLogFormat(int iLevel, const wchar_t* pszFormat, const wchar_t* pszArg);
    void WriteFuncLogInt(int iLevel, const wchar_t* pszFormat, int iValue);
    // The function log's path below the common application-data folder; FALSE (and an empty
    // szPath) when it does not fit into MAX_PATH characters.
    static BOOL BuildLogPath(const wchar_t* pszCommonAppData, wchar_t (&szPath)[MAX_PATH]);

    // Takes the coexistence mutexes: a CHECKMUTEX_ result. On success they stay held until
    // ReleaseAllMutex or destruction; on any other result none is held.
    int CheckAndSetMutex();
    // Takes one named mutex: MUTEX_TAKEN (hMutex holds it), MUTEX_ALREADY_EXISTS or MUTEX_CREATE_ERROR.
    int CheckMutexSub(const wchar_t* pszName, COwnedMutex& hMutex);
    void ReleaseAllMutex();

    // The window to mask for a setup-manager or online-update title: the top-most visible
    // window of the process that shows that title; null when none.
    HWND SearchWndParent(const wchar_t* pszTitle);
    HWND FindWindowSetupManager();
    HWND FindWindowDownloadPage();

    // The setup manager's list items: the number read, or an SMERR_ result.
    int GetListViewItems(CArray<LVITEMW>& arrItems);
    // Appends the cleaned names of the setup manager's download items: their number, or an SMERR_ result.
    int GetDownloadList(CArray<CString>& names);
    // TRUE when an item text marks a download item; pszName (LISTITEM_TEXT_LEN) gets its cleaned name.
    BOOL IsDownloadsoft(const wchar_t* pszText, wchar_t* pszName);
    void SetMask();
    void FreeMask();

private:
    void InitLog();
    int TakeMutexes();
    int CheckSetupManagerList();

    int iMode = 0;
    CString m_strLogPath;  // empty when the function log is off
    int m_iRecordNo = 0;   // the number the next record gets
    CCriticalSection m_csFuncLog;
    COwnedMutex m_hMutex[MUTEX_COUNT];
};
