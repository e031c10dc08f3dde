// Decoding of the catalogue's download credential.
#include "app/support/VrxCommon.h"

#include <cwchar>
#include <string>

namespace {

int HexValue(wchar_t ch) {
    if (ch >= L'0' && ch <= L'9') return ch - L'0';
    if (ch >= L'A' && ch <= L'F') return ch - L'A' + 10;
    if (ch >= L'a' && ch <= L'f') return ch - L'a' + 10;
    return -1;
}

// The UTF-8 bytes of the credential: hexadecimal pairs, byte i XOR-ed with the low byte of key[i % nKeyLength].
bool DecodeBytes(const wchar_t* pszStored, const wchar_t* pszKey, int nKeyLength, std::string& bytes) {
    const size_t nDigits = wcslen(pszStored);
    if (nDigits == 0 || nDigits % 2 != 0) return false;
    for (size_t i = 0; i < nDigits; i += 2) {
        const int nHigh = HexValue(pszStored[i]);
        const int nLow = HexValue(pszStored[i + 1]);
        if (nHigh < 0 || nLow < 0) return false;
        const int nKey = pszKey[(i / 2) % static_cast<size_t>(nKeyLength)] & 0xFF;
        const char byte = static_cast<char>((nHigh << 4 | nLow) ^ nKey);
        if (byte == '\0') return false;
        bytes += byte;
    }
    return true;
}

}  // namespace

BOOL DecodeCredential(const wchar_t* pszStored, wchar_t* pszBuffer, int nBufferChars, const wchar_t* pszKey,
                      int nKeyLength) {
    if (!pszBuffer || nBufferChars <= 0) return FALSE;
    pszBuffer[0] = L'\0';
    const size_t nKey = nKeyLength > 0 ? static_cast<size_t>(nKeyLength) : 0;
    if (!pszStored || !pszKey || nKey == 0 || wcsnlen(pszKey, nKey) < nKey) return FALSE;
    std::string bytes;
    if (!DecodeBytes(pszStored, pszKey, nKeyLength, bytes)) return FALSE;
    // The text with its terminator must fit; invalid UTF-8 is refused rather than guessed at.
    const int nBytes = static_cast<int>(bytes.size());
    const int nChars = MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, bytes.data(), nBytes, nullptr, 0);
    if (nChars <= 0 || nChars >= nBufferChars) return FALSE;
    MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, bytes.data(), nBytes, pszBuffer, nChars);
    pszBuffer[nChars] = L'\0';
    return TRUE;
}
