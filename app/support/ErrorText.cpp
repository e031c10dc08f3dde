// The calling thread's last-error code as text, for log lines ending in "code is:".
#include "app/support/VrxCommon.h"

void NumberToText(CString& strText) {
    const DWORD dwError = GetLastError();
    strText.Format(L"%lu", dwError);
    SetLastError(dwError);
}
