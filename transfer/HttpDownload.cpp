#include "transfer/HttpDownload.h"

#include "app/Trace.h"
#include "app/VelorixUpdater.h"
#include "app/support/ExceptionText.h"
#include "app/support/VrxCommon.h"
#include "fw/InternetException.h"
#include "fw/InternetSession.h"
#include "fw/ParseUrl.h"
#include "fw/ResourceHandle.h"
#include "fw/StdioFile.h"
#include "resources/resource.h"
#include "transfer/SaveFileName.h"
#include "ui/NotifyDlg.h"

#include <algorithm>
#include <memory>
#include <string>

namespace {

const wchar_t kSource[] = L"HttpDownload";
const wchar_t kAgent[] = L"CHttpSessionDownloadFile";
const wchar_t kPostHeader[] = L"Content-Type: application/x-www-form-urlencoded; charset=UTF-8";
const wchar_t kCatalogueFile[] = L"AutoUpdateList.xml";
const wchar_t kCountFile[] = L"DownloadCount.xml";

constexpr DWORD kHttpFlags = INTERNET_FLAG_RELOAD | INTERNET_FLAG_NO_CACHE_WRITE | INTERNET_FLAG_KEEP_CONNECTION;
constexpr DWORD kHttpsFlags = kHttpFlags | INTERNET_FLAG_SECURE;
// Certificate checks given up for servers the settings trust with a self-signed certificate.
constexpr DWORD kIgnoreCertErrors =
    SECURITY_FLAG_IGNORE_UNKNOWN_CA | SECURITY_FLAG_IGNORE_CERT_CN_INVALID | SECURITY_FLAG_IGNORE_CERT_DATE_INVALID;
constexpr DWORD kIgnoreCertErrorsOnResend =
    kIgnoreCertErrors | SECURITY_FLAG_IGNORE_REVOCATION | SECURITY_FLAG_IGNORE_WRONG_USAGE;
constexpr UINT kReadBlock = 1024;
// A save folder and file name of this many characters or more are refused.
constexpr int kSavePathLimit = 257;

void LogInfo(int nLine, const CString& strText) {
    WriteLog(L"", kSource, nLine, strText, LOG_LEVEL_TRACE, -1);
}

void LogError(int nLine, const CString& strText) {
    WriteLog(L"", kSource, nLine, strText, LOG_LEVEL_ERROR, -1);
}

CString LastErrorText() {
    CString strText;
    NumberToText(strText);
    return strText;
}

CString Decimal(DWORD dwValue) {
    return CString(std::to_wstring(dwValue));
}

// The catalogue request's parameters: the first five characters of each serial number, the
// operating system, the model parameter of the command line when given, the client type.
CString CatalogueParams(const CArray<_ScannerInfo>* pScanners, const CString& strModelParam) {
    CString strParams;
    if (pScanners)
        for (const _ScannerInfo& scanner : *pScanners) strParams += L"SN=" + scanner.strSerialNo.Left(5) + L"&";
    strParams += L"OS=Win&";
    if (!strModelParam.IsEmpty()) strParams += strModelParam + L"&";
    return strParams + L"CLTYPE=ZORVDLV1&SETUPTYPE=WW";
}

// The text in the thread's ANSI code page, as the server reads the posted parameters.
std::string ToAnsi(const CString& str) {
    const int nBytes = WideCharToMultiByte(CP_THREAD_ACP, 0, str, str.GetLength(), nullptr, 0, nullptr, nullptr);
    std::string strAnsi(static_cast<size_t>(nBytes), '\0');
    WideCharToMultiByte(CP_THREAD_ACP, 0, str, str.GetLength(), strAnsi.data(), nBytes, nullptr, nullptr);
    return strAnsi;
}

void AddSecurityFlags(CHttpFile& request, DWORD dwAdd) {
    DWORD dwFlags = 0;
    request.QueryOption(INTERNET_OPTION_SECURITY_FLAGS, dwFlags);
    request.SetOption(INTERNET_OPTION_SECURITY_FLAGS, dwFlags | dwAdd);
}

// One request of DownloadFile, sent in the form of its kind: a GET without headers or body,
// a POST with the form header and the body.
class CDownloadRequest {
public:
    CDownloadRequest(CHttpFile& file, int nKind, const CString& strBody)
        : m_file(file), m_bPost(nKind != DLKIND_FILE), m_strBody(ToAnsi(strBody)) {}

