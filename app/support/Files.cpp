// File existence and removal.
#include "app/support/VrxCommon.h"

BOOL FileExists(const wchar_t* pszPath) {
    if (!pszPath || !*pszPath) return FALSE;
    const DWORD dwAttributes = GetFileAttributesW(pszPath);
    return dwAttributes != INVALID_FILE_ATTRIBUTES && !(dwAttributes & FILE_ATTRIBUTE_DIRECTORY);
}

BOOL DeleteExistingFile(const wchar_t* pszPath) {
    if (!FileExists(pszPath)) return TRUE;
    const DWORD dwAttributes = GetFileAttributesW(pszPath);
    if (dwAttributes & FILE_ATTRIBUTE_READONLY) SetFileAttributesW(pszPath, dwAttributes & ~FILE_ATTRIBUTE_READONLY);
    return DeleteFileW(pszPath) || !FileExists(pszPath);
}
