// CHttpFile: one HTTP request and its response: headers to add, sending with an optional
// body, status and header queries, and reading the response body.
#pragma once

#include "fw/InternetHandle.h"
#include "fw/String.h"

class CHttpFile {
public:
    CHttpFile(CInternetHandle hRequest, const wchar_t* pszObjectName, DWORD_PTR dwContext)
        : m_hRequest(std::move(hRequest)), m_strObject(pszObjectName), m_dwContext(dwContext) {}
    CHttpFile(const CHttpFile&) = delete;
    CHttpFile& operator=(const CHttpFile&) = delete;

    // Adds header lines (separated by CR LF); FALSE on failure.
    BOOL AddRequestHeaders(const wchar_t* pszHeaders, DWORD dwFlags = HTTP_ADDREQ_FLAG_ADD_IF_NEW);
    // Sends the request with extra header lines and an optional body. May be called again
    // to resend the same request. Throws CInternetException when the request cannot be sent.
    BOOL SendRequest(const wchar_t* pszHeaders = nullptr, const void* pOptional = nullptr, DWORD dwOptionalLen = 0);

    // Response header queries (HTTP_QUERY_*); FALSE when the header is absent.
    BOOL QueryInfo(DWORD dwInfoLevel, CString& strValue) const;
    BOOL QueryInfo(DWORD dwInfoLevel, DWORD& dwValue) const;
    BOOL QueryInfoStatusCode(DWORD& dwStatusCode) const;

    // DWORD options such as INTERNET_OPTION_SECURITY_FLAGS.
    BOOL QueryOption(DWORD dwOption, DWORD& dwValue) const;
    BOOL SetOption(DWORD dwOption, DWORD dwValue);

    // The platform's dialog for an error of this request (proxy credentials, certificates),
    // owned by hParent or, when that is null, by the desktop. Returns ERROR_SUCCESS,
    // ERROR_CANCELLED or ERROR_INTERNET_FORCE_RETRY.
    DWORD ErrorDlg(HWND hParent, DWORD dwError = ERROR_INTERNET_INCORRECT_PASSWORD,
                   DWORD dwFlags = FLAGS_ERROR_UI_FLAGS_GENERATE_DATA | FLAGS_ERROR_UI_FLAGS_CHANGE_OPTIONS);

    // The last path component of the requested object, without query or fragment.
    CString GetFileName() const;

    // Reads up to nCount bytes of the response body; 0 at its end. Throws CInternetException.
    UINT Read(void* pBuf, UINT nCount);

    void Close() { m_hRequest.Reset(); }

private:
    CInternetHandle m_hRequest;
    CString m_strObject;
    DWORD_PTR m_dwContext;
};
