// Helpers of the setup-manager tests: the shared function log file, top-level windows of the
// test's own, and the MutexHolder fixture (another process holding a mutex).
#pragma once

#include "fw/Handle.h"
#include "fw/String.h"

#include <vector>

// <common application data>\Dralvex\WndFunc.log, the file every WndFunc writes.
CString FuncLogPath();
// Deletes the function log (and creates the Dralvex folder it lives in). All tests of the Wine
// prefix share the file, so each test that reads records starts from a deleted log.
void DeleteFuncLog();
CString ReadFuncLogValue(const wchar_t* pszSection, const wchar_t* pszKey);
void WriteFuncLogValue(const wchar_t* pszSection, const wchar_t* pszKey, const wchar_t* pszValue);

struct _FuncLogRecord {
    CString strTime;   // "YYYY/MM/DD hh:mm:ss"
    CString strLevel;  // "ERROR" or "TRACE"
    CString strText;
};
_FuncLogRecord ReadFuncLogRecord(const wchar_t* pszKey);
// The records 00000000 to LASTRECORD, in the order written since DeleteFuncLog.
std::vector<_FuncLogRecord> ReadFuncLog();
// The text of the last ERROR record since DeleteFuncLog (empty when none).
CString LastFuncLogError();

// Whether a kernel object of that name exists (it is closed again at once).
bool MutexExists(const wchar_t* pszName);

// A top-level window of the test thread, destroyed with the object. An owned window is a popup.
class CTestWindow {
public:
    CTestWindow(const wchar_t* pszTitle, bool bVisible, HWND hOwner = nullptr);
    ~CTestWindow();
    CTestWindow(const CTestWindow&) = delete;
    CTestWindow& operator=(const CTestWindow&) = delete;
    HWND Get() const { return m_hWnd; }

private:
    HWND m_hWnd = nullptr;
};

// MutexHolder.exe: holds the named mutex (and shows a window with the title, when given)
// from start-up until the object is destroyed.
class CMutexHolder {
public:
    explicit CMutexHolder(const wchar_t* pszMutex, const wchar_t* pszWindowTitle = nullptr);
    ~CMutexHolder();
    CMutexHolder(const CMutexHolder&) = delete;
    CMutexHolder& operator=(const CMutexHolder&) = delete;
    // TRUE once the fixture holds the mutex and shows its window.
    bool IsReady() const { return m_bReady; }

private:
    CHandle m_hReady;
    CHandle m_hExit;
    CHandle m_hProcess;
    bool m_bReady = false;
};
