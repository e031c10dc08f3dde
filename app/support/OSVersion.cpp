// The operating-system version as "major.minor" (the program's manifest lists the
// systems it supports, so the system reports its own version rather than an older one).
#include "app/support/VrxCommon.h"

void GetOSVersionString(CString& strVersion) {
    OSVERSIONINFOW info = {};
    info.dwOSVersionInfoSize = sizeof(info);
    if (GetVersionExW(&info))
        strVersion.Format(L"%lu.%lu", info.dwMajorVersion, info.dwMinorVersion);
    else
        strVersion.Empty();
}