    BOOL Send() {
        if (!m_bPost) return m_file.SendRequest();
        return m_file.SendRequest(kPostHeader, m_strBody.data(), static_cast<DWORD>(m_strBody.size()));
    }

    // The send after the user gave the proxy credential. A POST to a server whose certificate
    // the settings trust is tried once more without the remaining certificate checks.
    void SendAfterPrompt(bool bIgnoreCertErrors) {
        if (!m_bPost || !bIgnoreCertErrors) {
            Send();
            return;
        }
        try {
            Send();
        } catch (CInternetException& e) {
            if (!(e.m_dwError & kIgnoreCertErrorsOnResend)) return;
            AddSecurityFlags(m_file, kIgnoreCertErrorsOnResend);
            Send();
        }
    }

    DWORD QueryStatus() const {
        DWORD dwStatus = 0;
        m_file.QueryInfoStatusCode(dwStatus);
        LogInfo(__LINE__, L"Info :CHttpDownLoad::DownloadFile: QueryInfoStatusCode result code is:" + Decimal(dwStatus));
        return dwStatus;
    }

private:
    CHttpFile& m_file;
    bool m_bPost;
    std::string m_strBody;
};

// The system's credential prompt for a proxy that asks for one, with the program's notice
// beside it while it is open. Returns the prompt's result.
DWORD AskProxyCredential(CHttpFile& file, HWND hParentWnd) {
    if (m_hResModule) AfxSetResourceHandle(m_hResModule);
    CNotifyDlg notice;
    if (notice.Create(IDD_PROXY_NOTIFY)) notice.ShowWindow(SW_SHOW);
    const DWORD dwResult = file.ErrorDlg(hParentWnd, ERROR_INTERNET_INCORRECT_PASSWORD,
                                         FLAGS_ERROR_UI_FLAGS_GENERATE_DATA | FLAGS_ERROR_UI_FLAGS_CHANGE_OPTIONS);
    notice.DestroyWindow();
    return dwResult;
}

// The objects of one exchange; the request closes before its connection, the connection
// before the session.
struct CExchange {
    CInternetSession session{kAgent, 1, INTERNET_OPEN_TYPE_PRECONFIG};
    std::unique_ptr<CHttpConnection> pConnection;
    std::unique_ptr<CHttpFile> pFile;
    CStdioFile saveFile;
    CString strSavePath;

    // Closes the save file of an answer that was not stored completely and removes it.
    void DiscardSaveFile() {
        if (!saveFile.IsOpen()) return;
        saveFile.Close();
        DeleteExistingFile(strSavePath);
    }
};

}  // namespace

