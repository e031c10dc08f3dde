// CInternetSession: one WinINet session (agent name, proxy access), the parent of the
// HTTP connections that the program opens.
#pragma once

#include "fw/HttpConnection.h"
#include "fw/InternetHandle.h"

#include <memory>

class CInternetSession {
public:
    // Opens the session. A session that cannot be opened raises CInternetException with
    // the error of the open at its first connection, so callers handle it with the rest.
    explicit CInternetSession(const wchar_t* pszAgent = nullptr, DWORD_PTR dwContext = 1,
                              DWORD dwAccessType = INTERNET_OPEN_TYPE_PRECONFIG, const wchar_t* pszProxyName = nullptr,
                              const wchar_t* pszProxyBypass = nullptr, DWORD dwFlags = 0);
    CInternetSession(const CInternetSession&) = delete;
    CInternetSession& operator=(const CInternetSession&) = delete;

    // DWORD options such as INTERNET_OPTION_CONNECT_TIMEOUT (milliseconds).
    BOOL SetOption(DWORD dwOption, DWORD dwValue);
    BOOL QueryOption(DWORD dwOption, DWORD& dwValue) const;

    // A connection to an HTTP server; throws CInternetException on failure.
    std::unique_ptr<CHttpConnection> GetHttpConnection(const wchar_t* pszServer,
                                                       INTERNET_PORT nPort = INTERNET_INVALID_PORT_NUMBER,
                                                       const wchar_t* pszUserName = nullptr,
                                                       const wchar_t* pszPassword = nullptr);

    void Close();

private:
    CInternetHandle m_hSession;
    DWORD_PTR m_dwContext;
    DWORD m_dwOpenError = NO_ERROR;
};
