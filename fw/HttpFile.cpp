#include "fw/HttpFile.h"

#include "fw/InternetException.h"

#include <vector>

BOOL CHttpFile::AddRequestHeaders(const wchar_t* pszHeaders, DWORD dwFlags) {
    return HttpAddRequestHeadersW(m_hRequest.Get(), pszHeaders, static_cast<DWORD>(-1), dwFlags);
}

BOOL CHttpFile::SendRequest(const wchar_t* pszHeaders, const void* pOptional, DWORD dwOptionalLen) {
    const DWORD dwHeadersLen = pszHeaders ? static_cast<DWORD>(-1) : 0;
    if (!HttpSendRequestW(m_hRequest.Get(), pszHeaders, dwHeadersLen, const_cast<void*>(pOptional), dwOptionalLen))
        throw CInternetException(GetLastError(), m_dwContext);
    return TRUE;
}

BOOL CHttpFile::QueryInfo(DWORD dwInfoLevel, CString& strValue) const {
    DWORD dwBytes = 0;
    HttpQueryInfoW(m_hRequest.Get(), dwInfoLevel, nullptr, &dwBytes, nullptr);
    if (GetLastError() != ERROR_INSUFFICIENT_BUFFER) return FALSE;
    std::vector<wchar_t> buffer(dwBytes / sizeof(wchar_t) + 1);
    if (!HttpQueryInfoW(m_hRequest.Get(), dwInfoLevel, buffer.data(), &dwBytes, nullptr)) return FALSE;
    strValue = CString(buffer.data(), static_cast<int>(dwBytes / sizeof(wchar_t)));
    return TRUE;
}

BOOL CHttpFile::QueryInfo(DWORD dwInfoLevel, DWORD& dwValue) const {
    DWORD dwBytes = sizeof(dwValue);
    return HttpQueryInfoW(m_hRequest.Get(), dwInfoLevel | HTTP_QUERY_FLAG_NUMBER, &dwValue, &dwBytes, nullptr);
}

BOOL CHttpFile::QueryInfoStatusCode(DWORD& dwStatusCode) const {
    return QueryInfo(HTTP_QUERY_STATUS_CODE, dwStatusCode);
}

BOOL CHttpFile::QueryOption(DWORD dwOption, DWORD& dwValue) const {
    return QueryInternetOption(m_hRequest.Get(), dwOption, dwValue);
}

BOOL CHttpFile::SetOption(DWORD dwOption, DWORD dwValue) {
    return SetInternetOption(m_hRequest.Get(), dwOption, dwValue);
}

DWORD CHttpFile::ErrorDlg(HWND hParent, DWORD dwError, DWORD dwFlags) {
    // The platform shows no dialog without an owner (it answers ERROR_INVALID_HANDLE), and
    // callers may have none: the desktop then owns the dialog.
    return InternetErrorDlg(hParent ? hParent : GetDesktopWindow(), m_hRequest.Get(), dwError, dwFlags, nullptr);
}

CString CHttpFile::GetFileName() const {
    CString strPath = m_strObject;
    const int iQuery = strPath.FindOneOf(L"?#");
    if (iQuery >= 0) strPath = strPath.Left(iQuery);
    return strPath.Mid(strPath.ReverseFind(L'/') + 1);
}

UINT CHttpFile::Read(void* pBuf, UINT nCount) {
    DWORD dwRead = 0;
    if (!InternetReadFile(m_hRequest.Get(), pBuf, nCount, &dwRead))
        throw CInternetException(GetLastError(), m_dwContext);
    return dwRead;
}
