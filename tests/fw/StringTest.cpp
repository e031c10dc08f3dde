#include "fw/String.h"

#include <gtest/gtest.h>

TEST(CString, FormatUsesWideStringsForPercentS) {
    CString s;
    s.Format(L"%s=%d [%08d] %x", L"key", -5, 42, 255);
    EXPECT_STREQ(L"key=-5 [00000042] ff", s);
}

TEST(CString, FormatLongerThanAnyFixedBuffer) {
    const std::wstring big(5000, L'x');
    CString s;
    s.Format(L"<%s>", big.c_str());
    EXPECT_EQ(5002, s.GetLength());
    EXPECT_EQ(L'>', s[5001]);
}

TEST(CString, SlicesClampOutOfRangeArguments) {
    const CString s(L"abcdef");
    EXPECT_STREQ(L"cdef", s.Mid(2));
    EXPECT_STREQ(L"cd", s.Mid(2, 2));
    EXPECT_STREQ(L"", s.Mid(10));
    EXPECT_STREQ(L"ab", s.Mid(-3, 2));
    EXPECT_STREQ(L"abcdef", s.Left(99));
    EXPECT_STREQ(L"", s.Left(-1));
    EXPECT_STREQ(L"ef", s.Right(2));
    EXPECT_STREQ(L"abcdef", s.Right(99));
}

TEST(CString, FindAndReverseFind) {
    const CString s(L"INSTALLDIR=\"C:\\x\" MODEL=abc");
    EXPECT_EQ(0, s.Find(L"INSTALLDIR="));
    EXPECT_EQ(18, s.Find(L"MODEL="));
    EXPECT_EQ(-1, s.Find(L"model="));
    EXPECT_EQ(11, s.Find(L'"'));
    EXPECT_EQ(16, s.Find(L'"', 12));
    EXPECT_EQ(-1, s.Find(L'"', 17));
    EXPECT_EQ(-1, s.Find(L"x", 100));
    EXPECT_EQ(16, s.ReverseFind(L'"'));
}

TEST(CString, TrimReplaceTokenize) {
    CString s(L"  \t a b  \r\n");
    EXPECT_STREQ(L"a b", s.Trim());
    CString r(L"aaa");
    EXPECT_EQ(3, r.Replace(L"a", L"aa"));
    EXPECT_STREQ(L"aaaaaa", r);
    const CString t(L",one,,two,");
    int pos = 0;
    EXPECT_STREQ(L"one", t.Tokenize(L",", pos));
    EXPECT_STREQ(L"two", t.Tokenize(L",", pos));
    EXPECT_STREQ(L"", t.Tokenize(L",", pos));
    EXPECT_EQ(-1, pos);
}

TEST(CString, CaseAndComparison) {
    CString s(L"Tessaline");
    EXPECT_NE(0, s.Compare(L"tessaline"));
    EXPECT_EQ(0, s.CompareNoCase(L"TESSALINE"));
    EXPECT_STREQ(L"TESSALINE", s.MakeUpper());
}

TEST(CString, BufferRoundTrip) {
    CString s;
    const DWORD n = GetEnvironmentVariableW(L"SystemRoot", s.GetBuffer(MAX_PATH), MAX_PATH);
    s.ReleaseBuffer();
    EXPECT_GT(n, 0u);
    EXPECT_EQ(static_cast<int>(n), s.GetLength());
}
