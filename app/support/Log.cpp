// The main log: one UTF-8 line per entry, appended to <common application data>\Dralvex\Dralvex.log.
#include "app/support/VrxCommon.h"

#include "fw/Handle.h"

#include <shlobj.h>

#include <mutex>
#include <string>

namespace {

// Serialises the lines of this process. Appending with one write to a file opened for
// appending keeps other processes' lines apart on Windows, but not on every system that
// runs Windows programs (Wine positions each append separately), so a named mutex also
// serialises the writers of all processes of the session.
std::mutex g_logLock;
const wchar_t kLogMutexName[] = L"zorv_Dralvex_log_mutex";
constexpr DWORD kLogMutexWaitMs = 5000;

// Holds the cross-process log mutex while it lives; when the mutex is missing or a
// writer hangs, the line is written without it rather than lost.
class CLogMutexLock {
public:
    explicit CLogMutexLock(HANDLE hMutex) : m_hMutex(hMutex) {
        if (m_hMutex) {
            const DWORD dwWait = WaitForSingleObject(m_hMutex, kLogMutexWaitMs);
            m_bOwned = dwWait == WAIT_OBJECT_0 || dwWait == WAIT_ABANDONED;
        }
    }
    ~CLogMutexLock() {
        if (m_bOwned) ReleaseMutex(m_hMutex);
    }
    CLogMutexLock(const CLogMutexLock&) = delete;
    CLogMutexLock& operator=(const CLogMutexLock&) = delete;

private:
    HANDLE m_hMutex;
    bool m_bOwned = false;
};

CString LogFolder() {
    wchar_t szAppData[MAX_PATH] = {};
    if (FAILED(SHGetFolderPathW(nullptr, CSIDL_COMMON_APPDATA, nullptr, SHGFP_TYPE_CURRENT, szAppData)))
        return CString();
    return CString(szAppData) + L"\\Dralvex";
}

CHandle OpenLogForAppend(const CString& strFolder) {
    const CString strPath = strFolder + L"\\Dralvex.log";
    auto open = [&] {
        return CHandle(CreateFileW(strPath, FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                   nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    };
    CHandle hFile = open();
    if (!hFile && GetLastError() == ERROR_PATH_NOT_FOUND && CreateDirectoryW(strFolder, nullptr)) hFile = open();
    return hFile;
}

// "2026-12-11 11:14:32.123 [3] 1234:5678 VelorixUpdater(241) text\r\n"
CString FormatLine(const wchar_t* pszSourceFile, int nLine, const wchar_t* pszText, int nLevel) {
    SYSTEMTIME st;
    GetLocalTime(&st);
    CString strLine;
    strLine.Format(L"%04u-%02u-%02u %02u:%02u:%02u.%03u [%d] %lu:%lu ", st.wYear, st.wMonth, st.wDay, st.wHour,
                   st.wMinute, st.wSecond, st.wMilliseconds, nLevel, GetCurrentProcessId(), GetCurrentThreadId());
    strLine += pszSourceFile;
    strLine.AppendFormat(L"(%d) ", nLine);
    strLine += pszText;
    strLine += L"\r\n";
    return strLine;
}

}  // namespace

void WriteLog(const wchar_t* pszLogName, const wchar_t* pszSourceFile, int nLine, const wchar_t* pszText,
              int nLevel, int nReserved) {
    // Callers often log a failure and then report its last-error code.
    const DWORD dwLastError = GetLastError();
    const std::string line = FormatLine(pszSourceFile, nLine, pszText, nLevel).ToUtf8();
    if (line.size() <= MAXDWORD) {
        std::lock_guard lock(g_logLock);
        static const CString s_strFolder = LogFolder();
        static const CHandle s_hMutex(CreateMutexW(nullptr, FALSE, kLogMutexName));
        const CLogMutexLock processLock(s_hMutex.Get());
        if (!s_strFolder.IsEmpty()) {
            if (CHandle hFile = OpenLogForAppend(s_strFolder)) {
                DWORD dwWritten = 0;
                WriteFile(hFile.Get(), line.data(), static_cast<DWORD>(line.size()), &dwWritten, nullptr);
            }
        }
    }
    SetLastError(dwLastError);
}
