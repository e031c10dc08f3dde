#include "app/support/VrxCommon.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// The program's key form: twelve letters, three times, separated by blanks.
const wchar_t kKey[] = L"QwErTyUiOpAs QwErTyUiOpAs QwErTyUiOpAs";

// The encoding the update server applies (the inverse of DecodeCredential).
CString Encode(const CString& strCredential, const wchar_t* pszKey, int nKeyLength) {
    CString strEncoded;
    const std::string bytes = strCredential.ToUtf8();
    for (size_t i = 0; i < bytes.size(); ++i)
        strEncoded.AppendFormat(L"%02X", static_cast<unsigned char>(bytes[i]) ^ (pszKey[i % nKeyLength] & 0xFF));
    return strEncoded;
}

}  // namespace

TEST(DecodeCredential, DecodesWhatTheServerEncoded) {
    const wchar_t* credentials[] = {L"user:secret", L"a:b", L"us\u00e9r:p\u00e4ssw\u00f6rd\u65e5", L":"};
    for (const wchar_t* pszCredential : credentials) {
        SCOPED_TRACE(CString(pszCredential).ToUtf8());
        wchar_t szBuffer[260] = {};
        ASSERT_TRUE(DecodeCredential(Encode(pszCredential, kKey, 12), szBuffer, 260, kKey, 12));
        EXPECT_STREQ(pszCredential, szBuffer);
    }
}

TEST(DecodeCredential, FixedVectorsPinTheFormat) {
    const wchar_t kShortKey[] = L"KeyKeyKeyKey";
    wchar_t szBuffer[260] = {};
    EXPECT_TRUE(DecodeCredential(L"2A07432801", szBuffer, 260, kShortKey, 12));
    EXPECT_STREQ(L"ab:cd", szBuffer);
    EXPECT_TRUE(DecodeCredential(L"2a07432801", szBuffer, 260, kShortKey, 12));
    EXPECT_STREQ(L"ab:cd", szBuffer);
    // Only the first nKeyLength characters of the key count.
    EXPECT_TRUE(DecodeCredential(L"2A07432801", szBuffer, 260, L"Key and more", 3));
    EXPECT_STREQ(L"ab:cd", szBuffer);
}

TEST(DecodeCredential, RefusesMalformedTextAndLeavesTheBufferEmpty) {
    const struct {
        const char* pszCase;
        const wchar_t* pszStored;
        const wchar_t* pszKey;
        int nKeyLength;
    } cases[] = {
        {"empty", L"", L"KeyKeyKeyKey", 12},
        {"odd number of digits", L"2A0743280", L"KeyKeyKeyKey", 12},
        {"not hexadecimal", L"2A07ZZ2801", L"KeyKeyKeyKey", 12},
        {"blank inside", L"2A 07432801", L"KeyKeyKeyKey", 12},
        {"decodes to a zero byte", L"4B", L"KeyKeyKeyKey", 12},
        {"decodes to invalid UTF-8", L"B4", L"KeyKeyKeyKey", 12},
        {"key shorter than its length", L"2A07432801", L"Key", 12},
        {"no key length", L"2A07432801", L"KeyKeyKeyKey", 0},
        {"no key", L"2A07432801", nullptr, 12},
        {"no text", nullptr, L"KeyKeyKeyKey", 12},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.pszCase);
        wchar_t szBuffer[260];
        wmemset(szBuffer, L'#', 260);
        EXPECT_FALSE(DecodeCredential(c.pszStored, szBuffer, 260, c.pszKey, c.nKeyLength));
        EXPECT_EQ(L'\0', szBuffer[0]);
    }
}

TEST(DecodeCredential, ResultMustFitTheBufferWithItsTerminator) {
    wchar_t szBuffer[261];
    const CString strFits(L'u', 259);
    wmemset(szBuffer, L'#', 261);
    EXPECT_TRUE(DecodeCredential(Encode(strFits, kKey, 12), szBuffer, 260, kKey, 12));
    EXPECT_STREQ(strFits, szBuffer);

    const CString strTooLong(L'u', 260);
    wmemset(szBuffer, L'#', 261);
    EXPECT_FALSE(DecodeCredential(Encode(strTooLong, kKey, 12), szBuffer, 260, kKey, 12));
    EXPECT_EQ(L'\0', szBuffer[0]);
    EXPECT_EQ(L'#', szBuffer[260]) << "written past the buffer";
}