int CHttpDownLoad::DownloadFile(int nKind, CString& strOutPath, const CString& strSaveDir, const CString& strUrl,
                                int nIndex, HWND hParentWnd, const CArray<_ScannerInfo>* pScanners,
                                const CString& strBody) {
    DLV_TRACE_SCOPE(kSource, L"CHttpDownLoad::DownloadFile");
    LogInfo(__LINE__, L"Info :CHttpDownLoad::DownloadFile: downloaded file save directory is " + strSaveDir);
    LogInfo(__LINE__, L"Info :CHttpDownLoad::DownloadFile: download file URL is " + strUrl);
    const CVelorixUpdaterApp& app = *GetUpdaterApp();

    CExchange exchange;
    try {
        CString strPost;
        if (nKind == DLKIND_CATALOGUE) {
            strPost = CatalogueParams(pScanners, app.m_strModelParam);
            LogInfo(__LINE__, L"Info :CHttpDownLoad::DownloadFile: Web Server Send Param:" + strPost);
        } else if (nKind == DLKIND_COUNT) {
            strPost = strBody;
        }

        DWORD dwService = AFX_INET_SERVICE_UNK;
        CString strServer, strObject;
        INTERNET_PORT nPort = 0;
        if (!AfxParseURL(strUrl, dwService, strServer, strObject, nPort)) dwService = AFX_INET_SERVICE_UNK;
        if (dwService != AFX_INET_SERVICE_HTTP && dwService != AFX_INET_SERVICE_HTTPS) {
            LogError(__LINE__, L"Error:CHttpDownLoad::DownloadFile:The sort of internet service is not http and https.");
            return DL_ERR_CONNECT;
        }
        const DWORD dwFlags = dwService == AFX_INET_SERVICE_HTTPS ? kHttpsFlags : kHttpFlags;

        const auto timeouts = GetTimeoutOptions(app.m_nConnectTimeout, app.m_nSendTimeout, app.m_nReceiveTimeout);
        for (const auto& [dwOption, dwMs] : timeouts) exchange.session.SetOption(dwOption, dwMs);

        exchange.pConnection = exchange.session.GetHttpConnection(strServer, nPort);
        exchange.pFile = exchange.pConnection->OpenRequest(nKind == DLKIND_FILE ? L"GET" : L"POST", strObject, nullptr,
                                                           1, nullptr, nullptr, dwFlags);
        // Not every WinINet passes the session's time-outs on to its requests (Wine does not).
        for (const auto& [dwOption, dwMs] : timeouts) exchange.pFile->SetOption(dwOption, dwMs);
        LogInfo(__LINE__, L"Info :CHttpDownLoad::DownloadFile: OpenRequest GetLastError code is:" + LastErrorText());

        CDownloadRequest request(*exchange.pFile, nKind, strPost);
        if (nKind != DLKIND_FILE) {
            if (app.m_bIgnoreCertErrors) AddSecurityFlags(*exchange.pFile, kIgnoreCertErrors);
            LogInfo(__LINE__, CString(L"Info :CHttpDownLoad::DownloadFile: post to server data head is [") + kPostHeader + L"]");
            LogInfo(__LINE__, L"Info :CHttpDownLoad::DownloadFile: post to server data is [" + strPost + L"]");
        }
        if (!request.Send()) {
            LogError(__LINE__, L"Error:CHttpDownLoad::DownloadFile:Failed to Send request.");
            return DL_ERR_CONNECT;
        }

        DWORD dwStatus = request.QueryStatus();
        if (dwStatus == HTTP_STATUS_PROXY_AUTH_REQ) {
            if (AskProxyCredential(*exchange.pFile, hParentWnd) != ERROR_INTERNET_FORCE_RETRY) {
                LogError(__LINE__, L"Error:CHttpDownLoad::DownloadFile:Failed to INTERNET_FORCE_RETRY.");
                return DL_ERR_CONNECT;
            }
            request.SendAfterPrompt(app.m_bIgnoreCertErrors != 0);
            dwStatus = request.QueryStatus();
            if (dwStatus == HTTP_STATUS_BAD_REQUEST) {
                request.Send();
                dwStatus = request.QueryStatus();
            }
        }
        if (dwStatus != HTTP_STATUS_OK) {
            LogError(__LINE__,
                     L"Error:CHttpDownLoad::DownloadFile:Querying Status code is not HTTP_STATUS_OK.code is " + Decimal(dwStatus));
            return DL_ERR_CONNECT;
        }

        const CString strName = nKind == DLKIND_FILE       ? MakeSaveFileName(exchange.pFile->GetFileName())
                                : nKind == DLKIND_CATALOGUE ? CString(kCatalogueFile)
                                                            : CString(kCountFile);
        if (strName.IsEmpty()) {
            LogError(__LINE__, L"Error:CHttpDownLoad::DownloadFile:The URL names no file that can be saved.");
            return DL_ERR_FILE;
        }
        CString strPath;
        if (strSaveDir.GetLength() + strName.GetLength() >= kSavePathLimit ||
            !RenameDownFile(strSaveDir, strName, nIndex, strPath)) {
            LogError(__LINE__, L"Error:CHttpDownLoad::DownloadFile:The path of download file is too long.");
            return DL_ERR_FILE;
        }
        strOutPath = strPath;
        LogInfo(__LINE__, L"Info :CHttpDownLoad::DownloadFile:download file save path is" + strPath);

        if (FileExists(strPath)) DeleteExistingFile(strPath);
        if (!exchange.saveFile.Open(strPath, CFile::modeCreate | CFile::modeWrite | CFile::shareDenyWrite |
                                                 CFile::typeBinary)) {
            LogError(__LINE__, L"Error:CHttpDownLoad::DownloadFile:Failed to open the file. GetLastError code is:" +
                                   LastErrorText());
            return DL_ERR_FILE;
        }
        exchange.strSavePath = strPath;

        DWORD dwAnnounced = 0;
        const bool bAnnounced = exchange.pFile->QueryInfo(HTTP_QUERY_CONTENT_LENGTH, dwAnnounced) != FALSE;
        ULONGLONG nReceived = 0;
        char buffer[kReadBlock];
        while (const UINT nRead = exchange.pFile->Read(buffer, kReadBlock)) {
            exchange.saveFile.Write(buffer, nRead);
            nReceived += nRead;
        }
        // A connection that closes early ends the body like a complete one.
        if (bAnnounced && nReceived != dwAnnounced) {
            exchange.DiscardSaveFile();
            LogError(__LINE__, L"Error:CHttpDownLoad::DownloadFile:The answer ended before its announced size.");
            return DL_ERR_CONNECT;
        }
        exchange.saveFile.Close();
        return DL_OK;
    } catch (CInternetException& e) {
        const CString strLastError = LastErrorText();
        exchange.DiscardSaveFile();
        LogError(__LINE__, L"Error:CHttpDownLoad::DownloadFile:InternetException");
        LogError(__LINE__, L"Error:CHttpDownLoad::DownloadFile:InternetException...getLastError:" + strLastError);
        LogError(__LINE__, L"Error:CHttpDownLoad::DownloadFile:InternetException...strCError:" + InetExceptionMessage(e));
        LogError(__LINE__, L"Error:CHttpDownLoad::DownloadFile:InternetException...m_dwContext:" + InetExceptionContext(e));
        LogError(__LINE__, L"Error:CHttpDownLoad::DownloadFile:InternetException...m_dwError:" + InetExceptionError(e));
        return DL_ERR_CONNECT;
    } catch (CFileException& e) {
        const CString strLastError = LastErrorText();
        exchange.DiscardSaveFile();
        LogError(__LINE__, L"Error:CHttpDownLoad::DownloadFile:CFileException");
        LogError(__LINE__, L"Error:CHttpDownLoad::DownloadFile:CFileException...getLastError:" + strLastError);
        LogError(__LINE__, L"Error:CHttpDownLoad::DownloadFile:CFileException...strCError:" + FileExceptionMessage(e));
        LogError(__LINE__, L"Error:CHttpDownLoad::DownloadFile:CFileException...m_lOsError:" + FileExceptionOsError(e));
        LogError(__LINE__, L"Error:CHttpDownLoad::DownloadFile:CFileException...m_strFileName:" + e.m_strFileName);
        return DL_ERR_FILE;
    } catch (...) {
        const CString strLastError = LastErrorText();
        exchange.DiscardSaveFile();
        LogError(__LINE__, L"Error:CHttpDownLoad::DownloadFile:CException");
        LogError(__LINE__, L"Error:CHttpDownLoad::DownloadFile:CException...getLastError:" + strLastError);
        return DL_ERR_FILE;
    }
}

