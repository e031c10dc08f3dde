// CVelorixUpdaterApp: the application object. It owns everything that lives for the
// whole run (settings, command-line options, working folders, OS description, serial
// lists, fonts, the setup-manager cooperation object) and InitInstance runs the program
// as one sequence: prepare, refuse to run beside conflicting programs, honour a pending
// restart, find serial numbers, ask the update server, show the update dialog.
#pragma once

#include "bridge/DlvUACBridge_h.h"
#include "catalogue/UpdateInfo.h"
#include "fw/Array.h"
#include "fw/ComPtr.h"
#include "fw/Dialog.h"
#include "fw/Font.h"
#include "fw/Handle.h"
#include "fw/String.h"
#include "fw/WinApp.h"
#include "fw/WinThread.h"
#include "scanner/ScannerInfo.h"

#include <memory>

class CGetFileListDlg;
class CGetSerialNoDlg;
class WndFunc;

// The operating-system detail "major.minor.server.x64.servicepack" (at most 20 characters).
extern wchar_t m_szOSDetail[21];
extern int m_nOSMajor, m_nOSMinor, m_nOSServer, m_nOSX64, m_nOSServicePack;
// The module dialogs, strings and icons are loaded from.
extern HINSTANCE m_hResModule;

// Results of NewSoftCheck. Apart from 0, 999 and 9999 each is also the id of the string
// that tells the user about it.
enum {
    NEWSOFT_OK = 0,                  // the install list is ready
    NEWSOFT_STOPPED = 999,           // the user stopped the check
    NEWSOFT_DOWNLOAD_FAILED = 1039,  // the catalogue could not be saved
    NEWSOFT_NO_CONNECTION = 1041,    // no server, or its answer was no catalogue
    NEWSOFT_PARSE_FAILED = 1045,     // the catalogue could not be read
    NEWSOFT_UNKNOWN_SERIAL = 1071,   // the server refused the serial numbers
    NEWSOFT_NOTHING_FOUND = 9999,    // nothing applies to this computer
};

class CVelorixUpdaterApp : public CWinApp {
public:
    CVelorixUpdaterApp();
    ~CVelorixUpdaterApp() override;

    BOOL InitInstance() override;
    int ExitInstance() override;

    BOOL Initialize();
    void ParseCommandLine(const CString& strCmdLine);
    BOOL CheckMutex();
    // Creates one working folder (the download folder or the work folder) when it is missing.
    BOOL CreateSavePath(const CString& strPath);
    // Reads the integer settings of the settings file m_strIniPath.
    void ReadSettings();
    // Registers the dialog class every template names, once per process.
    static BOOL RegisterDialogClass(HINSTANCE hResModule);
    BOOL PrepareUpdateList();
    // The update check: catalogue request, parse, selection. pProgressThread may be null.
    int NewSoftCheck(CGetFileListDlg* pProgressThread);
    // Scanner detection: runs the scanner-information tool until a serial number is
    // found or the user skips or cancels in the detection dialog (pDetectionThread may be null).
    int GetSerialNoList(CGetSerialNoDlg* pDetectionThread);
    // One run of the scanner-information tool and the reading of its file; 1 when a serial was recorded.
    int GetScanInfo();
    // Fills both serial lists from the scanner-information file; 1 when a serial was recorded.
    int GetScannerInfoList(const CString& strPath);
    // 10 for a new-form serial number, 6 for an old-form one, else a negative reason.
    static int ClassifySerialNo(const CString& strSerialNo);
    // Selection of what applies to this computer (extension settings, installed versions, order).
    int CompareDownloadSoftList();
    int SetExtensionData(CGetFileListDlg* pProgressThread);
    void GetNeedNewInstallList();
    void SortNewSoftInfo();
    int ShowUpdateDialog();
    void GetOSDetail();
    static int RemoveUnsupportedSoftware(CArray<CString>& arrNames);
    // Reads the saved catalogue file into m_arrNewSoftInfo and stores its licence URL,
    // credential and return codes; nonzero on success. On failure the items completed
    // before it stay in the list.
    BOOL CreateNewSoftInfoList(const CString& strPath);
    // Nonzero when the item lacks a field every package must have; logs the first one.
    static BOOL CheckNewInstallItemEmpty(const CUpdateInfo& info);

    CString GetSavePath() const { return m_strSavePath; }
    CString GetWorkPath() const { return m_strWorkPath; }
    CString GetUrlInst() const { return m_strUrlInst; }
    void SetUrlInst(const CString& strUrl) { m_strUrlInst = strUrl; }
    void SetUrlStartup(const CString& strUrl) { m_strUrlStartup = strUrl; }

    // The elevated bridge every installer runs through; null until the install action creates it.
    CComPtr<ITheUACBridge> m_pBridge;
    CFont m_fontDialog;
    CFont m_fontTitle;
    std::unique_ptr<CDialog> m_pInstallDlg;
    std::unique_ptr<CDialog> m_pDownloadDlg;
    int m_bInstallStarted = 0;
    int m_bDownloadRetry = 0;
    std::unique_ptr<WndFunc> m_pWndFunc;
    CArray<_ScannerInfo> m_arrSerial10;
    CArray<_ScannerInfo> m_arrSerial6;
    CString m_strAuth;
    CString m_strLicense;
    CString m_strOSVersion = L"-1";
    int m_nNeedInstallCount = 0;
    int m_bCatalogueRoot = 0;
    CString m_strNGReturnCode;
    int m_nGetSerialNoRetrySleep = 10000;
    int m_bQmetaMissingLogged = 0;
    int m_nDownRetryCount = 3;
    int m_nDownRetrySleep = 3000;
    int m_nConnectTimeout = -1;
    int m_nSendTimeout = -1;
    int m_nReceiveTimeout = -1;
    // 1: certificate errors of the update server are ignored (a private server with a
    // self-signed certificate); 0, the default, verifies certificates.
    int m_bIgnoreCertErrors = 0;
    int m_bRestartPending = 0;
    int m_bSetupManagerList = 0;
    CString m_strInstallDir;
    CString m_strModelParam;
    CHandle m_hDownloadInstallEvent;
    CArray<CUpdateInfo> m_arrNewSoftInfo;
    CString m_strSavePath;
    CString m_strWorkPath;
    CString m_strIniPath;
    int m_bItemError = 0;
    CString m_strUrlInst;
    CString m_strUrlStartup;
    int m_bDvd = 0;
    CArray<CUpdateInfo> m_arrNeedInstall;

private:
    // The outcome of the serial-number dialog.
    enum class ManualEntry { Cancelled, Automatic, Typed };

    // Scanner detection with its progress dialog; FALSE when the user cancelled it.
    BOOL RunDetection();
    // The update check with its progress dialog; the result of NewSoftCheck.
    int RunUpdateCheck();
    // The serial-number dialog; a typed serial number is added to its list.
    ManualEntry AskSerialNumber();
    BOOL CheckRestartPending();
    BOOL m_bComInitialized = FALSE;
};

CVelorixUpdaterApp* GetUpdaterApp();
