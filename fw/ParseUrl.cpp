#include "fw/ParseUrl.h"

#include <cwchar>

namespace {

// pszAfterHost is the URL from the end of the server name on. A port, when present, must be
// a number from 1 to 65535: the platform's parser reads other texts leniently (a word as 0,
// 99999 modulo 65536) instead of rejecting them.
bool IsValidPortText(const wchar_t* pszAfterHost) {
    if (*pszAfterHost != L':') return true;
    const wchar_t* p = pszAfterHost + 1;
    unsigned long ulPort = 0;
    int nDigits = 0;
    for (; *p >= L'0' && *p <= L'9' && nDigits <= 5; ++p, ++nDigits) ulPort = ulPort * 10 + (*p - L'0');
    const bool bEndOfPort = *p == L'\0' || std::wcschr(L"/?#", *p) != nullptr;
    return bEndOfPort && nDigits > 0 && ulPort >= 1 && ulPort <= 65535;
}

}  // namespace

BOOL AfxParseURL(const wchar_t* pszURL, DWORD& dwServiceType, CString& strServer, CString& strObject,
                 INTERNET_PORT& nPort) {
    dwServiceType = AFX_INET_SERVICE_UNK;
    if (!pszURL || !*pszURL) return FALSE;

    // Lengths of 1 ask InternetCrackUrlW to point into the URL instead of copying.
    URL_COMPONENTSW parts{};
    parts.dwStructSize = sizeof(parts);
    parts.dwSchemeLength = 1;
    parts.dwHostNameLength = 1;
    parts.dwUrlPathLength = 1;
    parts.dwExtraInfoLength = 1;
    if (!InternetCrackUrlW(pszURL, 0, 0, &parts)) return FALSE;
    if (!parts.lpszHostName || parts.dwHostNameLength == 0) return FALSE;
    if (!IsValidPortText(parts.lpszHostName + parts.dwHostNameLength)) return FALSE;

    if (parts.nScheme == INTERNET_SCHEME_HTTP) dwServiceType = AFX_INET_SERVICE_HTTP;
    else if (parts.nScheme == INTERNET_SCHEME_HTTPS) dwServiceType = AFX_INET_SERVICE_HTTPS;
    strServer = CString(parts.lpszHostName, static_cast<int>(parts.dwHostNameLength));
    strObject = CString(parts.lpszUrlPath, static_cast<int>(parts.dwUrlPathLength)) +
                CString(parts.lpszExtraInfo, static_cast<int>(parts.dwExtraInfoLength));
    if (strObject.IsEmpty() || strObject[0] != L'/') strObject = L"/" + strObject;
    nPort = parts.nPort;
    return TRUE;
}
