// Reading profile (ini) files: strings of any length and strictly parsed integers.
#include "app/support/VrxCommon.h"

#include <cerrno>
#include <climits>
#include <cwchar>

void ReadIniString(const wchar_t* pszSection, const wchar_t* pszKey, const wchar_t* pszFile, CString& strValue) {
    // The profile API truncates to the buffer and then returns its size - 1: grow until the value fits.
    for (DWORD dwChars = 256;; dwChars *= 2) {
        wchar_t* pszBuffer = strValue.GetBuffer(static_cast<int>(dwChars));
        const DWORD dwCopied = GetPrivateProfileStringW(pszSection, pszKey, L"", pszBuffer, dwChars, pszFile);
        strValue.ReleaseBuffer(static_cast<int>(dwCopied));
        if (dwCopied < dwChars - 1 || dwChars >= INT_MAX / 2) return;
    }
}

int ReadIniInt(const wchar_t* pszSection, const wchar_t* pszKey, const wchar_t* pszFile, int nDefault) {
    CString strValue;
    ReadIniString(pszSection, pszKey, pszFile, strValue);
    // Only a whole decimal number in the range of int counts; anything else ("abc", "12x",
    // "0x10", an empty value) is treated like a missing key.
    if (strValue.IsEmpty()) return nDefault;
    wchar_t* pszEnd = nullptr;
    errno = 0;
    const long long nValue = wcstoll(strValue, &pszEnd, 10);
    if (errno != 0 || *pszEnd != L'\0' || nValue < INT_MIN || nValue > INT_MAX)
        return nDefault;
    return static_cast<int>(nValue);
}
