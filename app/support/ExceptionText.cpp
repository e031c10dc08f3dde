#include "app/support/ExceptionText.h"

#include "fw/Handle.h"

#include <wininet.h>

#include <string>

namespace {

// The message table text for dwError from hModule (or only the system when null);
// empty when neither has one.
CString ErrorMessageText(DWORD dwError, HMODULE hModule) {
    DWORD dwFlags = FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS;
    if (hModule) dwFlags |= FORMAT_MESSAGE_FROM_HMODULE;
    // Message texts are short; one that does not fit makes FormatMessageW fail, not overflow.
    wchar_t szBuffer[1024];
    const DWORD dwLength = FormatMessageW(dwFlags, hModule, dwError, 0, szBuffer, ARRAYSIZE(szBuffer), nullptr);
    CString strText(szBuffer, static_cast<int>(dwLength));
    strText.TrimRight(L"\r\n ");
    return strText;
}

}  // namespace

CString InetExceptionMessage(const CInternetException& e) {
    // WinINet's texts live in its own message table; loaded as data so that this works
    // whether or not the library is loaded already.
    CModule hWinInet;
    if (e.m_dwError >= INTERNET_ERROR_BASE && e.m_dwError <= INTERNET_ERROR_LAST)
        hWinInet.Reset(LoadLibraryExW(L"wininet.dll", nullptr, LOAD_LIBRARY_AS_DATAFILE));
    const CString strText = ErrorMessageText(e.m_dwError, hWinInet.Get());
    return strText.IsEmpty() ? L"Error " + InetExceptionError(e) : strText;
}

CString InetExceptionContext(const CInternetException& e) {
    return CString(std::to_wstring(e.m_dwContext));
}

CString InetExceptionError(const CInternetException& e) {
    return CString(std::to_wstring(e.m_dwError));
}

CString FileExceptionMessage(const CFileException& e) {
    const CString strText = ErrorMessageText(static_cast<DWORD>(e.m_lOsError), nullptr);
    return strText.IsEmpty() ? L"Error " + FileExceptionOsError(e) : strText;
}

CString FileExceptionOsError(const CFileException& e) {
    return CString(std::to_wstring(e.m_lOsError));
}
