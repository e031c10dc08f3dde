// The reported form of identifiers: plain hexadecimal, safe in a form body without escaping.
#include "app/support/VrxCommon.h"

CString EncodeIdentifier(const wchar_t* pszIdentifier) {
    static const wchar_t kDigits[] = L"0123456789ABCDEF";
    CString strEncoded;
    for (const char ch : CString(pszIdentifier).ToUtf8()) {
        const auto byte = static_cast<unsigned char>(ch);
        strEncoded += kDigits[byte >> 4];
        strEncoded += kDigits[byte & 0x0F];
    }
    return strEncoded;
}
