// AfxParseURL: splits a URL into its service type, server, object (path and query) and port.
#pragma once

#include "fw/String.h"

#include <windows.h>
#include <wininet.h>

// Service types reported by AfxParseURL.
enum : DWORD {
    AFX_INET_SERVICE_UNK = 0x1000,  // any scheme other than http and https
    AFX_INET_SERVICE_HTTP = INTERNET_SERVICE_HTTP,
    AFX_INET_SERVICE_HTTPS = AFX_INET_SERVICE_UNK + 7,
};

// TRUE when pszURL is an absolute URL with a server name and a valid port. The object is "/" when the URL
// has no path; the port is the scheme's default when the URL names none. On FALSE the
// outputs are unspecified.
BOOL AfxParseURL(const wchar_t* pszURL, DWORD& dwServiceType, CString& strServer, CString& strObject,
                 INTERNET_PORT& nPort);
