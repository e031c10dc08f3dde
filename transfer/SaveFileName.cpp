#include "transfer/SaveFileName.h"

namespace {

bool IsForbidden(wchar_t ch) {
    return ch < 0x20 || ch == 0x7F || CString(L"\\/:*?\"<>|").Find(ch) >= 0;
}

// CON, PRN, AUX, NUL, COM1-COM9 and LPT1-LPT9 name devices, whatever their extension.
bool IsDeviceName(const CString& strName) {
    const int iDot = strName.Find(L'.');
    CString strBase = iDot >= 0 ? strName.Left(iDot) : strName;
    strBase.TrimRight(L" ");
    strBase.MakeUpper();
    for (const wchar_t* psz : {L"CON", L"PRN", L"AUX", L"NUL"})
        if (strBase == psz) return true;
    return strBase.GetLength() == 4 && (strBase.Left(3) == L"COM" || strBase.Left(3) == L"LPT") &&
           strBase[3] >= L'1' && strBase[3] <= L'9';
}

}  // namespace

CString MakeSaveFileName(const CString& strName) {
    CString strSafe;
    for (int i = 0; i < strName.GetLength(); ++i) strSafe += IsForbidden(strName[i]) ? L'_' : strName[i];
    strSafe.TrimRight(L". ");
    if (strSafe.IsEmpty()) return strSafe;
    return IsDeviceName(strSafe) ? L"_" + strSafe : strSafe;
}
