// Message boxes as the user sees them: caption and text from the string table, the
// message language, and the order of the program's dialogs around an open box.
#include "app/MessageBox.h"
#include "app/WindowOrder.h"
#include "app/VelorixUpdater.h"
#include "resources/resource.h"
#include "tests/common/DialogProbe.h"

#include <gtest/gtest.h>

#include <thread>

namespace {

// Shows a box on this thread while another thread reads it and presses nButton.
struct ShownBox {
    DialogTexts texts;
    int nResult = 0;
    LONG_PTR lExStyle = 0;  // the box's extended style
};

ShownBox ShowAndAnswer(UINT nTextId, UINT uStyle, int nButton, const wchar_t* pszArg = nullptr) {
    ShownBox box;
    std::thread reader([&box, nButton] {
        const HWND hBox = WaitForDialog(GetCurrentProcessId(), L"#32770", 10000);
        if (!hBox) return;
        box.texts = ReadDialog(hBox);
        box.lExStyle = GetWindowLongPtrW(hBox, GWL_EXSTYLE);
        PressButton(hBox, nButton);
    });
    box.nResult = ShowMessage(nullptr, nullptr, IDS_CAPTION, nTextId, uStyle, nullptr, 0, 0, pszArg);
    reader.join();
    return box;
}

}  // namespace

TEST(ShowMessage, ShowsTheStringTableTextsAndReturnsTheAnswer) {
    const ShownBox box = ShowAndAnswer(IDS_MSG_OTHER_INSTALLATION, MB_ICONEXCLAMATION, IDOK);
    EXPECT_EQ(IDOK, box.nResult);
    EXPECT_STREQ(L"Dralvex", box.texts.strCaption);
    if (GetMessageLanguage() != LANG_ARABIC) {
        EXPECT_FALSE(box.lExStyle & (WS_EX_RTLREADING | WS_EX_LAYOUTRTL));
    }
    EXPECT_TRUE(box.texts.Contains(L"Another installation is in progress. You must complete that installation "
                                   L"before continuing this one."));
}

TEST(ShowMessage, YesNoQuestionReturnsYes) {
    const ShownBox box = ShowAndAnswer(IDS_MSG_OTHER_INSTALLATION, MB_YESNO | MB_ICONEXCLAMATION | MB_DEFBUTTON2, IDYES);
    EXPECT_EQ(IDYES, box.nResult);
}

TEST(ShowMessage, MultiLineTextKeepsItsLines) {
    const ShownBox box = ShowAndAnswer(IDS_MSG_SOFTWARE_UNSUPPORTED, MB_ICONEXCLAMATION, IDOK);
    EXPECT_TRUE(box.texts.Contains(L"The software to be downloaded and installed is not selected.\nNot supported by "
                                   L"the Dralvex:\n - Tessaline"));
}

// Run a second time by ctest with an Arabic system locale (LANG=ar_SA.UTF-8).
TEST(ShowMessageArabic, BoxesReadRightToLeft) {
    if (GetMessageLanguage() != LANG_ARABIC) GTEST_SKIP() << "the system locale is not Arabic";
    const ShownBox box = ShowAndAnswer(IDS_MSG_OTHER_INSTALLATION, MB_ICONEXCLAMATION, IDOK);
    EXPECT_EQ(IDOK, box.nResult);
    // Windows marks the box right-to-left reading; Wine mirrors its whole layout.
    EXPECT_TRUE(box.lExStyle & (WS_EX_RTLREADING | WS_EX_LAYOUTRTL));
}

TEST(MessageLanguage, SystemLanguageMapping) {
    struct Case {
        WORD wSystem, wMessage;
    };
    const Case cases[] = {
        {0x1004, 0x09}, {0x0404, 0x0404}, {0x0C04, 0x0404}, {0x1404, 0x0404}, {0x0804, 0x0804},
        {0x0401, 0x01}, {0x0801, 0x01},   {0x2C01, 0x01},   {0x4001, 0x01},   {0x0409, 0x09},
        {0x0809, 0x09}, {0x0411, 0x11},   {0x0407, 0x07},   {0x040C, 0x0C},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.wMessage, MapMessageLanguage(c.wSystem)) << std::hex << c.wSystem;
    }
}

TEST(MessageLanguage, FollowsTheSystemDefaultLanguage) {
    EXPECT_EQ(MapMessageLanguage(GetSystemDefaultLangID()), GetMessageLanguage());
}

namespace {

// A visible top-level dialog of the program's class, or a plain dialog owned by hOwner.
HWND CreateTestDialog(const wchar_t* pszClass, HWND hOwner, const wchar_t* pszTitle) {
    const HWND hWnd = CreateWindowExW(0, pszClass, pszTitle, WS_POPUP | WS_CAPTION | WS_VISIBLE, 100, 100, 300, 200,
                                      hOwner, nullptr, GetModuleHandleW(nullptr), nullptr);
    return hWnd;
}

// True when hUpper lies above hLower in the z-order.
bool IsAbove(HWND hUpper, HWND hLower) {
    for (HWND h = GetWindow(hLower, GW_HWNDPREV); h; h = GetWindow(h, GW_HWNDPREV)) {
        if (h == hUpper) return true;
    }
    return false;
}

void PumpPending() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
}

}  // namespace

TEST(SetForegroundEx, TheOwnerOfAnOpenBoxEndsInFront) {
    ASSERT_TRUE(CVelorixUpdaterApp::RegisterDialogClass(GetModuleHandleW(nullptr)));
    const HWND hFirst = CreateTestDialog(kDialogClassName, nullptr, L"first");
    const HWND hSecond = CreateTestDialog(kDialogClassName, nullptr, L"second");
    ASSERT_TRUE(hFirst && hSecond);

    // A box owned by the other dialog: the caller goes first, the box's owner last.
    const HWND hBox = CreateTestDialog(L"#32770", hFirst, L"box");
    SetForegroundEx(hSecond);
    PumpPending();
    EXPECT_TRUE(IsAbove(hFirst, hSecond));
    DestroyWindow(hBox);

    // A box owned by the caller: the caller ends in front.
    const HWND hOwnBox = CreateTestDialog(L"#32770", hSecond, L"own box");
    SetForegroundEx(hSecond);
    PumpPending();
    EXPECT_TRUE(IsAbove(hSecond, hFirst));
    DestroyWindow(hOwnBox);

    // No box at all: the other dialog ends in front.
    SetForegroundEx(hFirst);
    PumpPending();
    EXPECT_TRUE(IsAbove(hSecond, hFirst));

    DestroyWindow(hSecond);
    DestroyWindow(hFirst);
}
