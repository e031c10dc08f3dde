// The program run as a user starts it: a copy of Dralvex.exe in a folder of its own,
// with its own settings file, watched from outside through its windows and its log.
#include "tests/common/DialogProbe.h"
#include "tests/common/ProgramRun.h"

#include <gtest/gtest.h>

namespace {

const char kValidIni[] =
    "[WebServer]\r\nURL_INST=http://127.0.0.1:1/list\r\nURL_STARTUP=http://127.0.0.1:1/count\r\n";

const wchar_t kRunOnceKey[] = L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\RunOnce";

// The box the program shows, read and answered; null texts when none appeared.
DialogTexts AnswerBox(const ProgramRun& run, int nButton, DWORD dwTimeoutMs = 20000) {
    const HWND hBox = WaitForDialog(run.ProcessId(), nullptr, dwTimeoutMs);
    if (!hBox) return DialogTexts();
    DialogTexts texts = ReadDialog(hBox);
    PressButton(hBox, nButton);
    return texts;
}

bool FolderExists(const CString& strPath) {
    const DWORD dw = GetFileAttributesW(strPath);
    return dw != INVALID_FILE_ATTRIBUTES && (dw & FILE_ATTRIBUTE_DIRECTORY);
}

// Sets the pending-restart value for the scope of a test.
class PendingRestart {
public:
    PendingRestart() {
        RegSetKeyValueW(HKEY_LOCAL_MACHINE, kRunOnceKey, L"Dralvex", REG_SZ, L"", sizeof(wchar_t));
    }
    ~PendingRestart() { RegDeleteKeyValueW(HKEY_LOCAL_MACHINE, kRunOnceKey, L"Dralvex"); }
};

}  // namespace

