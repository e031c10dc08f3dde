// CFile: a binary file on disk, opened with the framework's open flags. Read, Write,
// Seek and the size queries throw CFileException on failure; Open reports by return value.
#pragma once

#include "fw/FileException.h"
#include "fw/Handle.h"
#include "fw/String.h"

#include <windows.h>

class CFile {
public:
    // Open flags: one access mode, one share mode, and any of the creation and type flags.
    enum OpenFlags : UINT {
        modeRead = 0x0000,
        modeWrite = 0x0001,
        modeReadWrite = 0x0002,
        shareCompat = 0x0000,
        shareExclusive = 0x0010,
        shareDenyWrite = 0x0020,
        shareDenyRead = 0x0030,
        shareDenyNone = 0x0040,
        modeCreate = 0x1000,
        modeNoTruncate = 0x2000,
        typeText = 0x4000,
        typeBinary = 0x8000,
    };
    enum SeekPosition : UINT { begin = FILE_BEGIN, current = FILE_CURRENT, end = FILE_END };

    CFile() = default;
    virtual ~CFile() = default;
    CFile(CFile&&) = default;
    CFile& operator=(CFile&&) = default;

    // Opens (or with modeCreate creates; with modeNoTruncate as well, keeps an existing file's
    // contents) the file. On failure returns FALSE and, when pError is given, fills it in.
    BOOL Open(const wchar_t* pszFileName, UINT nOpenFlags, CFileException* pError = nullptr);
    bool IsOpen() const { return static_cast<bool>(m_hFile); }

    // Reads up to nCount bytes; returns the number read, 0 at the end of the file.
    UINT Read(void* pBuf, UINT nCount);
    // Writes all nCount bytes.
    void Write(const void* pBuf, UINT nCount);
    // Moves the file pointer; returns the new position from the start.
    ULONGLONG Seek(LONGLONG lOff, UINT nFrom);
    ULONGLONG SeekToEnd() { return Seek(0, end); }
    void SeekToBegin() { Seek(0, begin); }
    ULONGLONG GetPosition() const;
    ULONGLONG GetLength() const;
    void Flush();
    // Closes the file; closing a file that is not open does nothing.
    void Close();

private:
    [[noreturn]] void ThrowLastError() const;

    CHandle m_hFile;
    CString m_strFileName;
};
