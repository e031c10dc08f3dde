// The coexistence mutexes, held by other processes (the MutexHolder fixture) or taken by an
// object of another kind, and their release at every way out.
#include "setupmgr/WndFunc.h"
#include "tests/setupmgr/SetupMgrTestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

namespace {

const wchar_t kAgentMutex[] = L"Global\\zorvAgentUpdater_Mutex";
const wchar_t* const kAllMutexes[] = {
    L"zorv_Dralvex",        L"zorvSeriesOnlineUpdate_Updater", L"QuilletOnlineUpdate_Updater",
    kAgentMutex,            L"VelorixOnlineUpdate_Updater",    L"CustomWrapper_Setup",
};

struct _HeldCase {
    const char* pszName;
    const wchar_t* pszHeld;    // the name another holder has
    bool bHeldByEvent;         // held by an event of this process instead of another program's mutex
    const wchar_t* pszWindow;  // title of the window the holder shows, or null
    int iExpected;
    const wchar_t* pszErrorRecord;  // the last error record, or null when none is written
};

const _HeldCase kHeldCases[] = {
    {"OtherInstanceWithItsWindow", L"zorv_Dralvex", false, L"Dralvex", CHECKMUTEX_SELF_RUNNING, nullptr},
    {"OtherInstanceWithoutWindow", L"zorv_Dralvex", false, nullptr, CHECKMUTEX_SELF_RUNNING, nullptr},
    {"ProfessionalUpdater", L"zorvSeriesOnlineUpdate_Updater", false, nullptr, CHECKMUTEX_UPDATER_RUNNING,
     L"CheckMutexSub(MUTEX_ID_ZSU_UPDATER) returns MUTEX_ALREADY_EXISTS"},
    {"QuilletUpdater", L"QuilletOnlineUpdate_Updater", false, nullptr, CHECKMUTEX_UPDATER_RUNNING,
     L"CheckMutexSub(MUTEX_ID_ZSU_UPDATER_QL) returns MUTEX_ALREADY_EXISTS"},
    {"AgentUpdater", kAgentMutex, false, nullptr, CHECKMUTEX_AGENT_RUNNING,
     L"CheckMutexSub(MUTEX_ID_KWA_AGENTUPDATER) returns MUTEX_ALREADY_EXISTS"},
    {"VelorixUpdater", L"VelorixOnlineUpdate_Updater", false, nullptr, CHECKMUTEX_UPDATER_RUNNING,
     L"CheckMutexSub(MUTEX_ID_VQU_UPDATER) returns MUTEX_ALREADY_EXISTS"},
    {"SetupManagerWithoutReadableList", L"CustomWrapper_Setup", false, nullptr, CHECKMUTEX_NO_DOWNLOAD_LIST,
     L"GetListViewItems() returns -3"},
    {"OwnNameTakenByAnEvent", L"zorv_Dralvex", true, nullptr, CHECKMUTEX_CREATE_ERROR,
     L"CheckMutexSub(MUTEX_ID_DRALVEX) returns MUTEX_CREATE_ERROR"},
    {"UpdaterNameTakenByAnEvent", L"QuilletOnlineUpdate_Updater", true, nullptr, CHECKMUTEX_CREATE_ERROR,
     L"CheckMutexSub(MUTEX_ID_ZSU_UPDATER_QL) returns MUTEX_CREATE_ERROR"},
    {"SetupManagerNameTakenByAnEvent", L"CustomWrapper_Setup", true, nullptr, CHECKMUTEX_CREATE_ERROR,
     L"CheckMutexSub(MUTEX_ID_SETUPMANAGER) returns MUTEX_CREATE_ERROR"},
};

void PrintTo(const _HeldCase& c, std::ostream* os) { *os << c.pszName; }

class MutexHeldElsewhere : public testing::TestWithParam<_HeldCase> {
protected:
    void SetUp() override { DeleteFuncLog(); }
};

TEST_P(MutexHeldElsewhere, RefusesAndKeepsNoMutex) {
    const _HeldCase& c = GetParam();
    CHandle hEvent;
    std::unique_ptr<CMutexHolder> holder;
    if (c.bHeldByEvent) {
        hEvent.Reset(CreateEventW(nullptr, TRUE, FALSE, c.pszHeld));
        ASSERT_TRUE(hEvent);
    } else {
        holder = std::make_unique<CMutexHolder>(c.pszHeld, c.pszWindow);
        ASSERT_TRUE(holder->IsReady());
    }
    HWND hOther = c.pszWindow ? FindWindowW(nullptr, c.pszWindow) : nullptr;
    if (c.pszWindow) {
        ASSERT_TRUE(hOther);
        ASSERT_FALSE(GetWindowLongW(hOther, GWL_EXSTYLE) & WS_EX_TOPMOST);
    }

    WndFunc wndFunc(0);
    EXPECT_EQ(c.iExpected, wndFunc.CheckAndSetMutex());

    for (const wchar_t* pszName : kAllMutexes) {
        if (CString(pszName) == c.pszHeld) continue;
        EXPECT_FALSE(MutexExists(pszName)) << CString(pszName).ToUtf8();
    }
    if (hOther) {
        EXPECT_TRUE(GetWindowLongW(hOther, GWL_EXSTYLE) & WS_EX_TOPMOST);
    }
    EXPECT_STREQ(c.pszErrorRecord ? c.pszErrorRecord : L"", LastFuncLogError());
    EXPECT_STREQ(L"OUT:CheckAndSetMutex()", ReadFuncLog().back().strText);
}

INSTANTIATE_TEST_SUITE_P(CheckAndSetMutex, MutexHeldElsewhere, testing::ValuesIn(kHeldCases),
                         [](const testing::TestParamInfo<_HeldCase>& info) { return info.param.pszName; });

TEST(CheckAndSetMutex, NoneHeldTakesAllUntilReleased) {
    WndFunc wndFunc(0);
    ASSERT_EQ(CHECKMUTEX_OK, wndFunc.CheckAndSetMutex());
    for (const wchar_t* pszName : kAllMutexes) EXPECT_TRUE(MutexExists(pszName)) << CString(pszName).ToUtf8();
    // Another program cannot take them.
    EXPECT_FALSE(CMutexHolder(L"zorvSeriesOnlineUpdate_Updater").IsReady());

    wndFunc.ReleaseAllMutex();
    for (const wchar_t* pszName : kAllMutexes) EXPECT_FALSE(MutexExists(pszName)) << CString(pszName).ToUtf8();
    EXPECT_TRUE(CMutexHolder(L"zorvSeriesOnlineUpdate_Updater").IsReady());

    EXPECT_EQ(CHECKMUTEX_OK, wndFunc.CheckAndSetMutex());
    for (const wchar_t* pszName : kAllMutexes) EXPECT_TRUE(MutexExists(pszName)) << CString(pszName).ToUtf8();
}

TEST(WndFuncDestructor, ReleasesEveryMutexAndRecordsIt) {
    DeleteFuncLog();
    {
        WndFunc wndFunc(0);
        ASSERT_EQ(CHECKMUTEX_OK, wndFunc.CheckAndSetMutex());
    }
    for (const wchar_t* pszName : kAllMutexes) EXPECT_FALSE(MutexExists(pszName)) << CString(pszName).ToUtf8();

    const std::vector<_FuncLogRecord> records = ReadFuncLog();
    std::vector<std::wstring> texts;
    for (const _FuncLogRecord& record : records) texts.push_back(record.strText.str());
    const auto itDestructor = std::find(texts.begin(), texts.end(), L"IN :Destructor");
    ASSERT_NE(texts.end(), itDestructor);
    const std::vector<std::wstring> tail(itDestructor, texts.end());
    ASSERT_GE(tail.size(), 4u);
    EXPECT_EQ((std::vector<std::wstring>{L"IN :ReleaseAllMutex()", L"OUT:ReleaseAllMutex()", L"OUT:Destructor"}),
              std::vector<std::wstring>(tail.end() - 3, tail.end()));
}

}  // namespace
