// Scanner detection in-process: the tool's command line and outcomes, the retry loop and
// its Skip and Cancel flags.
#include "app/VelorixUpdater.h"
#include "app/support/VrxCommon.h"
#include "scanner/GetSerialNoDlg.h"
#include "tests/common/LogTail.h"
#include "tests/scanner/ScannerTool.h"

#include <gtest/gtest.h>

#include <thread>

namespace {

const std::string kValidFile = ScannerFile("<scanner><model>M</model><n_serial>ABCDE12345</n_serial></scanner>");
const std::string kInvalidFile = ScannerFile("<scanner><model>M</model><n_serial>ABCDE1234X</n_serial></scanner>");
const wchar_t kToolMissing[] = L"Error:CVelorixUpdaterApp::GetScanInfo: qmetaInfo.exe is not found.";

CString WorkFolder() {
    const CString strFile = CScannerTool::ScannerFilePath();
    return strFile.Left(strFile.ReverseFind(L'\\'));
}

// An application object whose work folder is the program's.
class DetectionApp : public CVelorixUpdaterApp {
public:
    explicit DetectionApp(int nRetrySleep) {
        m_strWorkPath = WorkFolder();
        CreateDirectoryW(m_strWorkPath, nullptr);
        m_nGetSerialNoRetrySleep = nRetrySleep;
    }
};

// Sets one of the thread object's flags from another thread after nDelayMs.
class DelayedFlag {
public:
    DelayedFlag(std::atomic<int>& flag, DWORD dwDelayMs) : m_thread([&flag, dwDelayMs] {
        Sleep(dwDelayMs);
        flag = 1;
    }) {}
    ~DelayedFlag() { m_thread.join(); }

private:
    std::thread m_thread;
};

}  // namespace

TEST(ScanInfoTool, RunsWithItsCommandLineInTheWorkFolder) {
    CScannerTool tool;
    tool.SetRun(0, kValidFile);
    DetectionApp app(0);
    const CLogTail log;
    EXPECT_EQ(1, app.GetScanInfo());
    const CString strCmdLine = CScannerTool::ToolPath() + L" -Path \"" + WorkFolder() + L"\" -Silent -ow";
    ASSERT_EQ(1u, tool.Calls().size());
    EXPECT_STREQ(strCmdLine + L"|" + WorkFolder(), tool.Calls()[0]);
    EXPECT_TRUE(log.Contains(L"Info :CVelorixUpdaterApp::GetScanInfo:qmetaInfo.exe path   is:" + CScannerTool::ToolPath()));
    EXPECT_TRUE(log.Contains(L"Info :CVelorixUpdaterApp::GetScanInfo:qmetaInfo.exe option is:" + strCmdLine));
    EXPECT_TRUE(log.Contains(L"Info :CVelorixUpdaterApp::GetScanInfo: GetSerialNoList success."));
    ASSERT_EQ(1, app.m_arrSerial10.GetSize());
    EXPECT_STREQ(L"ABCDE12345", app.m_arrSerial10[0].strSerialNo);
}

TEST(ScanInfoTool, FailedRunsGiveZero) {
    struct Case {
        const char* pszName;
        int nExitCode;
        bool bWriteFile;
        const std::string* pFile;
        const wchar_t* pszLog;  // null: no error text of its own
    };
    const Case cases[] = {
        {"exit code not 0, even with a good file", 2, true, &kValidFile, nullptr},
        {"no file written", 0, false, &kValidFile, L"Error:CVelorixUpdaterApp::GetScanInfo: qmetaInfo.xml is not found."},
        {"invalid serial in the file", 0, true, &kInvalidFile,
         L"Error:CVelorixUpdaterApp::GetScanInfo: GetSerialNoList faild."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.pszName);
        CScannerTool tool;
        tool.SetRun(0, *c.pFile, c.nExitCode, 0, c.bWriteFile);
        DetectionApp app(0);
        const CLogTail log;
        EXPECT_EQ(0, app.GetScanInfo());
        EXPECT_EQ(1u, tool.Calls().size());
        if (c.pszLog) {
            EXPECT_TRUE(log.Contains(c.pszLog));
        }
        EXPECT_FALSE(log.Contains(L"GetSerialNoList success."));
    }
}

TEST(SerialNoList, RetriesUntilASerialIsFound) {
    struct Case {
        int nRetrySleep;
        DWORD dwMinMs, dwMaxMs;  // the time the three failed attempts may take in all
    };
    // No wait at all, and one second after each of the three failures.
    for (const Case& c : {Case{0, 0, 2900}, Case{1, 3000, 6000}}) {
        SCOPED_TRACE(c.nRetrySleep);
        CScannerTool tool;
        tool.SetRun(1, kValidFile, 1, 0, false);
        tool.SetRun(2, kValidFile, 0, 0, false);
        tool.SetRun(3, kInvalidFile);
        tool.SetRun(4, kValidFile);
        DetectionApp app(c.nRetrySleep);
        const DWORD dwStart = GetTickCount();
        EXPECT_EQ(1, app.GetSerialNoList(nullptr));
        const DWORD dwElapsed = GetTickCount() - dwStart;
        EXPECT_EQ(4u, tool.Calls().size());
        EXPECT_EQ(1, app.m_arrSerial10.GetSize());
        EXPECT_GE(dwElapsed, c.dwMinMs);
        EXPECT_LE(dwElapsed, c.dwMaxMs);
    }
}

TEST(SerialNoList, SkipAndCancelEndTheWaitWithinASecond) {
    for (const bool bSkip : {true, false}) {
        SCOPED_TRACE(bSkip ? "skip" : "cancel");
        CScannerTool tool;
        tool.SetRun(0, kValidFile, 1);
        DetectionApp app(10000);
        CGetSerialNoDlg thread(nullptr);
        const DWORD dwStart = GetTickCount();
        {
            const DelayedFlag flag(bSkip ? thread.m_bSkip : thread.m_bCancel, 1500);
            EXPECT_EQ(1, app.GetSerialNoList(&thread));
        }
        EXPECT_LT(GetTickCount() - dwStart, 3000u);
        EXPECT_EQ(1u, tool.Calls().size());
    }
}

TEST(SerialNoList, MissingToolIsLoggedOnceHoweverOftenDetectionRetries) {
    ASSERT_FALSE(FileExists(CScannerTool::ToolPath()));
    DetectionApp app(0);
    CGetSerialNoDlg thread(nullptr);
    const CLogTail log;
    {
        // Without waits the flags are still looked at after every attempt.
        const DelayedFlag skip(thread.m_bSkip, 500);
        EXPECT_EQ(1, app.GetSerialNoList(&thread));
    }
    EXPECT_EQ(1, log.Count(kToolMissing));
    EXPECT_GT(log.Count(L"Start:CVelorixUpdaterApp::GetScanInfo"), 2);
    EXPECT_EQ(0, app.GetScanInfo());
    EXPECT_EQ(1, log.Count(kToolMissing));
}
