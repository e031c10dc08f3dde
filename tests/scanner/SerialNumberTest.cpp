// The two serial-number forms and the reasons a text is neither.
#include "app/VelorixUpdater.h"

#include <gtest/gtest.h>

TEST(ClassifySerialNo, FormsAndReasonsInTheirOrder) {
    struct Case {
        CString strText;
        int nExpected;
    };
    const Case cases[] = {
        {L"ABCDE12345", 10},
        {L"abcde12345", 10},
        {L"0aB9h00000", 10},
        {L"123456", 6},
        {L"000000", 6},
        {L"", -1},
        // An embedded null character: the text is longer than what a C string of it shows.
        {CString(L"ABCDE\0" L"2345", 10), -3},
        {CString(L"12\0" L"456", 6), -3},
        {L"ABCDE", -2},
        {L"1234567", -2},
        {L"ABCDE123456", -2},
        {L"12345A", -4},
        {L" 12345", -4},
        {L"ABC-E12345", -5},
        {L"ABCD\u00C9" L"12345", -5},  // a letter outside A-Z
        {L"ABCDI12345", -6},
        {L"oBCDE12345", -6},
        {L"ABCDz12345", -6},
        {L"QSXZO12345", -6},
        {L"ABCDE1234X", -7},
        {L"ABCDE 2345", -7},
        // The first failing rule decides: an excluded letter before a bad digit part.
        {L"ABCDIABCDE", -6},
        {L"AB-DIABCDE", -5},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.strText.ToUtf8());
        EXPECT_EQ(c.nExpected, CVelorixUpdaterApp::ClassifySerialNo(c.strText));
    }
}
