#include "app/support/VrxCommon.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

// A registry key of this test under HKEY_CURRENT_USER, removed at the end of the test.
class RegistryKey : public ::testing::Test {
protected:
    void SetUp() override {
        m_strKey.Format(L"Software\\DralvexSupportTest\\%lu-%llu", GetCurrentProcessId(), GetTickCount64());
    }
    void TearDown() override { RegDeleteTreeW(HKEY_CURRENT_USER, m_strKey); }

    int WriteString(const wchar_t* pszName, const wchar_t* pszText) {
        const _RegistryValue value = {pszName, REG_SZ, const_cast<wchar_t*>(pszText),
                                      static_cast<DWORD>((wcslen(pszText) + 1) * sizeof(wchar_t))};
        return WriteRegistryValue(&value, HKEY_CURRENT_USER, m_strKey);
    }

    CString m_strKey;
};

}  // namespace

TEST_F(RegistryKey, StringsRoundTripAndNeedRoomForTheirTerminator) {
    ASSERT_EQ(0, WriteString(L"Text", L"abcde"));
    const struct {
        DWORD dwChars;
        int nExpected;
        const wchar_t* pszRead;
    } cases[] = {{260, REGVALUE_OK, L"abcde"}, {6, REGVALUE_OK, L"abcde"}, {5, REGVALUE_NOT_READ, L""},
                 {1, REGVALUE_NOT_READ, L""}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.dwChars);
        wchar_t szBuffer[261];
        wmemset(szBuffer, L'#', 261);
        _RegistryValue value = {L"Text", REG_SZ, szBuffer, c.dwChars * static_cast<DWORD>(sizeof(wchar_t))};
        EXPECT_EQ(c.nExpected, ReadRegistryValue(&value, HKEY_CURRENT_USER, m_strKey));
        EXPECT_STREQ(c.pszRead, szBuffer);
        EXPECT_EQ(L'#', szBuffer[c.dwChars]) << "written past the buffer";
    }
}

TEST_F(RegistryKey, RestartFlagWithoutDataIsAnEmptyStringThatReadsBack) {
    const _RegistryValue flag = {L"Dralvex", REG_SZ, nullptr, 0};
    ASSERT_EQ(0, WriteRegistryValue(&flag, HKEY_CURRENT_USER, m_strKey));
    wchar_t szBuffer[260] = {L'x'};
    _RegistryValue value = {L"Dralvex", REG_SZ, szBuffer, sizeof(szBuffer)};
    EXPECT_EQ(REGVALUE_OK, ReadRegistryValue(&value, HKEY_CURRENT_USER, m_strKey));
    EXPECT_STREQ(L"", szBuffer);
}

TEST_F(RegistryKey, DwordsRoundTrip) {
    DWORD dwWritten = 0xC0FFEE;
    const _RegistryValue write = {L"EnableLUA", REG_DWORD, &dwWritten, sizeof(dwWritten)};
    ASSERT_EQ(0, WriteRegistryValue(&write, HKEY_CURRENT_USER, m_strKey));
    DWORD dwRead = 0;
    _RegistryValue read = {L"EnableLUA", REG_DWORD, &dwRead, sizeof(dwRead)};
    EXPECT_EQ(REGVALUE_OK, ReadRegistryValue(&read, HKEY_CURRENT_USER, m_strKey));
    EXPECT_EQ(0xC0FFEEu, dwRead);
}

TEST_F(RegistryKey, MissingOrMismatchedValuesAreNotRead) {
    ASSERT_EQ(0, WriteString(L"Text", L"1"));
    DWORD dwValue = 7;
    wchar_t szBuffer[260] = {};
    const struct {
        const char* pszCase;
        _RegistryValue value;
        const wchar_t* pszSubKey;
    } cases[] = {
        {"missing value", {L"Absent", REG_SZ, szBuffer, sizeof(szBuffer)}, m_strKey},
        {"missing key", {L"Text", REG_SZ, szBuffer, sizeof(szBuffer)}, L"Software\\DralvexSupportTest\\NoSuchKey"},
        {"string read as DWORD", {L"Text", REG_DWORD, &dwValue, sizeof(dwValue)}, m_strKey},
        {"DWORD buffer too small", {L"Text", REG_DWORD, &dwValue, 2}, m_strKey},
    };
    for (auto c : cases) {
        SCOPED_TRACE(c.pszCase);
        EXPECT_EQ(REGVALUE_NOT_READ, ReadRegistryValue(&c.value, HKEY_CURRENT_USER, c.pszSubKey));
    }
    EXPECT_EQ(7u, dwValue);
}

TEST_F(RegistryKey, WriteReportsFailure) {
    DWORD dwValue = 1;
    const _RegistryValue dword = {L"Value", REG_DWORD, &dwValue, sizeof(dwValue)};
    const _RegistryValue shortDword = {L"Value", REG_DWORD, &dwValue, 2};
    EXPECT_NE(0, WriteRegistryValue(&dword, nullptr, m_strKey));
    EXPECT_NE(0, WriteRegistryValue(&shortDword, HKEY_CURRENT_USER, m_strKey));
    EXPECT_EQ(REGVALUE_NOT_READ, ReadRegistryValue(const_cast<_RegistryValue*>(&dword), HKEY_CURRENT_USER, m_strKey));
}
