#include "fw/HttpConnection.h"

#include "fw/InternetException.h"

std::unique_ptr<CHttpFile> CHttpConnection::OpenRequest(const wchar_t* pszVerb, const wchar_t* pszObjectName,
                                                        const wchar_t* pszReferer, DWORD_PTR dwContext,
                                                        const wchar_t** ppszAcceptTypes, const wchar_t* pszVersion,
                                                        DWORD dwFlags) {
    HINTERNET hRequest = HttpOpenRequestW(m_hConnect.Get(), pszVerb, pszObjectName, pszVersion, pszReferer,
                                          ppszAcceptTypes, dwFlags, dwContext);
    if (!hRequest) throw CInternetException(GetLastError(), dwContext);
    return std::make_unique<CHttpFile>(CInternetHandle(hRequest), pszObjectName, dwContext);
}
