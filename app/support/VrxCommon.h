// The support library: logging, settings and registry access, folders, fonts,
// size texts, credential decoding, identifier encoding and error texts shared by
// the whole program. Strings are wide; failures come back as return values.
#pragma once

#include "fw/Font.h"
#include "fw/String.h"

#include <windows.h>

// Log levels of WriteLog.
enum { LOG_LEVEL_ERROR = 1, LOG_LEVEL_TRACE = 3 };

// Appends one line to the main log <common application data>\Dralvex\Dralvex.log:
// timestamp, level, source file name and line, and the text exactly as given.
// pszLogName is "" for the main log; nReserved is -1. Safe to call from any thread.
void WriteLog(const wchar_t* pszLogName, const wchar_t* pszSourceFile, int nLine, const wchar_t* pszText,
              int nLevel, int nReserved);

// One registry value to read or write. dwType is REG_SZ (1) or REG_DWORD (4);
// dwSize is the buffer size in bytes.
struct _RegistryValue {
    const wchar_t* pszValueName;
    DWORD dwType;
    void* pData;
    DWORD dwSize;
};
enum { REGVALUE_OK = 0, REGVALUE_NOT_READ = 2 };
// REGVALUE_OK, or REGVALUE_NOT_READ when the key or value is missing or does not fit.
int ReadRegistryValue(_RegistryValue* pValue, HKEY hRoot, const wchar_t* pszSubKey);
// 0 on success, nonzero on failure (the key is created when missing).
int WriteRegistryValue(const _RegistryValue* pValue, HKEY hRoot, const wchar_t* pszSubKey);

// The module holding the user-interface resources, or null for the program's own module.
HINSTANCE LoadResourceModule(int nReserved);

LANGID GetUILanguageId();
BOOL FileExists(const wchar_t* pszPath);

// "5.1" on Windows XP, "6.1" on Windows 7, and so on (major.minor).
void GetOSVersionString(CString& strVersion);

// Creates the dialog font and the heading font from one face name.
BOOL CreateDialogFonts(const wchar_t* pszFaceName, CFont& fontDialog, CFont& fontTitle);
// Sets the font on the window and all its child controls.
void ApplyDialogFont(HWND hWnd, const CFont& font);
// Brings a dialog to the front so the user can reach it.
void AdjustDialogWindow(HWND hWnd);

// Profile (ini) file access; strValue is empty when the key is absent.
void ReadIniString(const wchar_t* pszSection, const wchar_t* pszKey, const wchar_t* pszFile, CString& strValue);
int ReadIniInt(const wchar_t* pszSection, const wchar_t* pszKey, const wchar_t* pszFile, int nDefault);

// The folder of the running program (no final separator).
void GetBaseFolder(CString& strFolder);

// The calling thread's last-error code as decimal text.
void NumberToText(CString& strText);
