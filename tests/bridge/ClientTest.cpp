// CreateUACBridge against the registered library: the object lives in the surrogate process
// (dllhost.exe), installers start from there, and calls from another thread of the
// multithreaded apartment need no marshalling code of ours. Under Wine the elevation moniker
// is missing and the process counts as elevated, so this is the local-server way the program
// takes there.
#include "fw/Bstr.h"
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

TEST_F(BridgeClient, InstallersRunInTheSurrogateProcess) {
    const CString strLog = MainLogPath();
    const size_t nLogBefore = ReadFileText(strLog).GetLength();
    ASSERT_EQ(S_OK, CreateUACBridge(nullptr, m_pBridge));
    ASSERT_TRUE(m_pBridge);
    EXPECT_NE(std::wstring::npos,
              std::wstring(ReadFileText(strLog).Mid(static_cast<int>(nLogBefore)))
                  .find(L"Warning:CreateUACBridge: elevation moniker not available (0x800401EA)"));

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

}  // namespace
