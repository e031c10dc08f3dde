// Reading and writing single string and DWORD registry values.
#include "app/support/VrxCommon.h"

#include "fw/Handle.h"

#include <string>

namespace {

// Reads a REG_SZ value into the caller's buffer; the text must fit with its terminator.
bool ReadString(HKEY hKey, const _RegistryValue& value) {
    const DWORD dwChars = value.dwSize / sizeof(wchar_t);
    if (!value.pData || dwChars == 0) return false;
    auto* pszBuffer = static_cast<wchar_t*>(value.pData);
    DWORD dwType = 0;
    DWORD cbData = dwChars * sizeof(wchar_t);
    const LSTATUS status =
        RegQueryValueExW(hKey, value.pszValueName, nullptr, &dwType, static_cast<BYTE*>(value.pData), &cbData);
    const DWORD dwRead = cbData / sizeof(wchar_t);
    if (status != ERROR_SUCCESS || dwType != REG_SZ) return false;
    // Stored strings normally include their terminator, but nothing forces them to.
    if (dwRead > 0 && pszBuffer[dwRead - 1] == L'\0') return true;
    if (dwRead == dwChars) return false;
    pszBuffer[dwRead] = L'\0';
    return true;
}

bool ReadDword(HKEY hKey, const _RegistryValue& value) {
    if (!value.pData || value.dwSize < sizeof(DWORD)) return false;
    DWORD dwType = 0;
    DWORD dwData = 0;
    DWORD cbData = sizeof(dwData);
    if (RegQueryValueExW(hKey, value.pszValueName, nullptr, &dwType, reinterpret_cast<BYTE*>(&dwData), &cbData) !=
            ERROR_SUCCESS ||
        dwType != REG_DWORD || cbData != sizeof(dwData))
        return false;
    *static_cast<DWORD*>(value.pData) = dwData;
    return true;
}

}  // namespace

int ReadRegistryValue(_RegistryValue* pValue, HKEY hRoot, const wchar_t* pszSubKey) {
    if (!pValue) return REGVALUE_NOT_READ;
    bool bRead = false;
    HKEY hKeyRaw = nullptr;
    if (RegOpenKeyExW(hRoot, pszSubKey, 0, KEY_QUERY_VALUE, &hKeyRaw) == ERROR_SUCCESS) {
        const CRegKey hKey(hKeyRaw);
        if (pValue->dwType == REG_SZ)
            bRead = ReadString(hKey.Get(), *pValue);
        else if (pValue->dwType == REG_DWORD)
            bRead = ReadDword(hKey.Get(), *pValue);
    }
    // A string that was not read is left empty rather than holding part of the value.
    if (!bRead && pValue->dwType == REG_SZ && pValue->pData && pValue->dwSize >= sizeof(wchar_t))
        *static_cast<wchar_t*>(pValue->pData) = L'\0';
    return bRead ? REGVALUE_OK : REGVALUE_NOT_READ;
}

int WriteRegistryValue(const _RegistryValue* pValue, HKEY hRoot, const wchar_t* pszSubKey) {
    if (!pValue) return ERROR_INVALID_PARAMETER;
    // A string is stored up to its terminator (or the end of its buffer) and always terminated;
    // no data at all stores the empty string.
    std::wstring strText;
    if (pValue->dwType == REG_SZ) {
        const auto* pszData = static_cast<const wchar_t*>(pValue->pData);
        const size_t nMax = pszData ? pValue->dwSize / sizeof(wchar_t) : 0;
        size_t nLength = 0;
        while (nLength < nMax && pszData[nLength] != L'\0') ++nLength;
        strText.assign(pszData ? pszData : L"", nLength);
    } else if (pValue->dwType != REG_DWORD || !pValue->pData || pValue->dwSize < sizeof(DWORD)) {
        return ERROR_INVALID_PARAMETER;
    }
    HKEY hKeyRaw = nullptr;
    const LSTATUS status =
        RegCreateKeyExW(hRoot, pszSubKey, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_SET_VALUE, nullptr, &hKeyRaw, nullptr);
    if (status != ERROR_SUCCESS) return status;
    const CRegKey hKey(hKeyRaw);
    if (pValue->dwType == REG_SZ)
        return RegSetValueExW(hKey.Get(), pValue->pszValueName, 0, REG_SZ, reinterpret_cast<const BYTE*>(strText.c_str()),
                              static_cast<DWORD>((strText.size() + 1) * sizeof(wchar_t)));
    return RegSetValueExW(hKey.Get(), pValue->pszValueName, 0, REG_DWORD, static_cast<const BYTE*>(pValue->pData),
                          sizeof(DWORD));
}
