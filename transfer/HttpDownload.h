// CHttpDownLoad: the program's exchanges with the update and counting servers over WinINet:
// one synchronous request (file GET, catalogue POST, count-report POST) whose answer is
// saved in the download folder, and the numbered save paths of downloaded files.
#pragma once

#include "fw/Array.h"
#include "fw/String.h"
#include "scanner/ScannerInfo.h"

#include <windows.h>

#include <utility>
#include <vector>

// Results of the transfers.
enum {
    DL_OK = 0,           // status 200, body stored
    DL_ERR_CONNECT = 1,  // not sent, not answered with 200, or an internet failure
    DL_ERR_DISK = 2,     // not enough free disk space
    DL_ERR_FILE = 3,     // the answer could not be stored
    DL_ERR_RETRY = 8,    // interrupted; trying again is worth it
};

// What DownloadFile requests.
enum {
    DLKIND_FILE = 1,       // GET; saved under the URL's file name
    DLKIND_CATALOGUE = 2,  // POST of the scanners' serial numbers; saved as "AutoUpdateList.xml"
    DLKIND_COUNT = 3,      // POST of the caller's report text; saved as "DownloadCount.xml"
};

class CHttpDownLoad {
public:
    // Sends one request of kind nKind to strUrl (http or https) and saves a 200 answer's body in
    // strSaveDir (which ends with a path separator). strOutPath receives the saved file's path
    // once the file is named, and is left unchanged by failures before that. nIndex numbers the
    // file (RenameDownFile), -1 for none. hParentWnd owns the proxy credential prompt (may be
    // null). pScanners: the serial numbers posted by a catalogue request; strBody: the text
    // posted by a count report. Returns DL_OK, DL_ERR_CONNECT or DL_ERR_FILE.
    static int DownloadFile(int nKind, CString& strOutPath, const CString& strSaveDir, const CString& strUrl, int nIndex,
                     HWND hParentWnd, const CArray<_ScannerInfo>* pScanners, const CString& strBody);

    // The save path strSaveDir + strFileName, numbered with nIndex + 1 before the extension
    // when nIndex is 0 or more ("setup.exe", 0 gives "setup_01.exe"; "readme", 11 gives
    // "readme_12"). FALSE, with strOutPath unchanged, when the path would be longer than
    // MAX_PATH - 1 characters.
    static BOOL RenameDownFile(const CString& strSaveDir, const CString& strFileName, int nIndex,
                               CString& strOutPath);

    // The WinINet time-out options (option, milliseconds) that the settings ask for: each of the
    // connect, send and receive time-outs whose setting (whole seconds) is greater than 0.
    static std::vector<std::pair<DWORD, DWORD>> GetTimeoutOptions(int nConnectTimeout, int nSendTimeout,
                                                                  int nReceiveTimeout);
};
