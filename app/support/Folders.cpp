// The base folder: where the running program lies.
#include "app/support/VrxCommon.h"

#include <climits>

void GetBaseFolder(CString& strFolder) {
    // GetModuleFileNameW truncates silently when the buffer is full: grow it until the path fits.
    CString strPath;
    for (DWORD dwChars = MAX_PATH;; dwChars *= 2) {
        const DWORD dwLength = GetModuleFileNameW(nullptr, strPath.GetBuffer(static_cast<int>(dwChars)), dwChars);
        strPath.ReleaseBuffer(static_cast<int>(dwLength < dwChars ? dwLength : 0));
        if (dwLength < dwChars || dwChars >= INT_MAX / 2) break;
    }
    strFolder = strPath.Left(strPath.ReverseFind(L'\\'));
}
