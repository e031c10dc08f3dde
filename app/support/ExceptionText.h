// Texts for the log lines that describe internet and file exceptions: the error's message
// text and its numbers in decimal.
#pragma once

#include "fw/FileException.h"
#include "fw/InternetException.h"
#include "fw/String.h"

// The message text of the exception's error code (WinINet's own texts for its 12000-12175
// codes, the system's otherwise), without the final line break; "Error <code>" when there is none.
CString InetExceptionMessage(const CInternetException& e);
CString InetExceptionContext(const CInternetException& e);
CString InetExceptionError(const CInternetException& e);

// The system's message text for the exception's operating-system error code, or "Error <code>".
CString FileExceptionMessage(const CFileException& e);
CString FileExceptionOsError(const CFileException& e);
