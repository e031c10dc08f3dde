// The update check: turns the serial numbers into the list of installable items, with
// the progress window on screen and the user's Cancel honoured at three points.
#include "app/MessageBox.h"
#include "app/Trace.h"
#include "app/VelorixUpdater.h"
#include "fw/Controls.h"
#include "fw/ResourceHandle.h"
#include "resources/resource.h"
#include "transfer/HttpDownload.h"
#include "ui/GetFileListDlg.h"

namespace {

const wchar_t kSource[] = L"VelorixUpdater";
const wchar_t kStoppedText[] = L"Error:CVelorixUpdaterApp::NewSoftCheck: update check is stoped.";
const wchar_t kNothingFoundText[] = L"Error:CVelorixUpdaterApp::NewSoftCheck: filelist not found.";
const wchar_t kReturnCodeUnknownSerial[] = L"NG01-0011";

void LogError(int nLine, const wchar_t* pszText) {
    WriteLog(L"", kSource, nLine, pszText, LOG_LEVEL_ERROR, -1);
}

// A stop point: when the user pressed Cancel, asks whether to stop. TRUE means stop;
// after a No the request is forgotten and the check goes on.
BOOL AskStop(CVelorixUpdaterApp* pApp, CGetFileListDlg* pProgress) {
    if (!pProgress || !pProgress->m_bCancel) return FALSE;
    const int nAnswer = ShowMessage(pApp, nullptr, IDS_CAPTION_QUESTION, IDS_MSG_CANCEL_INSTALL,
                                    MB_YESNO | MB_ICONEXCLAMATION | MB_DEFBUTTON2, nullptr, 0, 0);
    if (nAnswer == IDYES) return TRUE;
    pProgress->m_bCancel = 0;
    return FALSE;
}

// The marquee of the progress window's bar, on or off.
void SetMarquee(HWND hProgress, BOOL bOn) {
    if (!hProgress) return;
    CProgressCtrl progress;
    progress.Attach(hProgress);
    progress.SetMarquee(bOn, 20);
}

}  // namespace

int CVelorixUpdaterApp::RunUpdateCheck() {
    AfxSetResourceHandle(m_hResModule);
    CGetFileListDlg progressThread;
    progressThread.m_pFont = &m_fontDialog;
    if (!progressThread.CreateThread()) return NewSoftCheck(nullptr);
    WaitForSingleObject(progressThread.m_event.Get(), INFINITE);
    SetMarquee(progressThread.m_hProgress, TRUE);
    const int nResult = NewSoftCheck(&progressThread);
    SetMarquee(progressThread.m_hProgress, FALSE);
    progressThread.EndThread();
    return nResult;
}

int CVelorixUpdaterApp::NewSoftCheck(CGetFileListDlg* pProgressThread) {
    DLV_TRACE_SCOPE(kSource, L"CVelorixUpdaterApp::NewSoftCheck");
    if (AskStop(this, pProgressThread)) {
        LogError(__LINE__, kStoppedText);
        return NEWSOFT_STOPPED;
    }

    const CString strUrl = m_strUrlInst;
    CString strSavedPath;
    const HWND hProgressWnd = pProgressThread ? pProgressThread->m_hDlg : nullptr;
    const int nDownload = CHttpDownLoad::DownloadFile(DLKIND_CATALOGUE, strSavedPath, m_strSavePath, strUrl, -1,
                                                      hProgressWnd, &m_arrSerial10, CString());
    if (nDownload == DL_ERR_CONNECT) {
        ShowMessage(this, nullptr, IDS_CAPTION, IDS_MSG_CONNECT_FAILED, MB_ICONHAND, nullptr, 0, 0);
        LogError(__LINE__, L"Error:CVelorixUpdaterApp::NewSoftCheck: server connect is failed.");
        return NEWSOFT_NO_CONNECTION;
    }
    if (nDownload == DL_ERR_FILE) {
        ShowMessage(this, nullptr, IDS_CAPTION, IDS_MSG_DOWNLOAD_FAILED, MB_ICONHAND, nullptr, 0, 0);
        LogError(__LINE__, L"Error:CVelorixUpdaterApp::NewSoftCheck: file download is failed.");
        return NEWSOFT_DOWNLOAD_FAILED;
    }

    if (AskStop(this, pProgressThread)) {
        LogError(__LINE__, kStoppedText);
        return NEWSOFT_STOPPED;
    }

    if (!CreateNewSoftInfoList(strSavedPath)) {
        if (m_strNGReturnCode == kReturnCodeUnknownSerial) {
            LogError(__LINE__, L"Error:CVelorixUpdaterApp::NewSoftCheck: ReturnCode in Xml is NG01-0011");
            m_strNGReturnCode.Empty();
            return NEWSOFT_UNKNOWN_SERIAL;
        }
        // An answer that is no catalogue at all (an error page, say) counts as no connection.
        if (m_bCatalogueRoot == 0) return NEWSOFT_NO_CONNECTION;
        LogError(__LINE__, L"Error:CVelorixUpdaterApp::NewSoftCheck: Xml file prase is failed.");
        return NEWSOFT_PARSE_FAILED;
    }

    if (m_arrNewSoftInfo.IsEmpty() || (m_bSetupManagerList == 1 && CompareDownloadSoftList() == 0)) {
        LogError(__LINE__, kNothingFoundText);
        return NEWSOFT_NOTHING_FOUND;
    }

    SetExtensionData(pProgressThread);
    // The extension step asks its own question; a Yes there ends the check here unasked.
    if (pProgressThread && pProgressThread->m_bCancel) {
        LogError(__LINE__, kStoppedText);
        return NEWSOFT_STOPPED;
    }

    GetNeedNewInstallList();
    SortNewSoftInfo();
    return NEWSOFT_OK;
}
