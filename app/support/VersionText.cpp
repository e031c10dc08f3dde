// Acceptance of the catalogue's version texts ("1.2.3.4") and number texts ("123456").
#include "app/support/VrxCommon.h"

#include <climits>

namespace {

// Reads a run of decimal digits at psz whose value is at most nMax; advances psz past it.
bool ReadWholeNumber(const wchar_t*& psz, unsigned long long nMax) {
    if (*psz < L'0' || *psz > L'9') return false;
    unsigned long long nValue = 0;
    for (; *psz >= L'0' && *psz <= L'9'; ++psz) {
        const unsigned nDigit = static_cast<unsigned>(*psz - L'0');
        if (nValue > (nMax - nDigit) / 10) return false;
        nValue = nValue * 10 + nDigit;
    }
    return true;
}

}  // namespace

BOOL IsVersionString(const wchar_t* pszText) {
    if (!pszText) return FALSE;
    const wchar_t* psz = pszText;
    for (int nPart = 1; nPart <= 4; ++nPart) {
        if (!ReadWholeNumber(psz, INT_MAX)) return FALSE;
        if (*psz == L'\0') return TRUE;
        if (*psz != L'.') return FALSE;
        ++psz;
    }
    return FALSE;
}

BOOL IsNumberString(const wchar_t* pszText) {
    if (!pszText) return FALSE;
    const wchar_t* psz = pszText;
    return ReadWholeNumber(psz, LLONG_MAX) && *psz == L'\0';
}
