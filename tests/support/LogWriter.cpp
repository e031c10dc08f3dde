// A second process for the log concurrency test: "support_log_writer <marker> <writer> <count>"
// logs count lines of WriterLineText as fast as it can.
#include "app/support/VrxCommon.h"
#include "tests/support/LogFile.h"

#include <shellapi.h>

#include <cwchar>

int main() {
    int nArgs = 0;
    wchar_t** ppszArgs = CommandLineToArgvW(GetCommandLineW(), &nArgs);
    if (!ppszArgs || nArgs != 4) return 2;
    const CString strMarker(ppszArgs[1]);
    const int nWriter = _wtoi(ppszArgs[2]);
    const int nCount = _wtoi(ppszArgs[3]);
    LocalFree(ppszArgs);
    for (int i = 0; i < nCount; ++i)
        WriteLog(L"", L"LogWriter", i, WriterLineText(strMarker, nWriter, i), LOG_LEVEL_TRACE, -1);
    return 0;
}
