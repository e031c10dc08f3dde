#include "fw/InternetSession.h"

#include "fw/InternetException.h"

CInternetSession::CInternetSession(const wchar_t* pszAgent, DWORD_PTR dwContext, DWORD dwAccessType,
                                   const wchar_t* pszProxyName, const wchar_t* pszProxyBypass, DWORD dwFlags)
    : m_hSession(InternetOpenW(pszAgent, dwAccessType, pszProxyName, pszProxyBypass, dwFlags)),
      m_dwContext(dwContext) {
    if (!m_hSession) m_dwOpenError = GetLastError();
}

BOOL CInternetSession::SetOption(DWORD dwOption, DWORD dwValue) {
    return SetInternetOption(m_hSession.Get(), dwOption, dwValue);
}

BOOL CInternetSession::QueryOption(DWORD dwOption, DWORD& dwValue) const {
    return QueryInternetOption(m_hSession.Get(), dwOption, dwValue);
}

std::unique_ptr<CHttpConnection> CInternetSession::GetHttpConnection(const wchar_t* pszServer, INTERNET_PORT nPort,
                                                                     const wchar_t* pszUserName,
                                                                     const wchar_t* pszPassword) {
    if (!m_hSession) throw CInternetException(m_dwOpenError, m_dwContext);
    HINTERNET hConnect = InternetConnectW(m_hSession.Get(), pszServer, nPort, pszUserName, pszPassword,
                                          INTERNET_SERVICE_HTTP, 0, m_dwContext);
    if (!hConnect) throw CInternetException(GetLastError(), m_dwContext);
    return std::make_unique<CHttpConnection>(CInternetHandle(hConnect));
}

void CInternetSession::Close() {
    m_hSession.Reset();
    m_dwOpenError = ERROR_INVALID_HANDLE;
}
