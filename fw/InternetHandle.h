// CInternetHandle: owner of one WinINet handle (session, connection or request), closed
// with InternetCloseHandle; and the DWORD option access that sessions and requests share.
#pragma once

#include "fw/Handle.h"

#include <windows.h>
#include <wininet.h>

struct InternetHandleTraits {
    static HINTERNET Invalid() { return nullptr; }
    static bool IsValid(HINTERNET h) { return h != nullptr; }
    static void Close(HINTERNET h) { InternetCloseHandle(h); }
};
using CInternetHandle = CUniqueHandle<HINTERNET, InternetHandleTraits>;

inline BOOL QueryInternetOption(HINTERNET hInternet, DWORD dwOption, DWORD& dwValue) {
    DWORD dwLength = sizeof(dwValue);
    return InternetQueryOptionW(hInternet, dwOption, &dwValue, &dwLength);
}

inline BOOL SetInternetOption(HINTERNET hInternet, DWORD dwOption, DWORD dwValue) {
    return InternetSetOptionW(hInternet, dwOption, &dwValue, sizeof(dwValue));
}
