#include "app/support/VrxCommon.h"
#include "fw/Handle.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// A settings file in the temporary folder, removed at the end of the test.
class IniFile : public ::testing::Test {
protected:
    void SetUp() override {
        wchar_t szTemp[MAX_PATH] = {};
        GetTempPathW(MAX_PATH, szTemp);
        m_strPath.Format(L"%sdlv-ini-%lu-%llu.ini", szTemp, GetCurrentProcessId(), GetTickCount64());
    }
    void TearDown() override { DeleteFileW(m_strPath); }

    void Write(const std::string& content) {
        const CHandle hFile(CreateFileW(m_strPath, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
        ASSERT_TRUE(hFile);
        DWORD dwWritten = 0;
        ASSERT_TRUE(WriteFile(hFile.Get(), content.data(), static_cast<DWORD>(content.size()), &dwWritten, nullptr));
    }

    CString m_strPath;
};

}  // namespace

TEST_F(IniFile, IntegersThatAreNotWholeNumbersGiveTheDefault) {
    Write("[WebServer]\r\n"
          "Count=42\r\nNegative=-5\r\nZero=0\r\nPlus=+8\r\nSpaced=   7   \r\nQuoted=\"9\"\r\n"
          "Letters=abc\r\nTrailing=12x\r\nEmpty=\r\nHex=0x10\r\nFraction=1.5\r\nTooBig=2147483648\r\n"
          "TooSmall=-2147483649\r\nLargest=2147483647\r\n");
    const struct {
        const wchar_t* pszKey;
        int nExpected;
    } cases[] = {
        {L"Count", 42},       {L"Negative", -5},   {L"Zero", 0},       {L"Plus", 8},
        {L"Spaced", 7},       {L"Quoted", 9},      {L"Letters", -1},   {L"Trailing", -1},
        {L"Empty", -1},       {L"Hex", -1},        {L"Fraction", -1},  {L"TooBig", -1},
        {L"TooSmall", -1},    {L"Largest", 2147483647}, {L"Missing", -1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(CString(c.pszKey).ToUtf8());
        EXPECT_EQ(c.nExpected, ReadIniInt(L"WebServer", c.pszKey, m_strPath, -1));
    }
    EXPECT_EQ(3000, ReadIniInt(L"WebServer", L"Letters", m_strPath, 3000));
    EXPECT_EQ(10000, ReadIniInt(L"GetSerialNo", L"Count", m_strPath, 10000));
}

TEST_F(IniFile, MissingFileGivesDefaultsAndEmptyStrings) {
    EXPECT_EQ(10000, ReadIniInt(L"GetSerialNo", L"GetSerialNoRetrySleep", m_strPath, 10000));
    CString strValue = L"left over";
    ReadIniString(L"WebServer", L"URL_INST", m_strPath, strValue);
    EXPECT_STREQ(L"", strValue);
}

TEST_F(IniFile, StringsOfAnyLengthAreReadWhole) {
    const std::string longValue = "http://127.0.0.1/" + std::string(5000, 'v') + "/end";
    Write("[WebServer]\r\nURL_INST=http://127.0.0.1:8080/list\r\nLONG=" + longValue + "\r\nEXACT=" +
          std::string(255, 'e') + "\r\n");
    CString strValue;
    ReadIniString(L"WebServer", L"URL_INST", m_strPath, strValue);
    EXPECT_STREQ(L"http://127.0.0.1:8080/list", strValue);
    ReadIniString(L"WebServer", L"LONG", m_strPath, strValue);
    EXPECT_EQ(longValue, strValue.ToUtf8());
    // One character short of the first buffer: the value must not be mistaken for a truncated one or cut.
    ReadIniString(L"WebServer", L"EXACT", m_strPath, strValue);
    EXPECT_EQ(255, strValue.GetLength());
    ReadIniString(L"WebServer", L"URL_STARTUP", m_strPath, strValue);
    EXPECT_STREQ(L"", strValue);
}
