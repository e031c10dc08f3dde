// Finding the setup manager's windows among real windows of this test and of another process.
#include "fw/ResourceHandle.h"
#include "setupmgr/WndFunc.h"
#include "tests/common/ProgramRun.h"
#include "tests/setupmgr/SetupMgrTestSupport.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {

struct _CaseWindow {
    const wchar_t* pszTitle;
    int iOwner;  // index of an earlier window that owns this one, or -1
};

struct _DiscoveryCase {
    const char* pszName;
    std::vector<_CaseWindow> windows;  // created in this order, so later ones lie above earlier ones
    int iSetupManager;                 // index of the window FindWindowSetupManager returns, -1 for null
    int iDownloadPage;                 // the same for FindWindowDownloadPage
};

const _DiscoveryCase kDiscoveryCases[] = {
    {"NoWindows", {}, -1, -1},
    {"OnlyTheDownloadPage", {{L"Download Software", -1}}, -1, 0},
    {"SetupManagerAlone", {{L"zorv Series Setup", -1}}, 0, -1},
    {"SetupManagerAndDownloadPage", {{L"zorv Series Setup", -1}, {L"Download Software", -1}}, 0, 1},
    {"OwnedWindowOfTheSameTitle", {{L"QL Series Setup", -1}, {L"QL Series Setup", 0}}, 0, 1},
    {"OwnedWindowOfAnotherTitle", {{L"Another Program", -1}, {L"Quillet Setup", 0}}, 1, 1},
    {"QlBeforeVelorix", {{L"QL Series Setup", -1}, {L"Velorix Setup", -1}}, 0, -1},
    {"QuilletBeforeVelorix", {{L"Velorix Setup", -1}, {L"Quillet Setup", -1}}, 1, -1},
    {"ParentlessSetupManagerEndsTheSearch",
     {{L"zorv Series Setup", -1}, {L"Another Program", -1}, {L"QL Series Setup", 1}}, 0, -1},
    {"ZorvBeforeQl", {{L"QL Series Setup", -1}, {L"zorv Series Setup", -1}, {L"Download Software", -1}}, 1, 2},
};

void PrintTo(const _DiscoveryCase& c, std::ostream* os) { *os << c.pszName; }

class SetupManagerDiscovery : public testing::TestWithParam<_DiscoveryCase> {};

TEST_P(SetupManagerDiscovery, FindsMainWindowAndDownloadPage) {
    const _DiscoveryCase& c = GetParam();
    std::vector<std::unique_ptr<CTestWindow>> windows;
    std::vector<HWND> handles;
    for (const _CaseWindow& item : c.windows) {
        windows.push_back(std::make_unique<CTestWindow>(item.pszTitle, false, item.iOwner >= 0 ? handles[item.iOwner] : nullptr));
        ASSERT_TRUE(windows.back()->Get());
        handles.push_back(windows.back()->Get());
    }
    const auto indexOf = [&](HWND hWnd) {
        const auto it = std::find(handles.begin(), handles.end(), hWnd);
        return hWnd && it != handles.end() ? static_cast<int>(it - handles.begin()) : (hWnd ? -2 : -1);
    };

    WndFunc wndFunc(0);
    EXPECT_EQ(c.iSetupManager, indexOf(wndFunc.FindWindowSetupManager()));
    EXPECT_EQ(c.iDownloadPage, indexOf(wndFunc.FindWindowDownloadPage()));
}

INSTANTIATE_TEST_SUITE_P(WndFunc, SetupManagerDiscovery, testing::ValuesIn(kDiscoveryCases),
                         [](const testing::TestParamInfo<_DiscoveryCase>& info) { return info.param.pszName; });

struct _StackWindow {
    const wchar_t* pszTitle;
    bool bVisible;
    bool bOtherProcess;  // shown by the MutexHolder fixture
};

struct _SearchCase {
    const char* pszName;
    std::vector<_StackWindow> windows;  // bottom to top of the z-order
    int iExpected;                      // index of the window SearchWndParent returns, -1 for null
};

