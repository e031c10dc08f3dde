#include "tests/setupmgr/SetupMgrTestSupport.h"

#include "tests/common/ProgramRun.h"

#include <shlobj.h>

namespace {

const wchar_t kWindowClass[] = L"DlvSetupMgrTestWindow";

}  // namespace

CString FuncLogPath() {
    wchar_t szFolder[MAX_PATH] = {};
    SHGetFolderPathW(nullptr, CSIDL_COMMON_APPDATA, nullptr, SHGFP_TYPE_DEFAULT, szFolder);
    return CString(szFolder) + L"\\Dralvex\\WndFunc.log";
}

void DeleteFuncLog() {
    const CString strPath = FuncLogPath();
    CreateDirectoryW(strPath.Left(strPath.ReverseFind(L'\\')), nullptr);
    // Drops the profile cache of this process first, which would otherwise outlive the file.
    WritePrivateProfileStringW(nullptr, nullptr, nullptr, strPath);
    DeleteFileW(strPath);
}

CString ReadFuncLogValue(const wchar_t* pszSection, const wchar_t* pszKey) {
    wchar_t szValue[1024] = {};
    GetPrivateProfileStringW(pszSection, pszKey, L"", szValue, 1024, FuncLogPath());
    return CString(szValue);
}

void WriteFuncLogValue(const wchar_t* pszSection, const wchar_t* pszKey, const wchar_t* pszValue) {
    WritePrivateProfileStringW(pszSection, pszKey, pszValue, FuncLogPath());
}

_FuncLogRecord ReadFuncLogRecord(const wchar_t* pszKey) {
    const CString strLine = ReadFuncLogValue(L"LOGDATA", pszKey);
    return {strLine.Left(19), strLine.Mid(20, 5), strLine.Mid(26)};
}

std::vector<_FuncLogRecord> ReadFuncLog() {
    std::vector<_FuncLogRecord> records;
    const int iLast = _wtoi(ReadFuncLogValue(L"LOGINFO", L"LASTRECORD"));
    for (int i = 0; i <= iLast; ++i) {
        CString strKey;
        strKey.Format(L"%08d", i);
        records.push_back(ReadFuncLogRecord(strKey));
    }
    return records;
}

CString LastFuncLogError() {
    const std::vector<_FuncLogRecord> records = ReadFuncLog();
    for (auto it = records.rbegin(); it != records.rend(); ++it) {
        if (it->strLevel == L"ERROR") return it->strText;
    }
    return CString();
}

bool MutexExists(const wchar_t* pszName) {
    const CHandle h(CreateMutexW(nullptr, FALSE, pszName));
    return !h || GetLastError() == ERROR_ALREADY_EXISTS;
}

CTestWindow::CTestWindow(const wchar_t* pszTitle, bool bVisible, HWND hOwner) {
    WNDCLASSW wc{};
    wc.lpfnWndProc = DefWindowProcW;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = kWindowClass;
    RegisterClassW(&wc);  // fails harmlessly once the class exists
    const DWORD dwStyle = (hOwner ? WS_POPUP | WS_CAPTION : WS_OVERLAPPEDWINDOW) | (bVisible ? WS_VISIBLE : 0);
    m_hWnd = CreateWindowExW(0, kWindowClass, pszTitle, dwStyle, 10, 10, 200, 100, hOwner, nullptr, wc.hInstance,
                             nullptr);
}

CTestWindow::~CTestWindow() {
    if (m_hWnd) DestroyWindow(m_hWnd);
}

CMutexHolder::CMutexHolder(const wchar_t* pszMutex, const wchar_t* pszWindowTitle) {
    static int s_iInstance = 0;
    CString strReady, strExit;
    strReady.Format(L"DlvTest_MutexHolder_%lu_%d_ready", GetCurrentProcessId(), ++s_iInstance);
    strExit.Format(L"DlvTest_MutexHolder_%lu_%d_exit", GetCurrentProcessId(), s_iInstance);
    m_hReady.Reset(CreateEventW(nullptr, TRUE, FALSE, strReady));
    m_hExit.Reset(CreateEventW(nullptr, TRUE, FALSE, strExit));

    CString strCommand;
    strCommand.Format(L"\"%s\\MutexHolder.exe\" \"%s\" %s %s", TestBinDir().GetString(), pszMutex,
                      strReady.GetString(), strExit.GetString());
    if (pszWindowTitle) strCommand.AppendFormat(L" \"%s\"", pszWindowTitle);
    STARTUPINFOW si{};
    si.cb = sizeof(si);
    PROCESS_INFORMATION pi{};
    if (!CreateProcessW(nullptr, strCommand.GetBuffer(0), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) {
        return;
    }
    CloseHandle(pi.hThread);
    m_hProcess.Reset(pi.hProcess);
    // Ready, or ended early because it could not take the mutex.
    const HANDLE handles[] = {m_hReady.Get(), m_hProcess.Get()};
    m_bReady = WaitForMultipleObjects(2, handles, FALSE, 20000) == WAIT_OBJECT_0;
}

CMutexHolder::~CMutexHolder() {
    if (!m_hProcess) return;
    SetEvent(m_hExit.Get());
    WaitForSingleObject(m_hProcess.Get(), 20000);
}
