// The detection and serial-number dialogs in a real run of the program, driven from outside
// with the fake scanner-information tool installed (or absent).
#include "tests/common/DialogProbe.h"
#include "tests/common/ProgramRun.h"
#include "tests/scanner/ScannerTool.h"

#include <gtest/gtest.h>

#include <commctrl.h>

namespace {

const char kIni[] = "[WebServer]\r\nURL_INST=http://127.0.0.1:1/list\r\nURL_STARTUP=http://127.0.0.1:1/count\r\n";
const char kIniNoWait[] =
    "[GetSerialNo]\r\nGetSerialNoRetrySleep=0\r\n"
    "[WebServer]\r\nURL_INST=http://127.0.0.1:1/list\r\nURL_STARTUP=http://127.0.0.1:1/count\r\n";
const wchar_t kDetectionClass[] = L"zorvSeries_Downloader_WindowClass";
const wchar_t kDetectionText[] =
    L"Downloading the software will start.\nThe serial number of the scanner is required to download the "
    L"software.Connect the scanner and turn on the power.\n\nDetecting a scanner...";
const wchar_t kCancelQuestion[] = L"Do you want to cancel the software installation?";
const wchar_t kWrongSerial[] = L"Enter the correct serial number.";
const int kSerialEdit = 4004, kAutomatic = 4002, kManual = 4003, kSkip = 1013, kProgress = 5000;

struct FindContext {
    DWORD dwProcessId;
    bool bSerialDialog;  // dialog 4000, else a message box
    HWND hFound;
};

BOOL CALLBACK FindProc(HWND hWnd, LPARAM lParam) {
    auto* pContext = reinterpret_cast<FindContext*>(lParam);
    DWORD dwPid = 0;
    GetWindowThreadProcessId(hWnd, &dwPid);
    wchar_t szClass[64] = {};
    GetClassNameW(hWnd, szClass, 64);
    if (dwPid == pContext->dwProcessId && IsWindowVisible(hWnd) && wcscmp(szClass, L"#32770") == 0 &&
        (GetDlgItem(hWnd, kSerialEdit) != nullptr) == pContext->bSerialDialog) {
        pContext->hFound = hWnd;
        return FALSE;
    }
    return TRUE;
}

// The serial-number dialog (bSerialDialog) or a message box of the run; null when none came.
HWND WaitFor(const ProgramRun& run, bool bSerialDialog, DWORD dwTimeoutMs = 20000) {
    const DWORD dwStart = GetTickCount();
    do {
        FindContext context = {run.ProcessId(), bSerialDialog, nullptr};
        EnumWindows(FindProc, reinterpret_cast<LPARAM>(&context));
        if (context.hFound) return context.hFound;
        Sleep(50);
    } while (GetTickCount() - dwStart < dwTimeoutMs);
    return nullptr;
}

HWND WaitForDetection(const ProgramRun& run, DWORD dwTimeoutMs = 20000) {
    return WaitForDialog(run.ProcessId(), kDetectionClass, dwTimeoutMs);
}

// Starts the run with its settings; the detection dialog, null when the run did not get there.
HWND StartDetection(ProgramRun& run, const char* pszIni = kIni) {
    run.WriteIni(pszIni);
    return run.Start() ? WaitForDetection(run) : nullptr;
}

// Answers the message box that must come with nButton; returns its texts.
const wchar_t kNoConnection[] = L"Failed to connect to the server.";

DialogTexts AnswerBox(const ProgramRun& run, int nButton) {
    const HWND hBox = WaitFor(run, false, 10000);
    if (!hBox) return DialogTexts();
    DialogTexts texts = ReadDialog(hBox);
    PressButton(hBox, nButton);
    // Gone before the next step looks for windows.
    for (int i = 0; i < 100 && IsWindow(hBox); ++i) Sleep(20);
    return texts;
}

bool GoneWithin(HWND hWnd, DWORD dwTimeoutMs) {
    const DWORD dwStart = GetTickCount();
    while (IsWindow(hWnd) && IsWindowVisible(hWnd)) {
        if (GetTickCount() - dwStart > dwTimeoutMs) return false;
        Sleep(20);
    }
    return true;
}

// What the user's click on a radio button does: it becomes the checked one of the group
// and the dialog is told.
void Click(HWND hDlg, int nId) {
    CheckRadioButton(hDlg, kAutomatic, kManual, nId);
    SendMessageW(hDlg, WM_COMMAND, MAKEWPARAM(nId, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(hDlg, nId)));
}

// Types pszText into the edit box as keystrokes would, after emptying it.
void Type(HWND hDlg, const wchar_t* pszText) {
    const HWND hEdit = GetDlgItem(hDlg, kSerialEdit);
    SendMessageW(hEdit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L""));
    for (const wchar_t* p = pszText; *p; ++p) SendMessageW(hEdit, WM_CHAR, *p, 1);
}

