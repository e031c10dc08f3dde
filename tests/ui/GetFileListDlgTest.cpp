// The update-check progress window on its own thread: shown at once, Cancel only raises
// the flag, and the window stays on the screen for at least a second.
#include "app/VelorixUpdater.h"
#include "resources/resource.h"
#include "tests/common/DialogProbe.h"
#include "ui/GetFileListDlg.h"

#include <gtest/gtest.h>

namespace {

class GetFileListDlgTest : public testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(CVelorixUpdaterApp::RegisterDialogClass(GetModuleHandleW(nullptr))); }
};

}  // namespace

TEST_F(GetFileListDlgTest, ShowsAtOnceAndCancelOnlyRaisesTheFlag) {
    CGetFileListDlg thread;
    ASSERT_TRUE(thread.CreateThread());
    ASSERT_EQ(WAIT_OBJECT_0, WaitForSingleObject(thread.m_event.Get(), 10000));
    ASSERT_NE(nullptr, thread.m_hDlg);
    EXPECT_TRUE(IsWindowVisible(thread.m_hDlg));
    EXPECT_EQ(GetDlgItem(thread.m_hDlg, IDC_GET_FILE_LIST_PROGRESS), thread.m_hProgress);
    const DialogTexts texts = ReadDialog(thread.m_hDlg);
    EXPECT_STREQ(L"Dralvex", texts.strCaption);
    EXPECT_TRUE(texts.Contains(L"Referring to the server for the software information..."));

    PressButton(thread.m_hDlg, IDCANCEL);
    for (int i = 0; i < 100 && !thread.m_bCancel; ++i) Sleep(20);
    EXPECT_EQ(1, thread.m_bCancel);
    EXPECT_TRUE(IsWindow(thread.m_hDlg));
    EXPECT_TRUE(IsWindowEnabled(GetDlgItem(thread.m_hDlg, IDCANCEL)));

    const HWND hDlg = thread.m_hDlg;
    thread.EndThread();
    EXPECT_FALSE(IsWindow(hDlg));
    EXPECT_EQ(WAIT_OBJECT_0, WaitForSingleObject(thread.m_event.Get(), 0));
}

TEST_F(GetFileListDlgTest, StaysOnTheScreenForAtLeastOneSecond) {
    CGetFileListDlg thread;
    const DWORD dwStart = GetTickCount();
    ASSERT_TRUE(thread.CreateThread());
    ASSERT_EQ(WAIT_OBJECT_0, WaitForSingleObject(thread.m_event.Get(), 10000));
    thread.EndThread();
    EXPECT_GE(GetTickCount() - dwStart, 1000u);
}

TEST_F(GetFileListDlgTest, EndingAThreadWhoseQuitCameTooEarly) {
    // The owner may end the thread before its message loop runs; the flag still ends it.
    CGetFileListDlg thread;
    ASSERT_TRUE(thread.CreateThread());
    thread.EndThread();
    EXPECT_EQ(WAIT_OBJECT_0, WaitForSingleObject(thread.GetThreadHandle(), 0));
}
