#include "fw/File.h"

namespace {

DWORD DesiredAccess(UINT nOpenFlags) {
    switch (nOpenFlags & 0x3) {
    case CFile::modeWrite: return GENERIC_WRITE;
    case CFile::modeReadWrite: return GENERIC_READ | GENERIC_WRITE;
    default: return GENERIC_READ;
    }
}

DWORD ShareMode(UINT nOpenFlags) {
    switch (nOpenFlags & 0x70) {
    case CFile::shareExclusive: return 0;
    case CFile::shareDenyWrite: return FILE_SHARE_READ;
    case CFile::shareDenyRead: return FILE_SHARE_WRITE;
    default: return FILE_SHARE_READ | FILE_SHARE_WRITE;
    }
}

DWORD CreationDisposition(UINT nOpenFlags) {
    if (!(nOpenFlags & CFile::modeCreate)) return OPEN_EXISTING;
    return (nOpenFlags & CFile::modeNoTruncate) ? OPEN_ALWAYS : CREATE_ALWAYS;
}

}  // namespace

int CFileException::OsErrorToException(LONG lOsError) {
    switch (lOsError) {
    case NO_ERROR: return none;
    case ERROR_FILE_NOT_FOUND: return fileNotFound;
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_NAME:
    case ERROR_BAD_PATHNAME:
    case ERROR_FILENAME_EXCED_RANGE: return badPath;
    case ERROR_TOO_MANY_OPEN_FILES: return tooManyOpenFiles;
    case ERROR_ACCESS_DENIED:
    case ERROR_WRITE_PROTECT: return accessDenied;
    case ERROR_INVALID_HANDLE: return invalidFile;
    case ERROR_CURRENT_DIRECTORY: return removeCurrentDir;
    case ERROR_CANNOT_MAKE: return directoryFull;
    case ERROR_SEEK:
    case ERROR_NEGATIVE_SEEK: return badSeek;
    case ERROR_CRC:
    case ERROR_READ_FAULT:
    case ERROR_WRITE_FAULT: return hardIO;
    case ERROR_SHARING_VIOLATION: return sharingViolation;
    case ERROR_LOCK_VIOLATION: return lockViolation;
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL: return diskFull;
    case ERROR_HANDLE_EOF: return endOfFile;
    default: return genericException;
    }
}

BOOL CFile::Open(const wchar_t* pszFileName, UINT nOpenFlags, CFileException* pError) {
    Close();
    m_strFileName = pszFileName;
    m_hFile.Reset(CreateFileW(m_strFileName, DesiredAccess(nOpenFlags), ShareMode(nOpenFlags), nullptr,
                              CreationDisposition(nOpenFlags), FILE_ATTRIBUTE_NORMAL, nullptr));
    if (m_hFile) return TRUE;
    const LONG lOsError = static_cast<LONG>(GetLastError());
    if (pError) *pError = CFileException(CFileException::OsErrorToException(lOsError), lOsError, m_strFileName);
    SetLastError(static_cast<DWORD>(lOsError));
    return FALSE;
}

UINT CFile::Read(void* pBuf, UINT nCount) {
    DWORD dwRead = 0;
    if (!ReadFile(m_hFile.Get(), pBuf, nCount, &dwRead, nullptr)) ThrowLastError();
    return dwRead;
}

void CFile::Write(const void* pBuf, UINT nCount) {
    DWORD dwWritten = 0;
    if (!WriteFile(m_hFile.Get(), pBuf, nCount, &dwWritten, nullptr)) ThrowLastError();
    // A short write without an error code means the volume is full.
    if (dwWritten != nCount)
        throw CFileException(CFileException::diskFull, ERROR_DISK_FULL, m_strFileName);
}

ULONGLONG CFile::Seek(LONGLONG lOff, UINT nFrom) {
    LARGE_INTEGER liOff{}, liPos{};
    liOff.QuadPart = lOff;
    if (!SetFilePointerEx(m_hFile.Get(), liOff, &liPos, nFrom)) ThrowLastError();
    return static_cast<ULONGLONG>(liPos.QuadPart);
}

ULONGLONG CFile::GetPosition() const {
    LARGE_INTEGER liPos{};
    if (!SetFilePointerEx(m_hFile.Get(), LARGE_INTEGER{}, &liPos, FILE_CURRENT)) ThrowLastError();
    return static_cast<ULONGLONG>(liPos.QuadPart);
}

ULONGLONG CFile::GetLength() const {
    LARGE_INTEGER liSize{};
    if (!GetFileSizeEx(m_hFile.Get(), &liSize)) ThrowLastError();
    return static_cast<ULONGLONG>(liSize.QuadPart);
}

void CFile::Flush() {
    if (!FlushFileBuffers(m_hFile.Get())) ThrowLastError();
}

void CFile::Close() {
    m_hFile.Reset();
}

void CFile::ThrowLastError() const {
    const LONG lOsError = static_cast<LONG>(GetLastError());
    throw CFileException(CFileException::OsErrorToException(lOsError), lOsError, m_strFileName);
}