CString EditText(HWND hDlg) {
    wchar_t szText[64] = {};
    SendMessageW(GetDlgItem(hDlg, kSerialEdit), WM_GETTEXT, 64, reinterpret_cast<LPARAM>(szText));
    return szText;
}

void PressEsc(HWND hDlg) {
    PostMessageW(hDlg, WM_KEYDOWN, VK_ESCAPE, 0);
    PostMessageW(hDlg, WM_KEYUP, VK_ESCAPE, 0xC0000001);
}

int CountLog(const ProgramRun& run, const wchar_t* pszText) {
    int nCount = 0;
    for (const CString& strLine : run.LogLines()) nCount += strLine.Find(pszText) >= 0;
    return nCount;
}

// Cancels the serial-number dialog with Yes to the question; the run then ends.
void CancelSerialDialog(ProgramRun& run, HWND hSerial) {
    PressButton(hSerial, IDCANCEL);
    EXPECT_TRUE(AnswerBox(run, IDYES).Contains(kCancelQuestion));
    EXPECT_TRUE(run.Wait());
}

}  // namespace

TEST(DetectionRun, ANewFormSerialGoesToTheUpdateCheckAfterOneSecondOfDetection) {
    CScannerTool tool;
    tool.SetRun(0, ScannerFile("<scanner><model>M</model><n_serial>ABCDE12345</n_serial></scanner>"));
    ProgramRun run(L"detect-new");
    const HWND hDetect = StartDetection(run);
    ASSERT_NE(nullptr, hDetect);
    const DWORD dwShown = GetTickCount();
    const DialogTexts texts = ReadDialog(hDetect);
    EXPECT_STREQ(L"Dralvex", texts.strCaption);
    EXPECT_TRUE(texts.Contains(kDetectionText));
    EXPECT_TRUE(GoneWithin(hDetect, 20000));
    // The tool answers at once, yet the dialog stays a second.
    EXPECT_GE(GetTickCount() - dwShown, 900u);
    // The settings name no server: the check reports it and the run ends.
    EXPECT_TRUE(AnswerBox(run, IDOK).Contains(kNoConnection));
    ASSERT_TRUE(run.Wait());
    EXPECT_EQ(1u, tool.Calls().size());
    EXPECT_TRUE(run.LogContains(L"Info :CVelorixUpdaterApp::GetScannerInfoList: Only New Serial exist."));
    EXPECT_TRUE(run.LogContains(L"Error:CVelorixUpdaterApp::NewSoftCheck: server connect is failed."));
    EXPECT_FALSE(run.LogContains(L"Start:CSetSerialNoDlg::OnInitDialog"));
}

