#include "app/VelorixUpdater.h"

#include "app/MessageBox.h"
#include "app/Trace.h"
#include "app/WindowMessages.h"
#include "app/WindowOrder.h"
#include "app/support/VrxCommon.h"
#include "fw/ResourceHandle.h"
#include "resources/resource.h"
#include "setupmgr/WndFunc.h"
#include "ui/RestartConfrimDlg.h"

#include <commctrl.h>
#include <io.h>
#include <objbase.h>
#include <shlobj.h>

wchar_t m_szOSDetail[21] = L"";
int m_nOSMajor = 0, m_nOSMinor = 0, m_nOSServer = 0, m_nOSX64 = 0, m_nOSServicePack = 0;
HINSTANCE m_hResModule = nullptr;

namespace {

const wchar_t kSource[] = L"VelorixUpdater";
const wchar_t kRunOnceKey[] = L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\RunOnce";
const wchar_t kRestartValue[] = L"Dralvex";

// Software the program cannot install, even when the setup manager lists it.
const wchar_t* const kUnsupportedSoftware[] = {L"Tessaline"};

#ifndef MSGFLT_ADD
#define MSGFLT_ADD 1
#endif

// Lets the close and foreground requests of other processes through the
// user-interface privilege isolation (absent before Vista).
void AllowCrossProcessMessages() {
    const CModule hUser32(LoadLibraryW(L"user32.dll"));
    if (!hUser32) return;
    using PFN_CHANGEFILTER = BOOL(WINAPI*)(UINT, DWORD);
    const auto pfnChangeFilter =
        reinterpret_cast<PFN_CHANGEFILTER>(GetProcAddress(hUser32.Get(), "ChangeWindowMessageFilter"));
    if (!pfnChangeFilter) return;
    pfnChangeFilter(WM_ONLINEUPDATE_CLOSE, MSGFLT_ADD);
    pfnChangeFilter(WM_SET_FOREGROUND, MSGFLT_ADD);
}

CString GetFolderPath(int nCsidl) {
    wchar_t szPath[MAX_PATH] = {};
    if (FAILED(SHGetFolderPathW(nullptr, nCsidl, nullptr, SHGFP_TYPE_DEFAULT, szPath))) return CString();
    return CString(szPath);
}

bool IsDirectory(const CString& strPath) {
    const DWORD dwAttributes = GetFileAttributesW(strPath);
    return dwAttributes != INVALID_FILE_ATTRIBUTES && (dwAttributes & FILE_ATTRIBUTE_DIRECTORY);
}

void LogError(int nLine, const wchar_t* pszText) {
    WriteLog(L"", kSource, nLine, pszText, LOG_LEVEL_ERROR, -1);
}

}  // namespace

CVelorixUpdaterApp* GetUpdaterApp() {
    return static_cast<CVelorixUpdaterApp*>(AfxGetApp());
}

CVelorixUpdaterApp::CVelorixUpdaterApp() {
    DLV_TRACE_SCOPE(kSource, L"CVelorixUpdaterApp::CVelorixUpdaterApp");
    m_hDownloadInstallEvent.Reset(CreateEventW(nullptr, FALSE, TRUE, L"DOWNLOADINSTALL"));
}

CVelorixUpdaterApp::~CVelorixUpdaterApp() = default;

BOOL CVelorixUpdaterApp::InitInstance() {
    DLV_TRACE_SCOPE(kSource, L"CVelorixUpdaterApp::InitInstance");
    ParseCommandLine(m_lpCmdLine);
    if (!Initialize()) return FALSE;
    if (!CheckMutex()) return FALSE;
    if (!CheckRestartPending()) return FALSE;
    m_pWndFunc->SetMask();
    m_bItemError = 0;
    if (!PrepareUpdateList()) {
        m_pWndFunc->FreeMask();
        return FALSE;
    }
    return ShowUpdateDialog() != 0 ? TRUE : FALSE;
}

