// CInternetException: a failed WinINet operation, with its error code (12000-12175 for
// the internet client's own errors) and the context value of the object that raised it.
#pragma once

#include "fw/Exception.h"

#include <windows.h>

class CInternetException : public CException {
public:
    CInternetException(DWORD dwError, DWORD_PTR dwContext) : m_dwError(dwError), m_dwContext(dwContext) {}

    DWORD m_dwError;
    DWORD_PTR m_dwContext;
};
