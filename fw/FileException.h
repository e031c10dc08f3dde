// CFileException: a failed file operation, with the failure's kind, the operating
// system's error code and the name of the file.
#pragma once

#include "fw/Exception.h"
#include "fw/String.h"

#include <windows.h>

class CFileException : public CException {
public:
    // Kinds of failure (m_cause), derived from the operating system's error code.
    enum {
        none,
        genericException,
        fileNotFound,
        badPath,
        tooManyOpenFiles,
        accessDenied,
        invalidFile,
        removeCurrentDir,
        directoryFull,
        badSeek,
        hardIO,
        sharingViolation,
        lockViolation,
        diskFull,
        endOfFile,
    };

    CFileException() = default;
    CFileException(int cause, LONG lOsError, const wchar_t* pszFileName)
        : m_cause(cause), m_lOsError(lOsError), m_strFileName(pszFileName) {}

    // The kind of failure that an operating-system error code stands for.
    static int OsErrorToException(LONG lOsError);

    int m_cause = none;
    LONG m_lOsError = -1;
    CString m_strFileName;
};