void CVelorixUpdaterApp::ParseCommandLine(const CString& strCmdLine) {
    DLV_TRACE_SCOPE(kSource, L"CVelorixUpdaterApp::ParseCommandLine");
    m_bDvd = strCmdLine.Find(L"-DVD") >= 0 ? 1 : 0;

    const int iInstallDir = strCmdLine.Find(L"INSTALLDIR=");
    if (iInstallDir >= 0) {
        const int iQuote1 = strCmdLine.Find(L'"', iInstallDir);
        if (iQuote1 >= 0) {
            const int iStart = iQuote1 + 1;
            const int iQuote2 = strCmdLine.Find(L'"', iStart);
            if (iQuote2 >= 0) m_strInstallDir = strCmdLine.Mid(iStart, iQuote2 - iStart);
        }
    }
    if (m_strInstallDir.IsEmpty()) m_strInstallDir = GetFolderPath(CSIDL_PROGRAM_FILES) + L"\\zorvScanner";

    const int iModel = strCmdLine.Find(L"MODEL=");
    if (iModel >= 0) {
        int iEnd = strCmdLine.Find(L' ', iModel);
        if (iEnd < 0) iEnd = strCmdLine.GetLength();
        m_strModelParam = strCmdLine.Mid(iModel, iEnd - iModel);
    }
}

BOOL CVelorixUpdaterApp::Initialize() {
    DLV_TRACE_SCOPE(kSource, L"CVelorixUpdaterApp::Initialize");
    LoadLibraryW(L"riched20.dll");  // the licence dialog's rich edit control, kept for the run

    const HINSTANCE hResource = LoadResourceModule(0);
    m_hResModule = hResource ? hResource : AfxGetInstanceHandle();
    AfxSetResourceHandle(m_hResModule);

    INITCOMMONCONTROLSEX icc = {sizeof(icc), ICC_WIN95_CLASSES | ICC_PROGRESS_CLASS | ICC_LISTVIEW_CLASSES};
    InitCommonControlsEx(&icc);

    GetOSVersionString(m_strOSVersion);
    GetOSDetail();
    WriteLog(L"", kSource, __LINE__,
             CString(L"Info :CVelorixUpdaterApp::Initialize:OS Version Summary: ") + m_strOSVersion + L", Detail: " +
                 m_szOSDetail,
             LOG_LEVEL_TRACE, -1);

    const bool bXp = m_strOSVersion == L"5.1";
    if (!bXp) AllowCrossProcessMessages();

    CString strFace;
    strFace.LoadString(m_hResModule, bXp ? IDS_FONT_FACE_XP : IDS_FONT_FACE);
    CreateDialogFonts(strFace, m_fontDialog, m_fontTitle);

    CString strBaseFolder;
    GetBaseFolder(strBaseFolder);
    const CString strSavePath = strBaseFolder + L"\\zorvSeriesOLU\\";
    const CString strWorkPath = GetFolderPath(CSIDL_COMMON_APPDATA) + L"\\Dralvex";
    for (const CString* pPath : {&strSavePath, &strWorkPath}) {
        if (!CreateSavePath(*pPath)) {
            ShowMessage(this, nullptr, IDS_CAPTION, IDS_MSG_NO_FOLDER_ACCESS, MB_ICONHAND, nullptr, 0, 0);
            LogError(__LINE__, L"Error:CVelorixUpdaterApp::Initialize: Create downland folder is failed.");
            return FALSE;
        }
    }
    m_strSavePath = strSavePath;
    m_strWorkPath = strWorkPath;

    RegisterDialogClass(m_hResModule);

    m_strIniPath = strBaseFolder + L"\\Dralvex.ini";
    if (FileExists(m_strIniPath)) ReadSettings();

    if (FAILED(CoInitializeEx(nullptr, COINIT_MULTITHREADED))) {
        LogError(__LINE__, L"Error:CVelorixUpdaterApp::InitInstance: UAC is initialize failed.");
    } else {
        m_bComInitialized = TRUE;
    }

    ReadIniString(L"WebServer", L"URL_INST", m_strIniPath, m_strUrlInst);
    if (m_strUrlInst.IsEmpty()) {
        LogError(__LINE__, L"Error:CVelorixUpdaterApp::Initialize: WebServer url is not.");
        return FALSE;
    }
    ReadIniString(L"WebServer", L"URL_STARTUP", m_strIniPath, m_strUrlStartup);
    if (m_strUrlStartup.IsEmpty()) {
        LogError(__LINE__, L"Error:CVelorixUpdaterApp::Initialize: DownloadCountServer url is not.");
        return FALSE;
    }

    m_pWndFunc = std::make_unique<WndFunc>(m_bDvd == 1 ? 1 : 0);

    CArray<CString> arrNames;
    const int nResult = m_pWndFunc->GetDownloadList(arrNames);
    if (nResult >= 1) {
        if (RemoveUnsupportedSoftware(arrNames) == 0) {
            LogError(__LINE__, L"Error:CVelorixUpdaterApp::Initialize: Software not supported.");
            ShowMessage(this, nullptr, IDS_CAPTION, IDS_MSG_SOFTWARE_UNSUPPORTED, MB_ICONEXCLAMATION, nullptr, 0, 0);
            return FALSE;
        }
        m_bSetupManagerList = 1;
    } else if (nResult == 0) {
        ShowMessage(this, nullptr, IDS_CAPTION, IDS_MSG_OTHER_INSTALLATION, MB_ICONEXCLAMATION, nullptr, 0, 0);
        LogError(__LINE__, L"Error:CVelorixUpdaterApp::Initialize: SetupManager phase Invalid.");
        return FALSE;
    } else if (nResult == -1) {
        m_bSetupManagerList = 0;
    } else if (nResult == -2) {
        ShowMessage(this, nullptr, IDS_CAPTION, IDS_MSG_OTHER_INSTALLATION, MB_ICONEXCLAMATION, nullptr, 0, 0);
        return FALSE;
    }
    return TRUE;
}

