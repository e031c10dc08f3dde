// The function log: a ring of records in the profile file "WndFunc.log", written only through
// the profile API so that it stays readable while the program runs.
#include "setupmgr/WndFunc.h"

#include <shlobj.h>
#include <shlwapi.h>

#include <ctime>
#include <cwchar>

namespace {

const wchar_t kSectionInfo[] = L"LOGINFO";
const wchar_t kKeyLastRecord[] = L"LASTRECORD";
const wchar_t kSectionData[] = L"LOGDATA";

constexpr int kLastRecordNo = 256;    // the ring holds the records 00000000 to 00000256
constexpr int kMaxRecordText = 255;   // a formatted record text
constexpr int kMaxRecordLine = 511;   // timestamp, level and text

// Local time as "YYYY/MM/DD hh:mm:ss"; empty when it cannot be computed.
CString Timestamp() {
    const __time64_t tNow = _time64(nullptr);
    tm tmLocal{};
    if (_localtime64_s(&tmLocal, &tNow) != 0) return CString();
    CString strTime;
    strTime.Format(L"%04d/%02d/%02d %02d:%02d:%02d", tmLocal.tm_year + 1900, tmLocal.tm_mon + 1,
                   tmLocal.tm_mday, tmLocal.tm_hour, tmLocal.tm_min, tmLocal.tm_sec);
    return strTime;
}

}  // namespace

BOOL WndFunc::BuildLogPath(const wchar_t* pszCommonAppData, wchar_t (&szPath)[MAX_PATH]) {
    szPath[0] = L'\0';
    if (wcslen(pszCommonAppData) >= MAX_PATH) return FALSE;
    wcscpy(szPath, pszCommonAppData);
    if (PathAppendW(szPath, L"Dralvex") && PathAppendW(szPath, L"WndFunc.log")) return TRUE;
    szPath[0] = L'\0';
    return FALSE;
}

void WndFunc::InitLog() {
    wchar_t szFolder[MAX_PATH] = {};
    wchar_t szPath[MAX_PATH];
    if (FAILED(SHGetFolderPathW(nullptr, CSIDL_COMMON_APPDATA, nullptr, SHGFP_TYPE_DEFAULT, szFolder)) ||
        !BuildLogPath(szFolder, szPath)) {
        return;
    }
    m_strLogPath = szPath;

    // A new run starts at the record the last run wrote last, and replaces it.
    wchar_t szLastRecord[32] = {};
    GetPrivateProfileStringW(kSectionInfo, kKeyLastRecord, L"00000000", szLastRecord, 32, m_strLogPath);
    m_iRecordNo = _wtoi(szLastRecord);
    WriteFuncLog(FUNCLOG_TRACE, L"InitLog() END. LogStart.");
}

void WndFunc::WriteFuncLog(int iLevel, const wchar_t* pszText) {
    const CString strTime = Timestamp();
    CSingleLock lock(m_csFuncLog);
    if (m_iRecordNo < 0 || m_iRecordNo > kLastRecordNo) m_iRecordNo = 0;
    if (!pszText || m_strLogPath.IsEmpty()) return;

    CString strLine = strTime + L" " + (iLevel == FUNCLOG_ERROR ? L"ERROR" : L"TRACE") + L" " + pszText;
    // A line break would end the profile line and turn the rest of the text into entries of its own.
    strLine.Replace(L'\r', L' ');
    strLine.Replace(L'\n', L' ');
    CString strKey;
    strKey.Format(L"%08d", m_iRecordNo);
    WritePrivateProfileStringW(kSectionData, strKey, strLine.Left(kMaxRecordLine), m_strLogPath);
    WritePrivateProfileStringW(kSectionInfo, kKeyLastRecord, strKey, m_strLogPath);
    ++m_iRecordNo;
}

void WndFunc::WriteFuncLogFormat(int iLevel, const wchar_t* pszFormat, const wchar_t* pszArg) {
    CString strText(pszFormat);
    if (pszArg) strText.Format(pszFormat, pszArg);
    WriteFuncLog(iLevel, strText.Left(kMaxRecordText));
}

void WndFunc::WriteFuncLogInt(int iLevel, const wchar_t* pszFormat, int iValue) {
    CString strText;
    strText.Format(pszFormat, iValue);
    WriteFuncLog(iLevel, strText.Left(kMaxRecordText));
}
