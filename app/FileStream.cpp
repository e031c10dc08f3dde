#include "app/FileStream.h"

namespace {

HRESULT LastErrorResult() {
    return HRESULT_FROM_WIN32(GetLastError());
}

}  // namespace

HRESULT FileStream::OpenFile(const wchar_t* pszPath, IStream** ppStream) {
    if (!ppStream) return E_POINTER;
    *ppStream = nullptr;
    const HANDLE hFile = CreateFileW(pszPath, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                     FILE_ATTRIBUTE_NORMAL, nullptr);
    if (hFile == INVALID_HANDLE_VALUE) return LastErrorResult();
    // COM reference counting owns the object: the last Release deletes it.
    *ppStream = new FileStream(hFile);
    return S_OK;
}

HRESULT FileStream::QueryInterface(REFIID iid, void** ppv) {
    if (!ppv) return E_POINTER;
    if (iid == __uuidof(IUnknown) || iid == __uuidof(IStream) || iid == __uuidof(ISequentialStream)) {
        *ppv = static_cast<IStream*>(this);
        AddRef();
        return S_OK;
    }
    *ppv = nullptr;
    return E_NOINTERFACE;
}

ULONG FileStream::AddRef() {
    return static_cast<ULONG>(InterlockedIncrement(&m_nRefCount));
}

ULONG FileStream::Release() {
    const LONG nCount = InterlockedDecrement(&m_nRefCount);
    if (nCount == 0) delete this;
    return static_cast<ULONG>(nCount);
}

HRESULT FileStream::Read(void* pv, ULONG cb, ULONG* pcbRead) {
    DWORD dwRead = 0;
    const BOOL bOk = ReadFile(m_hFile.Get(), pv, cb, &dwRead, nullptr);
    if (pcbRead) *pcbRead = dwRead;
    return bOk ? S_OK : LastErrorResult();
}

HRESULT FileStream::Write(const void* pv, ULONG cb, ULONG* pcbWritten) {
    DWORD dwWritten = 0;
    const BOOL bOk = WriteFile(m_hFile.Get(), pv, cb, &dwWritten, nullptr);
    if (pcbWritten) *pcbWritten = dwWritten;
    return bOk ? S_OK : LastErrorResult();
}

HRESULT FileStream::Seek(LARGE_INTEGER liDistance, DWORD dwOrigin, ULARGE_INTEGER* plibNewPosition) {
    DWORD dwMoveMethod = 0;
    switch (dwOrigin) {
    case STREAM_SEEK_SET:
        dwMoveMethod = FILE_BEGIN;
        break;
    case STREAM_SEEK_CUR:
        dwMoveMethod = FILE_CURRENT;
        break;
    case STREAM_SEEK_END:
        dwMoveMethod = FILE_END;
        break;
    default:
        return STG_E_INVALIDFUNCTION;
    }
    LARGE_INTEGER liNew = {};
    if (!SetFilePointerEx(m_hFile.Get(), liDistance, &liNew, dwMoveMethod)) return LastErrorResult();
    if (plibNewPosition) plibNewPosition->QuadPart = static_cast<ULONGLONG>(liNew.QuadPart);
    return S_OK;
}

HRESULT FileStream::Stat(STATSTG* pStatstg, DWORD) {
    if (!pStatstg) return E_POINTER;
    *pStatstg = {};
    LARGE_INTEGER liSize = {};
    if (!GetFileSizeEx(m_hFile.Get(), &liSize)) return LastErrorResult();
    pStatstg->cbSize.QuadPart = static_cast<ULONGLONG>(liSize.QuadPart);
    return S_OK;
}