TEST(DetectionRun, OnlyOldFormSerialsGoStraightToTheSerialNumberDialog) {
    CScannerTool tool;
    tool.SetRun(0, ScannerFile("<scanner><model>M</model><n_serial>123456</n_serial></scanner>"));
    ProgramRun run(L"detect-old");
    run.WriteIni(kIni);
    ASSERT_TRUE(run.Start());
    const HWND hSerial = WaitFor(run, true);
    ASSERT_NE(nullptr, hSerial);
    const DialogTexts texts = ReadDialog(hSerial);
    EXPECT_STREQ(L"Dralvex", texts.strCaption);
    EXPECT_TRUE(texts.Contains(L"Failed to detect the scanner to be set up.\nThe serial number of the scanner is "
                               L"required to download the software."));
    EXPECT_TRUE(texts.Contains(L"SER.NO."));
    EXPECT_EQ(BST_CHECKED, SendMessageW(GetDlgItem(hSerial, kAutomatic), BM_GETCHECK, 0, 0));
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(hSerial, kSerialEdit)));
    EXPECT_EQ(10, SendMessageW(GetDlgItem(hSerial, kSerialEdit), EM_GETLIMITTEXT, 0, 0));

    // Cancel, No: the dialog stays. Cancel, Yes: the run ends without an update check.
    PressButton(hSerial, IDCANCEL);
    const DialogTexts question = AnswerBox(run, IDNO);
    EXPECT_STREQ(L"Dralvex", question.strCaption);
    EXPECT_TRUE(question.Contains(kCancelQuestion));
    EXPECT_TRUE(IsWindowVisible(hSerial));
    CancelSerialDialog(run, hSerial);
    EXPECT_TRUE(run.LogContains(L"Info :CVelorixUpdaterApp::GetScannerInfoList: Only Old Serial exist."));
    EXPECT_FALSE(run.LogContains(L"Start:CVelorixUpdaterApp::NewSoftCheck"));
    EXPECT_TRUE(run.LogContains(L"End  :CVelorixUpdaterApp::ExitInstance"));
}

TEST(DetectionRun, EscAsksBeforeCancellingDetection) {
    ProgramRun run(L"detect-esc");
    const HWND hDetect = StartDetection(run);
    ASSERT_NE(nullptr, hDetect);
    PressEsc(hDetect);
    EXPECT_TRUE(AnswerBox(run, IDNO).Contains(kCancelQuestion));
    // No: detection goes on.
    EXPECT_EQ(nullptr, WaitFor(run, true, 1500));
    EXPECT_TRUE(IsWindowVisible(hDetect));
    PressEsc(hDetect);
    EXPECT_TRUE(AnswerBox(run, IDYES).Contains(kCancelQuestion));
    ASSERT_TRUE(run.Wait());
    EXPECT_FALSE(run.LogContains(L"Start:CSetSerialNoDlg::OnInitDialog"));
    EXPECT_TRUE(run.LogContains(L"End  :CVelorixUpdaterApp::PrepareUpdateList"));
    EXPECT_TRUE(run.LogContains(L"End  :CVelorixUpdaterApp::ExitInstance"));
}