void CVelorixUpdaterApp::ReadSettings() {
    struct Setting {
        const wchar_t* pszSection;
        const wchar_t* pszKey;
        int* pValue;
        int nDefault;
    };
    const Setting settings[] = {
        {L"GetSerialNo", L"GetSerialNoRetrySleep", &m_nGetSerialNoRetrySleep, 10000},
        {L"WebServer", L"DownRetryCount", &m_nDownRetryCount, 3},
        {L"WebServer", L"DownRetrySleep", &m_nDownRetrySleep, 3000},
        {L"WebServer", L"ConnectTimeout", &m_nConnectTimeout, -1},
        {L"WebServer", L"SendTimeout", &m_nSendTimeout, -1},
        {L"WebServer", L"ReceiveTimeout", &m_nReceiveTimeout, -1},
        {L"WebServer", L"IgnoreCertErrors", &m_bIgnoreCertErrors, 0},
    };
    for (const Setting& setting : settings) {
        const int nValue = ReadIniInt(setting.pszSection, setting.pszKey, m_strIniPath, -1);
        *setting.pValue = nValue < 0 ? setting.nDefault : nValue;
    }
    // Only an explicit 1 turns certificate checks off.
    m_bIgnoreCertErrors = m_bIgnoreCertErrors == 1 ? 1 : 0;
}

BOOL CVelorixUpdaterApp::CreateSavePath(const CString& strPath) {
    DLV_TRACE_SCOPE(kSource, L"CVelorixUpdaterApp::CreateSavePath");
    // A file of the folder's name is no folder: creating it fails and the run ends.
    if (_waccess(strPath, 0) == 0 && IsDirectory(strPath)) return TRUE;
    if (CreateDirectoryW(strPath, nullptr)) return TRUE;
    LogError(__LINE__, L"Error:CVelorixUpdaterApp::CreateSavePath: create directory is failed.");
    return FALSE;
}

BOOL CVelorixUpdaterApp::RegisterDialogClass(HINSTANCE hResModule) {
    WNDCLASSW wc = {};
    if (GetClassInfoW(hResModule, kDialogClassName, &wc)) return TRUE;
    if (!GetClassInfoW(nullptr, L"#32770", &wc)) return FALSE;
    wc.hInstance = hResModule;
    wc.lpszClassName = kDialogClassName;
    return RegisterClassW(&wc) != 0;
}

BOOL CVelorixUpdaterApp::CheckMutex() {
    DLV_TRACE_SCOPE(kSource, L"CVelorixUpdaterApp::CheckMutex");
    const int nResult = m_pWndFunc->CheckAndSetMutex();
    if (nResult > 0) return TRUE;
    if (nResult < 0) {
        ShowMessage(this, nullptr, IDS_CAPTION, IDS_MSG_OTHER_INSTALLATION, MB_ICONEXCLAMATION, nullptr, 0, 0);
    }
    return FALSE;
}

BOOL CVelorixUpdaterApp::CheckRestartPending() {
    wchar_t szValue[MAX_PATH] = {};
    _RegistryValue value = {kRestartValue, REG_SZ, szValue, sizeof(szValue)};
    if (ReadRegistryValue(&value, HKEY_LOCAL_MACHINE, kRunOnceKey) == REGVALUE_NOT_READ) return TRUE;

    m_bRestartPending = 1;
    AfxSetResourceHandle(m_hResModule);
    CRestartConfrimDlg dlg(nullptr);
    dlg.DoModal();
    if (!dlg.m_bAnswered) return TRUE;
    DLV_LOG(kSource, LOG_LEVEL_TRACE,
            L"Info :CVelorixUpdaterApp::InitInstance:Installer form Integration or a selected software is not "
            L"completely installed,Os is need restart.But user select restart OS later.");
    return FALSE;
}

