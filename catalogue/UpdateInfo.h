// CUpdateInfo: one update item (software package) as it travels from the catalogue to the
// installer; _SetupInfo: one setup command of a package. Items are held by value; every
// copy of an item refers to the same setup list.
#pragma once

#include "fw/Array.h"
#include "fw/String.h"
#include "fw/Time.h"

#include <memory>

// Availability status of an item (m_nStatus). Every negative status unchecks the item.
enum {
    STATUSFLAG_NONE = 0,
    STATUSFLAG_INSTALLED = -1,
    STATUSFLAG_DIFFERENCE = -2,
    STATUSFLAG_UNSUPPORTED = -3,
    STATUSFLAG_OUTOFDISK = -5,
    STATUSFLAG_ERROR = -6,
};

// Progress of an item through download and installation (m_nProcState).
enum {
    ITEM_WAITING = 0,
    ITEM_DOWNLOADED = 1,
    ITEM_INSTALLED = 2,
    ITEM_DOWNLOAD_FAILED = 3,
    ITEM_INSTALL_FAILED = 4,
};

struct _SetupInfo {
    CString strSetupCmd;
    CString strSetupParam;
};

class CUpdateInfo {
public:
    // Puts every field back to its default; the item no longer refers to a setup list.
    void Init() { *this = CUpdateInfo(); }
    // The same reset, for items of a list that is discarded.
    void Clear() { Init(); }

    CString GetID() const { return m_strID; }
    void SetID(const CString& str) { m_strID = str; }
    CString GetTitle() const { return m_strTitle; }
    void SetTitle(const CString& str) { m_strTitle = str; }
    CString GetVersion() const { return m_strVersion; }
    void SetVersion(const CString& str) { m_strVersion = str; }
    CString GetLink() const { return m_strLink; }
    void SetLink(const CString& str) { m_strLink = str; }
    CString GetDescription() const { return m_strDescription; }
    void SetDescription(const CString& str) { m_strDescription = str; }
    CString GetLicenseURL() const { return m_strLicenseURL; }
    void SetLicenseURL(const CString& str) { m_strLicenseURL = str; }
    CString GetIss() const { return m_strIss; }
    void SetIss(const CString& str) { m_strIss = str; }
    CString GetModule() const { return m_strModule; }
    void SetModule(const CString& str) { m_strModule = str; }
    CString GetExclude() const { return m_strExclude; }
    void SetExclude(const CString& str) { m_strExclude = str; }
    CString GetLocalFile() const { return m_strLocalFile; }
    void SetLocalFile(const CString& str) { m_strLocalFile = str; }
    CString GetInstallLog() const { return m_strInstallLog; }
    void SetInstallLog(const CString& str) { m_strInstallLog = str; }
    CString GetInstChkKey() const { return m_strInstChkKey; }
    void SetInstChkKey(const CString& str) { m_strInstChkKey = str; }
    CString GetInstChkPath() const { return m_strInstChkPath; }
    void SetInstChkPath(const CString& str) { m_strInstChkPath = str; }
    CString GetLicenseFile() const { return m_strLicenseFile; }
    void SetLicenseFile(const CString& str) { m_strLicenseFile = str; }
    CString GetTargetMinVersion() const { return m_strTargetMinVersion; }
    void SetTargetMinVersion(const CString& str) { m_strTargetMinVersion = str; }
    CString GetCustomIniFile() const { return m_strCustomIniFile; }
    void SetCustomIniFile(const CString& str) { m_strCustomIniFile = str; }
    CString GetCheckDll() const { return m_strCheckDll; }
    void SetCheckDll(const CString& str) { m_strCheckDll = str; }
    CString GetShortName() const { return m_strShortName; }
    void SetShortName(const CString& str) { m_strShortName = str; }
    CString GetInstalledName() const { return m_strInstalledName; }
    void SetInstalledName(const CString& str) { m_strInstalledName = str; }
    CString GetDspInf() const { return m_strDspInf; }
    void SetDspInf(const CString& str) { m_strDspInf = str; }
    CString GetParent() const { return m_strParent; }
    void SetParent(const CString& str) { m_strParent = str; }
    CString GetInstalledVersion() const { return m_strInstalledVersion; }
    void SetInstalledVersion(const CString& str) { m_strInstalledVersion = str; }
    CString GetWebPage() const { return m_strWebPage; }
    void SetWebPage(const CString& str) { m_strWebPage = str; }

    CString m_strID;
    CString m_strTitle;
    CString m_strVersion;
    CString m_strLink;
    CString m_strDescription;
    CTime m_tmPubDate;
    CTime m_tmDelDate;
    CString m_strLicenseURL;
    CString m_strIss;
    CString m_strModule;
    CString m_strExclude;
    int m_bChecked = 1;
    LONGLONG m_nSize = 0;
    LONGLONG m_nInstallSize = 0;
    CString m_strLocalFile;
    CString m_strInstallLog;
    LONGLONG m_nDisplaySize = 0;
    CString m_strInstChkKey;
    CString m_strInstChkPath;
    CString m_strLicenseFile;
    CString m_strTargetMinVersion;
    int m_nProcState = ITEM_WAITING;
    int m_bOffered = 1;
    int m_nProgressSteps = 1;
    int m_nStatus = STATUSFLAG_NONE;
    CString m_strCustomIniFile;
    CString m_strCheckDll;
    CString m_strShortName;
    int m_nSilentMode = 0;
    int m_nAutoPlay = 0;
    CString m_strInstalledName;
    CString m_strDspInf;
    CString m_strParent;
    // Shared by every copy of the item; released with the last copy that refers to it.
    std::shared_ptr<CArray<_SetupInfo>> m_pSetupList;
    int m_bNeedReboot = 0;
    CString m_strInstalledVersion;
    CString m_strWebPage;
    int m_nForceReboot = 0;
};
