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
// The language code of the user-interface language as the catalogue's lang attributes
// write it: "en", "ja", "de", ..., and "zh-CN" / "zh-TW" for simplified / traditional Chinese.
void GetLanguageCode(CString& strCode);

// Nonzero when pszPath names an existing file (not a folder).
BOOL FileExists(const wchar_t* pszPath);
// Removes the file at pszPath, read-only or not; TRUE when no file is left there.
BOOL DeleteExistingFile(const wchar_t* pszPath);

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

// Size texts in whole megabytes (1 MB = 1,048,576 bytes), rounded up so that a
// non-empty package never shows as "0", and at most nMaxMB. nReserved is 0.
// FormatSizeMBEx also gives the size its text shows, in bytes, so that sums of
// shown sizes match the texts; a negative size shows as "0".
void FormatSizeMBEx(LONGLONG nBytes, CString& strText, int nMaxMB, int nReserved, LONGLONG& nShownBytes);
void FormatSizeMB(ULONGLONG nBytes, CString& strText, int nMaxMB, int nReserved);

// Catalogue value checks: a version is one to four dot-separated whole numbers
// ("1.2.3.4"), a number is decimal digits only ("123456"), each within its integer range.
BOOL IsVersionString(const wchar_t* pszText);
BOOL IsNumberString(const wchar_t* pszText);

// Decodes the catalogue's credential text (hexadecimal bytes, each XOR-ed with the
// key's characters in turn, giving UTF-8 text) into pszBuffer of nBufferChars.
// The first nKeyLength characters of pszKey are the key. FALSE (and an empty
// buffer) when the text is malformed or the result does not fit.
BOOL DecodeCredential(const wchar_t* pszStored, wchar_t* pszBuffer, int nBufferChars, const wchar_t* pszKey,
                      int nKeyLength);

// This computer's network address "00-1A-2B-3C-4D-5E": the first Ethernet or
// wireless adapter in the system's order. FALSE and empty when there is none.
BOOL GetMacAddress(CString& strAddress);
// The form in which an identifier (serial number, network address) is reported:
// its UTF-8 bytes as upper-case hexadecimal digits, the same text for the same input.
CString EncodeIdentifier(const wchar_t* pszIdentifier);