const _SearchCase kSearchCases[] = {
    {"TitleNotShown", {{L"Another Program", true, false}}, -1},
    {"TitledWindowAlone", {{L"Velorix Setup", true, false}}, 0},
    {"HiddenTitledWindowAlone", {{L"Velorix Setup", false, false}}, 0},
    {"DialogAboveIt", {{L"Velorix Setup", true, false}, {L"Setup Dialog", true, false}}, 1},
    {"HiddenWindowBetween",
     {{L"Velorix Setup", true, false}, {L"Hidden", false, false}, {L"Setup Dialog", true, false}}, 2},
    {"HiddenWindowOnTop", {{L"Velorix Setup", true, false}, {L"Hidden", false, false}}, 0},
    {"OtherProgramBetween",
     {{L"Velorix Setup", true, false}, {L"Another Program", true, true}, {L"Setup Dialog", true, false}}, 0},
};

void PrintTo(const _SearchCase& c, std::ostream* os) { *os << c.pszName; }

class SearchWndParentStack : public testing::TestWithParam<_SearchCase> {
protected:
    void SetUp() override { DeleteFuncLog(); }
};

TEST_P(SearchWndParentStack, ReturnsTopMostVisibleWindowOfTheSameProgram) {
    const _SearchCase& c = GetParam();
    std::vector<std::unique_ptr<CTestWindow>> windows;
    std::unique_ptr<CMutexHolder> holder;
    std::vector<HWND> stack;
    for (const _StackWindow& item : c.windows) {
        if (item.bOtherProcess) {
            holder = std::make_unique<CMutexHolder>(L"DlvTest_SearchWndParent", item.pszTitle);
            ASSERT_TRUE(holder->IsReady());
            stack.push_back(FindWindowW(nullptr, item.pszTitle));
        } else {
            windows.push_back(std::make_unique<CTestWindow>(item.pszTitle, item.bVisible));
            stack.push_back(windows.back()->Get());
        }
        ASSERT_TRUE(stack.back());
    }
    for (HWND hWnd : stack) SetWindowPos(hWnd, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    for (size_t i = 0; i + 1 < stack.size(); ++i) ASSERT_EQ(stack[i + 1], GetWindow(stack[i], GW_HWNDPREV)) << i;

    WndFunc wndFunc(0);
    HWND hFound = wndFunc.SearchWndParent(L"Velorix Setup");
    EXPECT_EQ(c.iExpected < 0 ? nullptr : stack[c.iExpected], hFound);
    EXPECT_STREQ(c.iExpected < 0 ? L"FindWindow() returns NULL. target=Velorix Setup" : L"", LastFuncLogError());
}

INSTANTIATE_TEST_SUITE_P(WndFunc, SearchWndParentStack, testing::ValuesIn(kSearchCases),
                         [](const testing::TestParamInfo<_SearchCase>& info) { return info.param.pszName; });

// Restores the program's resource module when the test ends.
class CResourceModuleScope {
public:
    explicit CResourceModuleScope(HINSTANCE hModule) { AfxSetResourceHandle(hModule); }
    ~CResourceModuleScope() { AfxSetResourceHandle(nullptr); }
};

TEST(WndFuncTitles, MissingFromTheResourceModuleFindNothing) {
    // The fixture program has no string table.
    const CString strFixture = TestBinDir() + L"\\MutexHolder.exe";
    const CModule hNoStrings(LoadLibraryExW(strFixture, nullptr, LOAD_LIBRARY_AS_DATAFILE));
    ASSERT_TRUE(hNoStrings);
    const CTestWindow untitled(L"", false);
    ASSERT_EQ(untitled.Get(), FindWindowW(nullptr, L""));  // an empty title would find it

    const CResourceModuleScope scope(hNoStrings.Get());
    WndFunc wndFunc(0);
    EXPECT_EQ(nullptr, wndFunc.FindWindowSetupManager());
    EXPECT_EQ(nullptr, wndFunc.FindWindowDownloadPage());
    EXPECT_EQ(nullptr, wndFunc.SearchWndParent(L""));
}

}  // namespace
