// Package sizes as whole megabytes for the lists and totals of the dialogs.
#include "app/support/VrxCommon.h"

namespace {

constexpr ULONGLONG kBytesPerMB = 1024 * 1024;

// Whole megabytes, rounded up, at most nMaxMB.
ULONGLONG ShownMB(ULONGLONG nBytes, int nMaxMB) {
    const ULONGLONG nMB = nBytes / kBytesPerMB + (nBytes % kBytesPerMB != 0 ? 1 : 0);
    const ULONGLONG nMax = nMaxMB > 0 ? static_cast<ULONGLONG>(nMaxMB) : 0;
    return nMB < nMax ? nMB : nMax;
}

}  // namespace

void FormatSizeMBEx(LONGLONG nBytes, CString& strText, int nMaxMB, int nReserved, LONGLONG& nShownBytes) {
    const ULONGLONG nMB = nBytes > 0 ? ShownMB(static_cast<ULONGLONG>(nBytes), nMaxMB) : 0;
    strText.Format(L"%llu", nMB);
    nShownBytes = static_cast<LONGLONG>(nMB * kBytesPerMB);
}

void FormatSizeMB(ULONGLONG nBytes, CString& strText, int nMaxMB, int nReserved) {
    strText.Format(L"%llu", ShownMB(nBytes, nMaxMB));
}
