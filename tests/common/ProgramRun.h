// Runs a copy of Dralvex.exe in a folder of its own (with its own Dralvex.ini) and reads
// what it appended to the main log, so each test sees only its own run.
#pragma once

#include "fw/Handle.h"
#include "fw/String.h"

#include <vector>

CString TestBinDir();          // the folder of the running test program (build/bin)
CString MainLogPath();         // C:\ProgramData\Dralvex\Dralvex.log
CString ReadFileText(const CString& strPath);  // a UTF-8 file as text; empty when missing

class ProgramRun {
public:
    // Makes a fresh folder named pszName under the temporary folder with a copy of Dralvex.exe.
    explicit ProgramRun(const wchar_t* pszName);
    ~ProgramRun();

    const CString& Folder() const { return m_strFolder; }
    void WriteIni(const char* pszContent) const;
    // Starts the program with the command line; the log is read from this point on.
    bool Start(const wchar_t* pszArgs = L"");
    // Waits for the program to end; false on time-out (the program is then ended).
    bool Wait(DWORD dwTimeoutMs = 30000);
    DWORD ProcessId() const { return m_dwProcessId; }
    DWORD ExitCode() const;
    // The log lines the run appended.
    std::vector<CString> LogLines() const;
    bool LogContains(const wchar_t* pszText) const;

private:
    CString m_strFolder;
    CHandle m_hProcess;
    DWORD m_dwProcessId = 0;
    long long m_nLogOffset = 0;
};