TEST(DetectionRun, SkipThenManualEntryAndAnotherDetection) {
    ProgramRun run(L"detect-skip");
    HWND hDetect = StartDetection(run);
    ASSERT_NE(nullptr, hDetect);
    Sleep(1000);  // past the dialog's minimum second, so only the detection loop counts
    EXPECT_TRUE(GetWindowLongPtrW(GetDlgItem(hDetect, kProgress), GWL_STYLE) & PBS_MARQUEE);
    PressButton(hDetect, kSkip);
    const DWORD dwSkipped = GetTickCount();
    Sleep(200);
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(hDetect, kSkip)));
    HWND hSerial = WaitFor(run, true);
    ASSERT_NE(nullptr, hSerial);
    EXPECT_LT(GetTickCount() - dwSkipped, 2200u);  // one second of polling, then the dialogs

    // Enter manually: the box is enabled and takes ten characters at most.
    Click(hSerial, kManual);
    EXPECT_TRUE(IsWindowEnabled(GetDlgItem(hSerial, kSerialEdit)));
    Type(hSerial, L"abcde123456789");
    EXPECT_STREQ(L"abcde12345", EditText(hSerial));
    // Empty, six digits, a bad new form: messages, the dialog stays.
    for (const wchar_t* pszSerial : {L"", L"123456", L"ABCDI12345"}) {
        SCOPED_TRACE(CString(pszSerial).ToUtf8());
        Type(hSerial, pszSerial);
        PressButton(hSerial, IDOK);
        EXPECT_TRUE(AnswerBox(run, IDOK).Contains(kWrongSerial));
        EXPECT_TRUE(IsWindowVisible(hSerial));
    }

    // Obtain automatically with text in the box: detection runs again.
    Type(hSerial, L"ABCDE12345");
    Click(hSerial, kAutomatic);
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(hSerial, kSerialEdit)));
    PressButton(hSerial, IDOK);
    hDetect = WaitForDetection(run);
    ASSERT_NE(nullptr, hDetect);
    PressButton(hDetect, kSkip);

    // A valid typed serial (lower case) goes to the update check; no server answers.
    hSerial = WaitFor(run, true);
    ASSERT_NE(nullptr, hSerial);
    EXPECT_STREQ(L"", EditText(hSerial));
    Click(hSerial, kManual);
    Type(hSerial, L"abcde12345");
    PressButton(hSerial, IDOK);
    EXPECT_TRUE(AnswerBox(run, IDOK).Contains(kNoConnection));
    ASSERT_TRUE(run.Wait());
    EXPECT_EQ(2, CountLog(run, L"Start:CVelorixUpdaterApp::GetSerialNoList"));
    EXPECT_EQ(2, CountLog(run, L"Start:CSetSerialNoDlg::OnInitDialog"));
    EXPECT_EQ(1, CountLog(run, L"Start:CVelorixUpdaterApp::NewSoftCheck"));
    EXPECT_EQ(1, CountLog(run, L"Error:CVelorixUpdaterApp::GetScanInfo: qmetaInfo.exe is not found."));
}

TEST(DetectionRun, WithoutWaitsTheMissingToolIsLoggedOnceAndSkipWorks) {
    ProgramRun run(L"detect-nowait");
    const HWND hDetect = StartDetection(run, kIniNoWait);
    ASSERT_NE(nullptr, hDetect);
    Sleep(1500);
    PressButton(hDetect, kSkip);
    const HWND hSerial = WaitFor(run, true, 3000);
    ASSERT_NE(nullptr, hSerial);
    CancelSerialDialog(run, hSerial);
    EXPECT_EQ(1, CountLog(run, L"Error:CVelorixUpdaterApp::GetScanInfo: qmetaInfo.exe is not found."));
    EXPECT_GT(CountLog(run, L"Start:CVelorixUpdaterApp::GetScanInfo"), 10);
}

TEST(DetectionRun, AHangingToolHoldsSkipAndCancelUntilItEnds) {
    const DWORD kHangMs = 4000;
    for (const bool bSkip : {true, false}) {
        SCOPED_TRACE(bSkip ? "skip" : "cancel");
        CScannerTool tool;
        tool.SetRun(0, std::string(), 1, kHangMs, false);
        ProgramRun run(L"detect-hang");
        const HWND hDetect = StartDetection(run);
        ASSERT_NE(nullptr, hDetect);
        const DWORD dwStart = GetTickCount();
        if (bSkip) {
            PressButton(hDetect, kSkip);
            const HWND hSerial = WaitFor(run, true, 3 * kHangMs);
            ASSERT_NE(nullptr, hSerial);
            const DWORD dwElapsed = GetTickCount() - dwStart;
            EXPECT_GE(dwElapsed, kHangMs - 1000);
            EXPECT_LT(dwElapsed, kHangMs + 2500);
            CancelSerialDialog(run, hSerial);
        } else {
            PressEsc(hDetect);
            EXPECT_TRUE(AnswerBox(run, IDYES).Contains(kCancelQuestion));
            ASSERT_TRUE(run.Wait(3 * kHangMs));
            EXPECT_GE(GetTickCount() - dwStart, kHangMs - 1000);
            EXPECT_FALSE(run.LogContains(L"Start:CSetSerialNoDlg::OnInitDialog"));
        }
        // Skip and Cancel were noticed after the first run of the tool: it ran once.
        EXPECT_EQ(1u, tool.Calls().size());
    }
}
