// CreateUACBridge against the registered library: the object lives in the surrogate process
// (dllhost.exe), installers start from there, and calls from another thread of the
// multithreaded apartment need no marshalling code of ours. Under Wine the elevation moniker
// is missing and the process counts as elevated, so this is the local-server way the program
// takes there.
#include "app/support/VrxCommon.h"
#include "fw/Bstr.h"
#include "fw/Handle.h"
#include "tests/bridge/BridgeTestSupport.h"
#include "tests/common/ProgramRun.h"
#include "tests/fixtures/TempFolder.h"
#include "transfer/UACBridgeClient.h"

#include <gtest/gtest.h>

#include <thread>

namespace {

class BridgeClient : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(SUCCEEDED(CoInitializeEx(nullptr, COINIT_MULTITHREADED)));
        ASSERT_EQ(0, RunRegsvr32(false));
        ASSERT_TRUE(UseSurrogateOfThisBitness());
    }
    void TearDown() override {
        m_pBridge.Release();
        EndSurrogates();
        RunRegsvr32(true);
        CoUninitialize();
    }

    static HRESULT Install(ITheUACBridge* pBridge, const CString& strCmdLine) {
        const CBstr bstrProgram(ExitWithPath()), bstrCmdLine(strCmdLine);
        return pBridge->InstallApp(bstrProgram.Get(), bstrCmdLine.Get(), VARIANT_TRUE);
    }

    CComPtr<ITheUACBridge> m_pBridge;
};

// The main-log text appended since nOffset characters.
std::wstring LogSince(size_t nOffset) {
    return std::wstring(ReadFileText(MainLogPath()).Mid(static_cast<int>(nOffset)));
}

TEST_F(BridgeClient, InstallersRunInTheSurrogateProcess) {
    const size_t nLogBefore = ReadFileText(MainLogPath()).GetLength();
    ASSERT_EQ(S_OK, CreateUACBridge(nullptr, m_pBridge));
    ASSERT_TRUE(m_pBridge);
    EXPECT_NE(std::wstring::npos,
              LogSince(nLogBefore).find(L"Warning:CreateUACBridge: elevation moniker not available (0x800401EA)"));

    CTempFolder folder;
    const CString strReport(folder.File(L"report.txt").c_str());
    ASSERT_EQ(S_OK, Install(m_pBridge.Get(), ExitWithCmdLine(0, strReport)));
    const ExitWithReport report = ReadExitWithReport(strReport);
    ASSERT_TRUE(report.bRead);
    EXPECT_NE(GetCurrentProcessId(), report.dwParentId);
    EXPECT_EQ(L"dllhost.exe", ProcessName(report.dwParentId));
    EXPECT_EQ(std::wstring(ExitWithCmdLine(0, strReport)), report.strCmdLine);

    // The results cross the process boundary as they are (success codes, not failures).
    const struct {
        DWORD dwExitCode;
        HRESULT hrExpected;
    } cases[] = {{0, 0}, {3010, 3010}, {1603, 1}};
    for (const auto& c : cases) EXPECT_EQ(c.hrExpected, Install(m_pBridge.Get(), ExitWithCmdLine(c.dwExitCode))) << c.dwExitCode;
}

TEST_F(BridgeClient, AnotherThreadOfTheApartmentCallsThePointerDirectly) {
    ASSERT_EQ(S_OK, CreateUACBridge(nullptr, m_pBridge));
    HRESULT hrThread = E_FAIL;
    std::thread worker([&] {
        if (FAILED(CoInitializeEx(nullptr, COINIT_MULTITHREADED))) return;
        hrThread = Install(m_pBridge.Get(), ExitWithCmdLine(3010));
        CoUninitialize();
    });
    worker.join();
    EXPECT_EQ(3010, hrThread);
}

TEST_F(BridgeClient, AnUnregisteredClassIsAFailure) {
    ASSERT_EQ(0, RunRegsvr32(true));
    const HRESULT hr = CreateUACBridge(nullptr, m_pBridge);
    EXPECT_EQ(REGDB_E_CLASSNOTREG, hr);
    EXPECT_FALSE(m_pBridge);
}

// Wine tells a program which Windows it runs on by the program's name: a copy of this test
// program, told it runs on Windows XP, runs the case below.
TEST_F(BridgeClient, OnWindowsXpTheMonikerIsNotUsed) {
    CTempFolder folder;
    wchar_t szSelf[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, szSelf, MAX_PATH);
    const std::wstring strCopy = folder.File(L"bridge_xp_tests.exe");
    ASSERT_TRUE(CopyFileW(szSelf, strCopy.c_str(), FALSE));
    const wchar_t kVersionKey[] = L"Software\\Wine\\AppDefaults\\bridge_xp_tests.exe";
    ASSERT_EQ(ERROR_SUCCESS, RegSetKeyValueW(HKEY_CURRENT_USER, kVersionKey, L"Version", REG_SZ, L"winxp",
                                             sizeof(L"winxp")));
    std::wstring strCmdLine = L"\"" + strCopy + L"\" --gtest_filter=BridgeClientXp.*";
    SetEnvironmentVariableW(L"DLV_BRIDGE_XP", L"1");
    STARTUPINFOW si = {sizeof(si)};
    PROCESS_INFORMATION pi = {};
    const BOOL bStarted =
        CreateProcessW(nullptr, strCmdLine.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &si, &pi);
    SetEnvironmentVariableW(L"DLV_BRIDGE_XP", nullptr);
    DWORD dwExitCode = 1;
    if (bStarted) {
        CloseHandle(pi.hThread);
        const CHandle hProcess(pi.hProcess);
        if (WaitForSingleObject(hProcess.Get(), 60000) != WAIT_OBJECT_0) TerminateProcess(hProcess.Get(), 1);
        GetExitCodeProcess(hProcess.Get(), &dwExitCode);
    }
    RegDeleteTreeW(HKEY_CURRENT_USER, kVersionKey);
    ASSERT_TRUE(bStarted);
    EXPECT_EQ(0u, dwExitCode);
}

TEST(BridgeClientXp, CreatesTheLocalServerWithoutTheMoniker) {
    if (GetEnvironmentVariableW(L"DLV_BRIDGE_XP", nullptr, 0) == 0) {
        GTEST_SKIP() << "run by BridgeClient.OnWindowsXpTheMonikerIsNotUsed";
    }
    CString strVersion;
    GetOSVersionString(strVersion);
    ASSERT_STREQ(L"5.1", strVersion);
    ASSERT_TRUE(SUCCEEDED(CoInitializeEx(nullptr, COINIT_MULTITHREADED)));
    const size_t nLogBefore = ReadFileText(MainLogPath()).GetLength();
    CComPtr<ITheUACBridge> pBridge;
    EXPECT_EQ(S_OK, CreateUACBridge(nullptr, pBridge));
    const std::wstring strLog = LogSince(nLogBefore);
    EXPECT_NE(std::wstring::npos, strLog.find(L"Start:CreateUACBridge"));
    EXPECT_EQ(std::wstring::npos, strLog.find(L"Warning:CreateUACBridge"));  // the moniker was never asked
    pBridge.Release();
    CoUninitialize();
}

}  // namespace
