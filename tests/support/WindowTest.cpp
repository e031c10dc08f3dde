#include "app/support/VrxCommon.h"

#include <gtest/gtest.h>

namespace {

// A top-level window with two child controls, one of them nested in the other.
class DialogWindow : public ::testing::Test {
protected:
    void SetUp() override {
        m_hWnd = CreateWindowExW(0, L"STATIC", L"Dralvex", WS_OVERLAPPEDWINDOW, 100, 120, 300, 200, nullptr, nullptr,
                                 nullptr, nullptr);
        ASSERT_TRUE(m_hWnd);
        m_hChild = CreateWindowExW(0, L"BUTTON", L"OK", WS_CHILD | WS_VISIBLE, 10, 10, 80, 24, m_hWnd, nullptr,
                                   nullptr, nullptr);
        m_hGrandChild = CreateWindowExW(0, L"STATIC", L"text", WS_CHILD | WS_VISIBLE, 2, 2, 40, 12, m_hChild,
                                        nullptr, nullptr, nullptr);
        ASSERT_TRUE(m_hChild && m_hGrandChild);
    }
    void TearDown() override { DestroyWindow(m_hWnd); }

    HWND m_hWnd = nullptr;
    HWND m_hChild = nullptr;
    HWND m_hGrandChild = nullptr;
};

LOGFONTW FontOf(const CFont& font) {
    LOGFONTW lf = {};
    GetObjectW(font.GetSafeHandle(), sizeof(lf), &lf);
    return lf;
}

}  // namespace

TEST(CreateDialogFonts, DialogFontAtEightPointsAndABoldLargerTitle) {
    CFont fontDialog, fontTitle;
    ASSERT_TRUE(CreateDialogFonts(L"Tahoma", fontDialog, fontTitle));
    const HDC hdc = GetDC(nullptr);
    const int nDpi = GetDeviceCaps(hdc, LOGPIXELSY);
    ReleaseDC(nullptr, hdc);

    const LOGFONTW lfDialog = FontOf(fontDialog);
    const LOGFONTW lfTitle = FontOf(fontTitle);
    EXPECT_STREQ(L"Tahoma", lfDialog.lfFaceName);
    EXPECT_STREQ(L"Tahoma", lfTitle.lfFaceName);
    EXPECT_EQ(-MulDiv(8, nDpi, 72), lfDialog.lfHeight);
    EXPECT_EQ(FW_NORMAL, lfDialog.lfWeight);
    EXPECT_LT(lfTitle.lfHeight, lfDialog.lfHeight) << "title not larger";
    EXPECT_EQ(FW_BOLD, lfTitle.lfWeight);

    EXPECT_FALSE(CreateDialogFonts(L"", fontDialog, fontTitle));
}

TEST_F(DialogWindow, FontGoesToTheWindowAndEveryChild) {
    CFont fontDialog, fontTitle;
    ASSERT_TRUE(CreateDialogFonts(L"Segoe UI", fontDialog, fontTitle));
    ApplyDialogFont(m_hWnd, fontDialog);
    for (const HWND hWnd : {m_hWnd, m_hChild, m_hGrandChild})
        EXPECT_EQ(reinterpret_cast<LRESULT>(fontDialog.GetSafeHandle()), SendMessageW(hWnd, WM_GETFONT, 0, 0));
}

TEST_F(DialogWindow, AdjustRestoresAMinimisedWindowInPlace) {
    ShowWindow(m_hWnd, SW_SHOW);
    RECT rcBefore = {};
    GetWindowRect(m_hWnd, &rcBefore);
    ShowWindow(m_hWnd, SW_MINIMIZE);
    ASSERT_TRUE(IsIconic(m_hWnd));

    AdjustDialogWindow(m_hWnd);
    EXPECT_FALSE(IsIconic(m_hWnd));
    EXPECT_TRUE(IsWindowVisible(m_hWnd));
    RECT rcAfter = {};
    GetWindowRect(m_hWnd, &rcAfter);
    EXPECT_TRUE(EqualRect(&rcBefore, &rcAfter));
}

TEST_F(DialogWindow, AdjustLeavesAHiddenWindowHidden) {
    // The update dialog stays hidden in automatic mode although it is brought forward.
    AdjustDialogWindow(m_hWnd);
    EXPECT_FALSE(IsWindowVisible(m_hWnd));
    AdjustDialogWindow(nullptr);
}
