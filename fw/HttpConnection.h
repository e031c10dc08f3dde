// CHttpConnection: a connection to one HTTP server within a CInternetSession; opens
// the requests sent to that server. Must not outlive its session.
#pragma once

#include "fw/HttpFile.h"
#include "fw/InternetHandle.h"

#include <memory>

class CHttpConnection {
public:
    explicit CHttpConnection(CInternetHandle hConnect) : m_hConnect(std::move(hConnect)) {}
    CHttpConnection(const CHttpConnection&) = delete;
    CHttpConnection& operator=(const CHttpConnection&) = delete;

    // A request for pszObjectName (path and query) with verb pszVerb ("GET", "POST");
    // pszVersion null means the platform's default HTTP version. Throws CInternetException.
    std::unique_ptr<CHttpFile> OpenRequest(const wchar_t* pszVerb, const wchar_t* pszObjectName,
                                           const wchar_t* pszReferer = nullptr, DWORD_PTR dwContext = 1,
                                           const wchar_t** ppszAcceptTypes = nullptr,
                                           const wchar_t* pszVersion = nullptr, DWORD dwFlags = 0);

    void Close() { m_hConnect.Reset(); }

private:
    CInternetHandle m_hConnect;
};
