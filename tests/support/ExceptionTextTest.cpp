#include "app/support/ExceptionText.h"

#include <gtest/gtest.h>

#include <wininet.h>

TEST(ExceptionText, NumbersAreDecimalText) {
    EXPECT_STREQ(L"12029", InetExceptionError(CInternetException(ERROR_INTERNET_CANNOT_CONNECT, 1)));
    EXPECT_STREQ(L"1", InetExceptionContext(CInternetException(ERROR_INTERNET_CANNOT_CONNECT, 1)));
    EXPECT_STREQ(L"4294967295", InetExceptionError(CInternetException(0xFFFFFFFF, 0)));
    EXPECT_STREQ(L"0", InetExceptionContext(CInternetException(12002, 0)));
    EXPECT_STREQ(L"32", FileExceptionOsError(CFileException(CFileException::sharingViolation, 32, L"a.bin")));
    EXPECT_STREQ(L"-1", FileExceptionOsError(CFileException()));
}

TEST(ExceptionText, MessagesComeFromTheMessageTablesWithoutLineBreak) {
    // Each text names its subject (the wording differs between Windows versions and Wine).
    const struct {
        CString strText;
        const wchar_t* pszWord;
    } cases[] = {
        {InetExceptionMessage(CInternetException(ERROR_INTERNET_CANNOT_CONNECT, 1)), L"server"},
        {InetExceptionMessage(CInternetException(ERROR_INTERNET_TIMEOUT, 1)), L"time"},
        {InetExceptionMessage(CInternetException(ERROR_ACCESS_DENIED, 1)), L"denied"},
        {FileExceptionMessage(CFileException(CFileException::fileNotFound, ERROR_FILE_NOT_FOUND, L"x")), L"file"},
    };
    for (const auto& c : cases) {
        CString strLower = c.strText;
        EXPECT_NE(-1, strLower.MakeLower().Find(c.pszWord)) << c.strText.ToUtf8();
        EXPECT_EQ(-1, c.strText.FindOneOf(L"\r\n")) << c.strText.ToUtf8();
    }
}

TEST(ExceptionText, UnknownCodesGiveTheNumber) {
    EXPECT_STREQ(L"Error 12999", InetExceptionMessage(CInternetException(12999, 1)));
    EXPECT_STREQ(L"Error -1", FileExceptionMessage(CFileException(CFileException::genericException, -1, L"x")));
}