TEST(RunSequence, MissingServerAddressesEndTheRunWithALogLineAndNoBox) {
    struct Case {
        const char* pszIni;  // null: no settings file at all
        const wchar_t* pszLog;
    };
    const Case cases[] = {
        {nullptr, L"Error:CVelorixUpdaterApp::Initialize: WebServer url is not."},
        {"[WebServer]\r\nURL_STARTUP=http://127.0.0.1/c\r\n", L"Error:CVelorixUpdaterApp::Initialize: WebServer url is not."},
        {"[WebServer]\r\nURL_INST=\r\nURL_STARTUP=http://127.0.0.1/c\r\n",
         L"Error:CVelorixUpdaterApp::Initialize: WebServer url is not."},
        {"[WebServer]\r\nURL_INST=http://127.0.0.1/l\r\n",
         L"Error:CVelorixUpdaterApp::Initialize: DownloadCountServer url is not."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(CString(c.pszLog).ToUtf8());
        ProgramRun run(L"urls");
        if (c.pszIni) run.WriteIni(c.pszIni);
        ASSERT_TRUE(run.Start());
        ASSERT_TRUE(run.Wait()) << "the program did not end by itself";
        EXPECT_TRUE(run.LogContains(c.pszLog));
        EXPECT_TRUE(run.LogContains(L"End  :CVelorixUpdaterApp::InitInstance"));
        // The folders are made before the addresses are checked.
        EXPECT_TRUE(FolderExists(run.Folder() + L"\\zorvSeriesOLU"));
    }
}

TEST(RunSequence, GarbageSettingsAndBadCommandLinesEndCleanly) {
    ProgramRun run(L"garbage");
    std::string strIni = "[GetSerialNo]\r\nGetSerialNoRetrySleep=\xff\xfe junk\r\n[WebServer]\r\nDownRetryCount=-7\r\n"
                         "ConnectTimeout=1e99\r\nURL_STARTUP=";
    strIni += std::string(5000, 'x');
    strIni += "\r\n";
    run.WriteIni(strIni.c_str());
    ASSERT_TRUE(run.Start(L"INSTALLDIR=\"C:\\unbalanced MODEL= -DVD \"\"\" INSTALLDIR="));
    ASSERT_TRUE(run.Wait());
    EXPECT_TRUE(run.LogContains(L"Error:CVelorixUpdaterApp::Initialize: WebServer url is not."));
    EXPECT_TRUE(run.LogContains(L"End  :CVelorixUpdaterApp::ParseCommandLine"));
}

TEST(RunSequence, AFileInPlaceOfTheDownloadFolderEndsWithMessage1015) {
    ProgramRun run(L"nofolder");
    run.WriteIni(kValidIni);
    FILE* pFile = _wfopen(run.Folder() + L"\\zorvSeriesOLU", L"wb");
    ASSERT_NE(nullptr, pFile);
    fclose(pFile);
    ASSERT_TRUE(run.Start());
    const DialogTexts box = AnswerBox(run, IDOK);
    EXPECT_STREQ(L"Dralvex", box.strCaption);
    EXPECT_TRUE(box.Contains(L"You do not have the privileges to access Dralvex.\nCheck your privileges."));
    ASSERT_TRUE(run.Wait());
    EXPECT_TRUE(run.LogContains(L"Error:CVelorixUpdaterApp::CreateSavePath: create directory is failed."));
    EXPECT_TRUE(run.LogContains(L"Error:CVelorixUpdaterApp::Initialize: Create downland folder is failed."));
}

TEST(RunSequence, AConflictingUpdaterEndsTheRunWithMessage1073) {
    // This test process plays the maker's online updater.
    const CHandle hUpdater(CreateMutexW(nullptr, TRUE, L"zorvSeriesOnlineUpdate_Updater"));
    ASSERT_TRUE(hUpdater);
    ProgramRun run(L"conflict");
    run.WriteIni(kValidIni);
    ASSERT_TRUE(run.Start());
    const DialogTexts box = AnswerBox(run, IDOK);
    EXPECT_TRUE(box.Contains(L"Another installation is in progress. You must complete that installation before "
                             L"continuing this one."));
    ASSERT_TRUE(run.Wait());
    EXPECT_TRUE(run.LogContains(L"End  :CVelorixUpdaterApp::CheckMutex"));
    EXPECT_FALSE(run.LogContains(L"Start:CVelorixUpdaterApp::PrepareUpdateList"));
    // The program's own mutex was given back: a later start can take it.
    const CHandle hOwn(CreateMutexW(nullptr, TRUE, L"zorv_Dralvex"));
    EXPECT_NE(static_cast<DWORD>(ERROR_ALREADY_EXISTS), GetLastError());
}

TEST(RunSequence, PendingRestartAsksOnceAndASecondStartEndsSilently) {
    const PendingRestart pending;
    ProgramRun first(L"restart-first");
    first.WriteIni(kValidIni);
    ASSERT_TRUE(first.Start());
    const HWND hQuestion = WaitForDialog(first.ProcessId(), L"zorvSeries_Downloader_WindowClass", 20000);
    ASSERT_NE(nullptr, hQuestion);
    const DialogTexts question = ReadDialog(hQuestion);
    EXPECT_STREQ(L"Dralvex", question.strCaption);
    EXPECT_TRUE(question.Contains(L"The previous setup of some software is not complete. To run the installations, "
                                  L"you must restart your computer.\n\nRestart now?"));
    wchar_t szNo[64] = {};
    GetWindowTextW(GetDlgItem(hQuestion, IDCANCEL), szNo, 64);
    EXPECT_STREQ(L"Cancel", szNo);

    // A second start while the first holds the program's mutex: no box, the first comes to the top.
    ProgramRun second(L"restart-second");
    second.WriteIni(kValidIni);
    ASSERT_TRUE(second.Start());
    ASSERT_TRUE(second.Wait());
    EXPECT_EQ(nullptr, WaitForDialog(second.ProcessId(), nullptr, 0));
    EXPECT_FALSE(second.LogContains(L"Start:CVelorixUpdaterApp::PrepareUpdateList"));
    EXPECT_TRUE(GetWindowLongPtrW(hQuestion, GWL_EXSTYLE) & WS_EX_TOPMOST);

    PressButton(hQuestion, IDCANCEL);
    ASSERT_TRUE(first.Wait());
    EXPECT_TRUE(first.LogContains(
        L"Info :CVelorixUpdaterApp::InitInstance:Installer form Integration or a selected software is not completely "
        L"installed,Os is need restart.But user select restart OS later."));
    EXPECT_FALSE(first.LogContains(L"Start:CVelorixUpdaterApp::PrepareUpdateList"));
}

TEST(RunSequence, WithoutScannersTheRunEndsWhenTheSerialNumberDialogIsCancelled) {
    ProgramRun run(L"sequence");
    run.WriteIni(kValidIni);
    ASSERT_TRUE(run.Start());
    // No scanner-information tool: Skip the detection, then cancel the serial-number dialog.
    const HWND hDetection = WaitForDialog(run.ProcessId(), L"zorvSeries_Downloader_WindowClass", 20000);
    ASSERT_NE(nullptr, hDetection);
    PressButton(hDetection, 1013);
    const HWND hSerial = WaitForDialog(run.ProcessId(), L"#32770", 20000);
    ASSERT_NE(nullptr, hSerial);
    PressButton(hSerial, IDCANCEL);
    // The question is the other dialog of the process.
    HWND hQuestion = nullptr;
    for (int i = 0; i < 200 && !hQuestion; ++i) {
        Sleep(50);
        for (HWND hWnd = FindWindowExW(nullptr, nullptr, L"#32770", nullptr); hWnd;
             hWnd = FindWindowExW(nullptr, hWnd, L"#32770", nullptr)) {
            DWORD dwPid = 0;
            GetWindowThreadProcessId(hWnd, &dwPid);
            if (hWnd != hSerial && dwPid == run.ProcessId() && IsWindowVisible(hWnd)) hQuestion = hWnd;
        }
    }
    ASSERT_NE(nullptr, hQuestion);
    EXPECT_TRUE(ReadDialog(hQuestion).Contains(L"Do you want to cancel the software installation?"));
    PressButton(hQuestion, IDYES);
    ASSERT_TRUE(run.Wait());
    EXPECT_TRUE(run.LogContains(L"Info :CVelorixUpdaterApp::Initialize:OS Version Summary: "));
    EXPECT_TRUE(run.LogContains(L"End  :CVelorixUpdaterApp::PrepareUpdateList"));
    EXPECT_TRUE(run.LogContains(L"End  :CVelorixUpdaterApp::ExitInstance"));
    EXPECT_FALSE(run.LogContains(L"Start:CVelorixUpdaterApp::ShowUpdateDialog"));
}
