// Helpers of the bridge tests: the library's registration in the prefix (through regsvr32, as
// the installer does), the installer fixture's command lines and reports, and the surrogate
// processes a test leaves behind.
#pragma once

#include "fw/String.h"

#include <windows.h>

#include <string>
#include <vector>

CString BridgeDllPath();   // DlvUACBridge.dll beside the test program
CString ExitWithPath();    // the installer fixture

// Runs regsvr32 /s (with /u: unregistration) on the library; its exit code, or -1.
int RunRegsvr32(bool bUnregister);
// Points the AppID's DllSurrogate at the 64-bit surrogate. Test set-up only: with the value
// empty, Wine starts its 32-bit surrogate, which cannot load a 64-bit library.
bool UseSurrogateOfThisBitness();

// The fixture's command line: "<fixture path>" <exit code> [report file] [wait ms].
CString ExitWithCmdLine(DWORD dwExitCode, const CString& strReport = CString(), DWORD dwWaitMs = 0);

struct ExitWithReport {
    bool bRead = false;
    std::wstring strCmdLine;
    DWORD dwProcessId = 0;
    DWORD dwParentId = 0;
};
ExitWithReport ReadExitWithReport(const CString& strPath);

// The executable name of a running process; empty when it is not found.
std::wstring ProcessName(DWORD dwProcessId);
// Ends every dllhost.exe of the prefix: Wine's surrogate does not end by itself and would keep
// the test's output open.
void EndSurrogates();

// A registry value as text (REG_SZ) or number (REG_DWORD) below HKEY_CLASSES_ROOT.
bool KeyExists(const wchar_t* pszKey);
bool ReadString(const wchar_t* pszKey, const wchar_t* pszValue, std::wstring& strData);
bool ReadDword(const wchar_t* pszKey, const wchar_t* pszValue, DWORD& dwData);
