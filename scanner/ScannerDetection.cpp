// Scanner detection: runs the scanner driver's information tool, reads the file it writes,
// and retries at the configured interval until a serial number is found or the user skips
// or cancels in the detection dialog.
#include "app/Trace.h"
#include "app/VelorixUpdater.h"
#include "fw/Controls.h"
#include "fw/ResourceHandle.h"
#include "scanner/GetSerialNoDlg.h"

#include <shlobj.h>

namespace {

const wchar_t kSource[] = L"VelorixUpdater";
const DWORD kRetryWaitMs = 1000;
const int kMarqueeIntervalMs = 20;

CString ScanInfoToolPath() {
    wchar_t szWindows[MAX_PATH] = {};
    if (FAILED(SHGetFolderPathW(nullptr, CSIDL_WINDOWS, nullptr, SHGFP_TYPE_DEFAULT, szWindows))) return CString();
    return CString(szWindows) + L"\\twain_32\\qvscan32\\SOP\\QmetaInfo.exe";
}

// Runs the command line hidden in strFolder and waits for it; TRUE when it ended with exit code 0.
BOOL RunHidden(const CString& strCmdLine, const CString& strFolder) {
    STARTUPINFOW si = {};
    si.cb = sizeof(si);
    si.dwFlags = STARTF_USESHOWWINDOW;
    si.wShowWindow = SW_HIDE;
    PROCESS_INFORMATION pi = {};
    std::wstring strMutable = strCmdLine.str();
    if (!CreateProcessW(nullptr, strMutable.data(), nullptr, nullptr, TRUE, NORMAL_PRIORITY_CLASS, nullptr, strFolder,
                        &si, &pi)) {
        return FALSE;
    }
    CloseHandle(pi.hThread);
    const CHandle hProcess(pi.hProcess);
    DWORD dwExitCode = 1;
    if (WaitForSingleObject(hProcess.Get(), INFINITE) != WAIT_OBJECT_0) return FALSE;
    if (!GetExitCodeProcess(hProcess.Get(), &dwExitCode)) return FALSE;
    return dwExitCode == 0;
}

bool SkippedOrCancelled(const CGetSerialNoDlg* pThread) {
    return pThread && (pThread->m_bSkip == 1 || pThread->m_bCancel == 1);
}

}  // namespace

int CVelorixUpdaterApp::GetScanInfo() {
    DLV_TRACE_SCOPE(kSource, L"CVelorixUpdaterApp::GetScanInfo");
    const CString strTool = ScanInfoToolPath();
    if (strTool.IsEmpty() || !FileExists(strTool)) {
        if (m_bQmetaMissingLogged == 0) {
            DLV_LOG(kSource, LOG_LEVEL_ERROR, L"Error:CVelorixUpdaterApp::GetScanInfo: qmetaInfo.exe is not found.");
            m_bQmetaMissingLogged = 1;
        }
        return 0;
    }
    CString strCmdLine;
    strCmdLine.Format(L"%s -Path \"%s\" -Silent -ow", strTool.GetString(), m_strWorkPath.GetString());
    DLV_LOG(kSource, LOG_LEVEL_TRACE, L"Info :CVelorixUpdaterApp::GetScanInfo:qmetaInfo.exe path   is:" + strTool);
    DLV_LOG(kSource, LOG_LEVEL_TRACE, L"Info :CVelorixUpdaterApp::GetScanInfo:qmetaInfo.exe option is:" + strCmdLine);

    if (!RunHidden(strCmdLine, m_strWorkPath)) return 0;

    const CString strFile = m_strWorkPath + L"\\QmetaInfo.xml";
    if (!FileExists(strFile)) {
        DLV_LOG(kSource, LOG_LEVEL_ERROR, L"Error:CVelorixUpdaterApp::GetScanInfo: qmetaInfo.xml is not found.");
        return 0;
    }
    if (GetScannerInfoList(strFile) != 1) {
        DLV_LOG(kSource, LOG_LEVEL_ERROR, L"Error:CVelorixUpdaterApp::GetScanInfo: GetSerialNoList faild.");
        return 0;
    }
    DLV_LOG(kSource, LOG_LEVEL_TRACE, L"Info :CVelorixUpdaterApp::GetScanInfo: GetSerialNoList success.");
    return 1;
}

int CVelorixUpdaterApp::GetSerialNoList(CGetSerialNoDlg* pThread) {
    DLV_TRACE_SCOPE(kSource, L"CVelorixUpdaterApp::GetSerialNoList");
    while (m_arrSerial10.IsEmpty() && m_arrSerial6.IsEmpty()) {
        if (GetScanInfo() == 1) break;
        // The flags are looked at after every attempt as well as after every wait, so
        // Skip and Cancel work also when no wait is configured.
        if (SkippedOrCancelled(pThread)) return 1;
        for (int i = 0; i < m_nGetSerialNoRetrySleep; ++i) {
            Sleep(kRetryWaitMs);
            if (SkippedOrCancelled(pThread)) return 1;
        }
    }
    return 1;
}

BOOL CVelorixUpdaterApp::RunDetection() {
    AfxSetResourceHandle(m_hResModule);
    CGetSerialNoDlg thread(&m_fontDialog);
    thread.Start();
    CProgressCtrl progress;
    progress.Attach(thread.m_hProgress);
    if (progress.GetSafeHwnd()) progress.SetMarquee(TRUE, kMarqueeIntervalMs);

    GetSerialNoList(&thread);

    if (progress.GetSafeHwnd()) progress.SetMarquee(FALSE, 0);
    thread.End();
    return thread.m_bCancel == 1 ? FALSE : TRUE;
}