BOOL CHttpDownLoad::RenameDownFile(const CString& strSaveDir, const CString& strFileName, int nIndex,
                                   CString& strOutPath) {
    CString strPath;
    const int iDot = strFileName.ReverseFind(L'.');
    if (nIndex < 0) {
        strPath = strSaveDir + strFileName;
    } else if (iDot >= 0) {
        strPath.Format(L"%s%s_%02d.%s", strSaveDir.GetString(), strFileName.Left(iDot).GetString(), nIndex + 1,
                       strFileName.Mid(iDot + 1).GetString());
    } else {
        strPath.Format(L"%s%s_%02d", strSaveDir.GetString(), strFileName.GetString(), nIndex + 1);
    }
    if (strPath.GetLength() > MAX_PATH - 1) return FALSE;
    strOutPath = strPath;
    return TRUE;
}

std::vector<std::pair<DWORD, DWORD>> CHttpDownLoad::GetTimeoutOptions(int nConnectTimeout, int nSendTimeout,
                                                                      int nReceiveTimeout) {
    std::vector<std::pair<DWORD, DWORD>> options;
    const std::pair<DWORD, int> settings[] = {
        {INTERNET_OPTION_CONNECT_TIMEOUT, nConnectTimeout},
        {INTERNET_OPTION_SEND_TIMEOUT, nSendTimeout},
        {INTERNET_OPTION_RECEIVE_TIMEOUT, nReceiveTimeout},
    };
    for (const auto& [dwOption, nSeconds] : settings)
        if (nSeconds > 0) options.emplace_back(dwOption, std::min<DWORD>(static_cast<DWORD>(nSeconds), MAXDWORD / 1000) * 1000);
    return options;
}
