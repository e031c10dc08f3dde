#include "app/support/VrxCommon.h"

#include <gtest/gtest.h>

#include <initializer_list>

namespace {

struct Acceptance {
    const wchar_t* pszText;
    BOOL bExpected;
};

void ExpectAcceptance(BOOL (*pfnAccepts)(const wchar_t*), std::initializer_list<Acceptance> cases) {
    for (const Acceptance& c : cases) {
        SCOPED_TRACE(CString(c.pszText).ToUtf8());
        EXPECT_EQ(c.bExpected, pfnAccepts(c.pszText));
    }
}

}  // namespace

TEST(IsVersionString, AcceptsOneToFourDottedWholeNumbers) {
    ExpectAcceptance(IsVersionString, {
        {L"1.2.3.4", TRUE},     {L"10.0.19041.1", TRUE}, {L"2.0", TRUE},       {L"7", TRUE},
        {L"01.002.3", TRUE},    {L"2147483647.0", TRUE}, {L"", FALSE},         {L"1.2.3.4.5", FALSE},
        {L"1..2", FALSE},       {L".1", FALSE},          {L"1.", FALSE},       {L"1.2a", FALSE},
        {L"V1.2", FALSE},       {L" 1.2", FALSE},        {L"1.2 ", FALSE},     {L"-1.-1.-1.-1", FALSE},
        {L"1,2", FALSE},        {L"2147483648.0", FALSE}, {L"\uff11.2", FALSE}, {nullptr, FALSE},
    });
}

TEST(IsNumberString, AcceptsDecimalDigitsWithinSigned64Bits) {
    ExpectAcceptance(IsNumberString, {
        {L"123456", TRUE},  {L"0", TRUE},    {L"000123", TRUE}, {L"9223372036854775807", TRUE},
        {L"9223372036854775808", FALSE},     {L"", FALSE},      {L"-1", FALSE},
        {L"+5", FALSE},     {L"12 ", FALSE}, {L" 12", FALSE},   {L"1.5", FALSE},
        {L"1e6", FALSE},    {L"0x10", FALSE}, {L"abc", FALSE},  {nullptr, FALSE},
    });
}

TEST(FormatSizeMB, ShowsWholeMegabytesRoundedUpAndCapped) {
    constexpr LONGLONG MB = 1024 * 1024;
    const struct {
        LONGLONG nBytes;
        const wchar_t* pszList;
        LONGLONG nShown;
    } cases[] = {
        {0, L"0", 0},
        {1, L"1", MB},
        {123456, L"1", MB},
        {MB, L"1", MB},
        {MB + 1, L"2", 2 * MB},
        {250 * MB - 1, L"250", 250 * MB},
        {99999 * MB, L"99999", 99999 * MB},
        {99999 * MB + 1, L"99999", 99999 * MB},
        {-1, L"0", 0},
        {LLONG_MAX, L"99999", 99999 * MB},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.nBytes);
        CString strText = L"old";
        LONGLONG nShown = -7;
        FormatSizeMBEx(c.nBytes, strText, 99999, 0, nShown);
        EXPECT_STREQ(c.pszList, strText);
        EXPECT_EQ(c.nShown, nShown);
    }

    const struct {
        ULONGLONG nBytes;
        const wchar_t* pszTotal;
    } totals[] = {
        {0, L"0"}, {3 * MB, L"3"}, {3 * MB + 5, L"4"}, {999999ULL * MB, L"999999"}, {ULLONG_MAX, L"999999"},
    };
    for (const auto& t : totals) {
        SCOPED_TRACE(t.nBytes);
        CString strText;
        FormatSizeMB(t.nBytes, strText, 999999, 0);
        EXPECT_STREQ(t.pszTotal, strText);
    }
}

TEST(FormatSizeMB, TotalOfShownSizesMatchesTheShownRows) {
    // The dialogs sum the shown sizes of the rows and show the sum: it must be the sum of the row texts.
    const LONGLONG sizes[] = {1, 300000, 1048577, 5000000};
    LONGLONG nTotal = 0;
    int nSumOfTexts = 0;
    for (const LONGLONG nBytes : sizes) {
        CString strText;
        LONGLONG nShown = 0;
        FormatSizeMBEx(nBytes, strText, 99999, 0, nShown);
        nTotal += nShown;
        nSumOfTexts += _wtoi(strText);
    }
    CString strTotal;
    FormatSizeMB(static_cast<ULONGLONG>(nTotal), strTotal, 999999, 0);
    EXPECT_EQ(nSumOfTexts, _wtoi(strTotal));
    EXPECT_STREQ(L"9", strTotal);
}

TEST(NumberToText, GivesTheLastErrorInDecimalAndKeepsIt) {
    const DWORD codes[] = {0, 5, 12029, 0xFFFFFFFF};
    const wchar_t* texts[] = {L"0", L"5", L"12029", L"4294967295"};
    for (int i = 0; i < 4; ++i) {
        CString strText = L"old";
        SetLastError(codes[i]);
        NumberToText(strText);
        EXPECT_STREQ(texts[i], strText);
        EXPECT_EQ(codes[i], GetLastError());
    }
}

TEST(EncodeIdentifier, GivesStableHexadecimalOfTheUtf8Bytes) {
    const struct {
        const wchar_t* pszIdentifier;
        const wchar_t* pszEncoded;
    } cases[] = {
        {L"AB12345678", L"41423132333435363738"},
        {L"00-1A-2B-3C-4D-5E", L"30302D31412D32422D33432D34442D3545"},
        {L"\u00e9", L"C3A9"},
        {L"", L""},
        {nullptr, L""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(CString(c.pszIdentifier).ToUtf8());
        EXPECT_STREQ(c.pszEncoded, EncodeIdentifier(c.pszIdentifier));
    }
}