BOOL CVelorixUpdaterApp::PrepareUpdateList() {
    DLV_TRACE_SCOPE(kSource, L"CVelorixUpdaterApp::PrepareUpdateList");
    enum class Step { Detect, Check, Manual };
    Step step = Step::Detect;
    int bManual = 0;
    for (;;) {
        switch (step) {
        case Step::Detect:
            if (!RunDetection()) return FALSE;
            // Old-form serial numbers alone never start the update check by themselves.
            step = m_arrSerial10.IsEmpty() ? Step::Manual : Step::Check;
            break;
        case Step::Check: {
            const int nResult = RunUpdateCheck();
            if (nResult == NEWSOFT_OK) return TRUE;
            if (nResult == NEWSOFT_UNKNOWN_SERIAL) {
                if (bManual == 1) {
                    ShowMessage(this, nullptr, IDS_CAPTION, IDS_MSG_SERIAL_WRONG, MB_ICONEXCLAMATION, nullptr, 0, 0);
                    bManual = 0;
                }
            } else if (nResult != NEWSOFT_NOTHING_FOUND) {
                return FALSE;
            }
            step = Step::Manual;
            break;
        }
        case Step::Manual:
            m_arrSerial10.RemoveAll();
            m_arrSerial6.RemoveAll();
            AfxSetResourceHandle(m_hResModule);
            switch (AskSerialNumber()) {
            case ManualEntry::Cancelled:
                return FALSE;
            case ManualEntry::Automatic:
                step = Step::Detect;
                break;
            case ManualEntry::Typed:
                bManual = 1;
                step = Step::Check;
                break;
            }
            break;
        }
    }
}

int CVelorixUpdaterApp::ExitInstance() {
    DLV_TRACE_SCOPE(kSource, L"CVelorixUpdaterApp::ExitInstance");
    m_pBridge.Release();  // before COM goes
    if (m_bComInitialized) {
        CoUninitialize();
        m_bComInitialized = FALSE;
    }
    m_pDownloadDlg.reset();
    m_pInstallDlg.reset();
    m_pWndFunc.reset();
    if (m_hResModule && m_hResModule != AfxGetInstanceHandle()) FreeLibrary(m_hResModule);
    m_hResModule = nullptr;
    AfxSetResourceHandle(nullptr);
    return CWinApp::ExitInstance();
}

int CVelorixUpdaterApp::RemoveUnsupportedSoftware(CArray<CString>& arrNames) {
    for (CString& strName : arrNames) {
        for (const wchar_t* pszUnsupported : kUnsupportedSoftware) {
            if (strName == pszUnsupported) strName.Empty();
        }
    }
    for (int i = arrNames.GetSize() - 1; i >= 0; --i) {
        if (arrNames[i].IsEmpty()) arrNames.RemoveAt(i);
    }
    return arrNames.GetSize();
}

void CVelorixUpdaterApp::GetOSDetail() {
    OSVERSIONINFOEXW osvi = {};
    osvi.dwOSVersionInfoSize = sizeof(osvi);
    GetVersionExW(reinterpret_cast<OSVERSIONINFOW*>(&osvi));

    using PFN_GETNATIVESYSTEMINFO = void(WINAPI*)(LPSYSTEM_INFO);
    const auto pfnGetNativeSystemInfo = reinterpret_cast<PFN_GETNATIVESYSTEMINFO>(
        GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "GetNativeSystemInfo"));
    SYSTEM_INFO si = {};
    if (pfnGetNativeSystemInfo) pfnGetNativeSystemInfo(&si);

    m_nOSMajor = static_cast<int>(osvi.dwMajorVersion);
    m_nOSMinor = static_cast<int>(osvi.dwMinorVersion);
    m_nOSServer = osvi.wProductType != VER_NT_WORKSTATION ? 1 : 0;
    m_nOSX64 = pfnGetNativeSystemInfo && si.wProcessorArchitecture == PROCESSOR_ARCHITECTURE_AMD64 ? 1 : 0;
    m_nOSServicePack = osvi.wServicePackMajor;
    _snwprintf(m_szOSDetail, 20, L"%d.%d.%d.%d.%d", m_nOSMajor, m_nOSMinor, m_nOSServer, m_nOSX64, m_nOSServicePack);
    m_szOSDetail[20] = L'\0';
}
