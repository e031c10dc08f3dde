// CHttpDownLoad::DownloadFile against the fixture server: what is sent, what is saved and
// where, and how failures of the server, the URL and the save path end.
#include "app/VelorixUpdater.h"
#include "resources/resource.h"
#include "tests/common/DialogProbe.h"
#include "tests/common/ProgramRun.h"
#include "tests/fixtures/TempFolder.h"
#include "tests/fixtures/http/HttpFixtureServer.h"
#include "transfer/HttpDownload.h"

#include <gtest/gtest.h>
#include <wininet.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>

namespace {

const wchar_t kWindowClass[] = L"zorvSeries_Downloader_WindowClass";

std::string ReadFileBytes(const CString& strPath) {
    std::ifstream file(std::filesystem::path(strPath.str()), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

void WriteFileBytes(const CString& strPath, const std::string& strBytes) {
    std::ofstream(std::filesystem::path(strPath.str()), std::ios::binary) << strBytes;
}

std::string Pattern(size_t nSize) {
    std::string s(nSize, '\0');
    for (size_t i = 0; i < nSize; ++i) s[i] = static_cast<char>((i * 13 + i / 256) & 0xFF);
    return s;
}

// The main-log lines that this process appends from now on, as "[level] text".
class CLogTail {
public:
    CLogTail() : m_nOffset(Size()) {}

    std::vector<std::string> Lines() const {
        std::ifstream file(std::filesystem::path(MainLogPath().str()), std::ios::binary);
        file.seekg(static_cast<std::streamoff>(m_nOffset));
        const std::string strPid = " " + std::to_string(GetCurrentProcessId()) + ":";
        std::vector<std::string> lines;
        std::string strLine;
        while (std::getline(file, strLine)) {
            if (!strLine.empty() && strLine.back() == '\r') strLine.pop_back();
            std::istringstream fields(strLine);
            std::string strDate, strTime, strLevel, strIds, strSource;
            fields >> strDate >> strTime >> strLevel >> strIds >> strSource;
            if (strLine.find(strPid) == std::string::npos) continue;
            std::string strText;
            std::getline(fields >> std::ws, strText);
            lines.push_back(strLevel + " " + strText);
        }
        return lines;
    }

    bool Contains(const std::string& strLine) const {
        for (const std::string& s : Lines())
            if (s == strLine) return true;
        return false;
    }

private:
    static size_t Size() {
        std::error_code ec;
        const auto nSize = std::filesystem::file_size(MainLogPath().str(), ec);
        return ec ? 0 : static_cast<size_t>(nSize);
    }
    size_t m_nOffset;
};

HttpRoute BodyRoute(const std::string& strBody) {
    HttpRoute route;
    route.m_strBody = strBody;
    return route;
}

class DownloadFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_server.Start());
        m_strSaveDir = CString(m_folder.Path()) + L"\\";
        ASSERT_TRUE(CVelorixUpdaterApp::RegisterDialogClass(GetModuleHandleW(nullptr)));
    }

    int Download(int nKind, const std::wstring& strUrl, int nIndex = -1,
                 const CArray<_ScannerInfo>* pScanners = nullptr, const CString& strBody = L"") {
        return m_download.DownloadFile(nKind, m_strOutPath, m_strSaveDir, strUrl.c_str(), nIndex, nullptr, pScanners,
                                       strBody);
    }

    std::vector<std::wstring> SavedFiles() const {
        std::vector<std::wstring> names;
        for (const auto& entry : std::filesystem::directory_iterator(m_folder.Path()))
            names.push_back(entry.path().filename().wstring());
        return names;
    }

    CVelorixUpdaterApp m_app;
    CHttpFixtureServer m_server;
    CTempFolder m_folder;
    CString m_strSaveDir;
    CString m_strOutPath = L"unchanged";
    CHttpDownLoad m_download;
};

}  // namespace

TEST_F(DownloadFileTest, CataloguePostsTheSerialNumbersAndSavesTheAnswer) {
    const struct {
        std::vector<const wchar_t*> serials;
        const wchar_t* pszModel;
        const char* pszBody;
    } cases[] = {
        {{L"ABCDEFGH"}, L"", "SN=ABCDE&OS=Win&CLTYPE=ZORVDLV1&SETUPTYPE=WW"},
        {{L"1234567", L"AB"}, L"MODEL=fi-7160", "SN=12345&SN=AB&OS=Win&MODEL=fi-7160&CLTYPE=ZORVDLV1&SETUPTYPE=WW"},
        {{}, L"", "OS=Win&CLTYPE=ZORVDLV1&SETUPTYPE=WW"},
    };
    const std::string strCatalogue = "<?xml version=\"1.0\" encoding=\"utf-8\"?><list/>";
    m_server.SetRoute("POST", "/list/AutoUpdate.aspx", BodyRoute(strCatalogue));
    // An answer of an earlier check is replaced, not appended to.
    WriteFileBytes(m_strSaveDir + L"AutoUpdateList.xml", std::string(500, 'x'));

    for (const auto& c : cases) {
        SCOPED_TRACE(c.pszBody);
        CArray<_ScannerInfo> arrScanners;
        for (const wchar_t* psz : c.serials) arrScanners.Add({L"fi-7160", psz});
        m_app.m_strModelParam = c.pszModel;
        const size_t nBefore = m_server.GetRequestCount();
        const CLogTail log;

        EXPECT_EQ(DL_OK, Download(DLKIND_CATALOGUE, m_server.Url("/list/AutoUpdate.aspx"), -1, &arrScanners));
        EXPECT_STREQ(m_strSaveDir + L"AutoUpdateList.xml", m_strOutPath);
        EXPECT_EQ(strCatalogue, ReadFileBytes(m_strOutPath));

        const auto requests = m_server.GetRequests();
        ASSERT_EQ(nBefore + 1, requests.size());
        const HttpRequestRecord& request = requests.back();
        EXPECT_EQ("POST", request.m_strMethod);
        EXPECT_EQ(c.pszBody, request.m_strBody);
        EXPECT_EQ("application/x-www-form-urlencoded; charset=UTF-8", request.Header("Content-Type"));
        EXPECT_EQ("CHttpSessionDownloadFile", request.Header("User-Agent"));
        EXPECT_TRUE(log.Contains(std::string("[3] Info :CHttpDownLoad::DownloadFile: Web Server Send Param:") +
                                 c.pszBody));
        EXPECT_TRUE(log.Contains(std::string("[3] Info :CHttpDownLoad::DownloadFile: post to server data is [") +
                                 c.pszBody + "]"));
        const auto lines = log.Lines();
        ASSERT_FALSE(lines.empty());
        EXPECT_EQ("[3] Start:CHttpDownLoad::DownloadFile", lines.front());
        EXPECT_EQ("[3] End  :CHttpDownLoad::DownloadFile", lines.back());
    }
}

TEST_F(DownloadFileTest, CountReportPostsTheCallersTextAndFileGetIsNumbered) {
    m_server.SetRoute("POST", "/count.aspx", BodyRoute("<r><return_info>OK</return_info></r>"));
    EXPECT_EQ(DL_OK, Download(DLKIND_COUNT, m_server.Url("/count.aspx"), -1, nullptr, L"SN=41&SOFT=x&KIND=Down"));
    EXPECT_STREQ(m_strSaveDir + L"DownloadCount.xml", m_strOutPath);
    EXPECT_EQ("SN=41&SOFT=x&KIND=Down", m_server.GetRequests().back().m_strBody);

    const std::string strModule = Pattern(5000);
    m_server.SetRoute("GET", "/dl/v2/setup.exe", BodyRoute(strModule));
    EXPECT_EQ(DL_OK, Download(DLKIND_FILE, m_server.Url("/dl/v2/setup.exe?lang=de"), 0));
    EXPECT_STREQ(m_strSaveDir + L"setup_01.exe", m_strOutPath);
    EXPECT_EQ(strModule, ReadFileBytes(m_strOutPath));
    const HttpRequestRecord request = m_server.GetRequests().back();
    EXPECT_EQ("GET", request.m_strMethod);
    EXPECT_EQ("", request.m_strBody);
    EXPECT_FALSE(request.HasHeader("Content-Type"));
}

TEST_F(DownloadFileTest, OtherSchemesFailWithoutContactingAnyServer) {
    for (const std::wstring& strUrl : {L"ftp://127.0.0.1:" + std::to_wstring(m_server.GetPort()) + L"/list.xml",
                                      std::wstring(L"file:///C:/windows/win.ini"), std::wstring(L"not a url")}) {
        const CLogTail log;
        EXPECT_EQ(DL_ERR_CONNECT, Download(DLKIND_CATALOGUE, strUrl));
        EXPECT_TRUE(log.Contains(
            "[1] Error:CHttpDownLoad::DownloadFile:The sort of internet service is not http and https."));
    }
    EXPECT_EQ(0u, m_server.GetRequestCount());
    EXPECT_STREQ(L"unchanged", m_strOutPath);
}

TEST_F(DownloadFileTest, StatusOtherThan200FailsAndWritesNothing) {
    for (const int nStatus : {500, 504, 408, 404, 206}) {
        SCOPED_TRACE(nStatus);
        HttpRoute route = BodyRoute("<html><body>Server Error</body></html>");
        route.m_nStatus = nStatus;
        route.m_headers.emplace_back("Content-Type", "text/html");
        m_server.SetRoute("POST", "/list", route);
        const CLogTail log;
        EXPECT_EQ(DL_ERR_CONNECT, Download(DLKIND_CATALOGUE, m_server.Url("/list")));
        EXPECT_TRUE(log.Contains("[1] Error:CHttpDownLoad::DownloadFile:Querying Status code is not "
                                 "HTTP_STATUS_OK.code is " + std::to_string(nStatus)));
        EXPECT_TRUE(log.Contains("[3] Info :CHttpDownLoad::DownloadFile: QueryInfoStatusCode result code is:" +
                                 std::to_string(nStatus)));
    }
    EXPECT_STREQ(L"unchanged", m_strOutPath);
    EXPECT_TRUE(SavedFiles().empty());
}

TEST_F(DownloadFileTest, BodyEndings) {
    using Drop = HttpRoute::DropMode;
    const std::string strBody = Pattern(3000);
    const struct {
        const char* pszName;
        std::string strBody;
        bool bOmitLength;
        size_t nDropAfter;
        Drop dropMode;
        int nResult;
    } cases[] = {
        {"empty body", "", false, HttpRoute::NO_DROP, Drop::Close, DL_OK},
        {"no Content-Length, ends with the connection", strBody, true, HttpRoute::NO_DROP, Drop::Close, DL_OK},
        {"shorter than Content-Length", strBody, false, 1200, Drop::Close, DL_ERR_CONNECT},
        {"connection reset in the body", strBody, false, 1200, Drop::Reset, DL_ERR_CONNECT},
        {"body stalls past the receive time-out", strBody, false, 1200, Drop::Stall, DL_ERR_CONNECT},
    };
    m_app.m_nReceiveTimeout = 2;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.pszName);
        HttpRoute route = BodyRoute(c.strBody);
        route.m_bOmitContentLength = c.bOmitLength;
        route.m_nDropAfterBytes = c.nDropAfter;
        route.m_dropMode = c.dropMode;
        m_server.SetRoute("GET", "/files/answer.xml", route);
        const CString strPath = m_strSaveDir + L"answer.xml";
        EXPECT_EQ(c.nResult, Download(DLKIND_FILE, m_server.Url("/files/answer.xml")));
        if (c.nResult == DL_OK) {
            EXPECT_EQ(c.strBody, ReadFileBytes(strPath));
        } else {
            EXPECT_FALSE(std::filesystem::exists(strPath.str())) << "an incomplete answer is not kept";
        }
    }
}

TEST_F(DownloadFileTest, SaveFolderAndNameOf257CharactersOrMoreAreRefused) {
    m_server.SetRoute("POST", "/list", BodyRoute("<list/>"));
    // A folder that exists, ending with a separator, of exactly nLength characters.
    const auto MakeFolder = [&](int nLength) {
        CString strDir = m_folder.Path().c_str();
        while (strDir.GetLength() + 1 < nLength) {
            const int nPart = std::min(100, nLength - strDir.GetLength() - 2);
            strDir += L"\\" + CString(L'd', nPart);
            std::filesystem::create_directory(strDir.str());
        }
        return strDir + L"\\";
    };
    m_strSaveDir = MakeFolder(240);
    ASSERT_EQ(240, m_strSaveDir.GetLength());
    const CLogTail log;
    EXPECT_EQ(DL_ERR_FILE, Download(DLKIND_CATALOGUE, m_server.Url("/list")));  // 240 + 18 = 258
    EXPECT_TRUE(log.Contains("[1] Error:CHttpDownLoad::DownloadFile:The path of download file is too long."));
    EXPECT_STREQ(L"unchanged", m_strOutPath);

    std::filesystem::remove_all(m_folder.Path());
    std::filesystem::create_directory(m_folder.Path());
    m_strSaveDir = MakeFolder(238);  // 238 + 18 = 256
    ASSERT_EQ(238, m_strSaveDir.GetLength());
    EXPECT_EQ(DL_OK, Download(DLKIND_CATALOGUE, m_server.Url("/list")));
    EXPECT_EQ("<list/>", ReadFileBytes(m_strOutPath));
}

TEST(RenameDownFile, NumbersBeforeTheLastExtension) {
    const struct {
        const wchar_t* pszName;
        int nIndex;
        const wchar_t* pszPath;
    } cases[] = {
        {L"setup.exe", -1, L"C:\\dl\\setup.exe"},
        {L"setup.exe", 0, L"C:\\dl\\setup_01.exe"},
        {L"readme", 11, L"C:\\dl\\readme_12"},
        {L"pack.tar.gz", 8, L"C:\\dl\\pack.tar_09.gz"},
        {L"big.msi", 99, L"C:\\dl\\big_100.msi"},
    };
    for (const auto& c : cases) {
        CString strPath = L"unchanged";
        EXPECT_TRUE(CHttpDownLoad::RenameDownFile(L"C:\\dl\\", c.pszName, c.nIndex, strPath));
        EXPECT_STREQ(c.pszPath, strPath);
    }
    // The number can make a path that passed the length check longer than a path may be.
    const CString strDir = CString(L"C:\\") + CString(L'd', 250) + L"\\";
    CString strPath = L"unchanged";
    EXPECT_TRUE(CHttpDownLoad::RenameDownFile(strDir, L"a.exe", -1, strPath));
    EXPECT_FALSE(CHttpDownLoad::RenameDownFile(strDir, L"a.exe", 0, strPath));
    EXPECT_EQ(strDir + L"a.exe", strPath);
}

TEST(DownloadTimeouts, OnlySettingsAbove0AreAppliedInMilliseconds) {
    using Options = std::vector<std::pair<DWORD, DWORD>>;
    EXPECT_EQ((Options{{INTERNET_OPTION_CONNECT_TIMEOUT, 30000}}), CHttpDownLoad::GetTimeoutOptions(30, -1, 0));
    EXPECT_EQ(Options{}, CHttpDownLoad::GetTimeoutOptions(-1, -1, -1));
    EXPECT_EQ((Options{{INTERNET_OPTION_CONNECT_TIMEOUT, 1000},
                       {INTERNET_OPTION_SEND_TIMEOUT, 2000},
                       {INTERNET_OPTION_RECEIVE_TIMEOUT, 3000}}),
              CHttpDownLoad::GetTimeoutOptions(1, 2, 3));
    // Seconds beyond what milliseconds can count stay at the largest count.
    EXPECT_EQ((Options{{INTERNET_OPTION_SEND_TIMEOUT, 4294967000u}}),
              CHttpDownLoad::GetTimeoutOptions(0, 2147483647, -1));
}

TEST_F(DownloadFileTest, ReceiveTimeOutEndsASilentServer) {
    HttpRoute route = BodyRoute("late");
    route.m_nDelayMs = 1500;
    m_server.SetRoute("GET", "/slow.txt", route);

    m_app.m_nReceiveTimeout = 0;  // the platform's time-out: the late answer arrives
    EXPECT_EQ(DL_OK, Download(DLKIND_FILE, m_server.Url("/slow.txt")));

    m_app.m_nReceiveTimeout = 1;
    route.m_nDelayMs = 6000;
    m_server.SetRoute("GET", "/slow.txt", route);
    const CLogTail log;
    const DWORD dwStart = GetTickCount();
    EXPECT_EQ(DL_ERR_CONNECT, Download(DLKIND_FILE, m_server.Url("/slow.txt")));
    EXPECT_LT(GetTickCount() - dwStart, 4500u);
    EXPECT_TRUE(log.Contains("[1] Error:CHttpDownLoad::DownloadFile:InternetException"));
    EXPECT_TRUE(log.Contains("[1] Error:CHttpDownLoad::DownloadFile:InternetException...m_dwContext:1"));
}

TEST_F(DownloadFileTest, RefusedConnectionLogsTheInternetException) {
    const std::wstring strUrl = m_server.Url("/list");
    m_server.Stop();
    const CLogTail log;
    EXPECT_EQ(DL_ERR_CONNECT, Download(DLKIND_CATALOGUE, strUrl));
    const auto lines = log.Lines();
    const std::vector<std::string> expected = {
        "[1] Error:CHttpDownLoad::DownloadFile:InternetException",
        "[1] Error:CHttpDownLoad::DownloadFile:InternetException...getLastError:",
        "[1] Error:CHttpDownLoad::DownloadFile:InternetException...strCError:",
        "[1] Error:CHttpDownLoad::DownloadFile:InternetException...m_dwContext:1",
        "[1] Error:CHttpDownLoad::DownloadFile:InternetException...m_dwError:12029",
    };
    const auto it = std::find(lines.begin(), lines.end(), expected[0]);
    ASSERT_NE(lines.end(), it);
    ASSERT_GE(lines.end() - it, 5);
    for (size_t i = 0; i < expected.size(); ++i) EXPECT_EQ(0u, it[i].rfind(expected[i], 0)) << it[i];
    EXPECT_GT(it[2].size(), expected[2].size()) << "the message text follows";
    EXPECT_STREQ(L"unchanged", m_strOutPath);
}

TEST_F(DownloadFileTest, FileNamesFromTheUrlStayInTheSaveFolder) {
    const struct {
        const char* pszPath;
        int nResult;
        const wchar_t* pszSaved;
    } cases[] = {
        {"/dl/con", DL_OK, L"_con"},
        {"/dl/nul.txt", DL_OK, L"_nul.txt"},
        {"/dl/notes.txt.", DL_OK, L"notes.txt"},
        {"/dl/..", DL_ERR_FILE, nullptr},
        {"/dl/", DL_ERR_FILE, nullptr},
    };
    m_server.SetFallback([](const HttpRequestRecord&, HttpRoute& route) {
        route.m_strBody = "body";
        return true;
    });
    for (const auto& c : cases) {
        SCOPED_TRACE(c.pszPath);
        m_strOutPath = L"unchanged";
        EXPECT_EQ(c.nResult, Download(DLKIND_FILE, m_server.Url(c.pszPath)));
        if (c.pszSaved) {
            EXPECT_STREQ(m_strSaveDir + c.pszSaved, m_strOutPath);
            EXPECT_EQ("body", ReadFileBytes(m_strOutPath));
        } else {
            EXPECT_STREQ(L"unchanged", m_strOutPath);
        }
    }
    for (const std::wstring& strName : SavedFiles()) EXPECT_TRUE(strName == L"_con" || strName == L"_nul.txt" ||
                                                                 strName == L"notes.txt") << strName;
}

namespace {

// Makes sessions that take the system's proxy settings use the fixture server as their proxy,
// for the object's lifetime (through the environment's proxy variable, which WinINet reads
// when no proxy is configured in the registry).
class CProxyEnvironment {
public:
    explicit CProxyEnvironment(unsigned short nPort) {
        _wputenv_s(L"http_proxy", (L"http://127.0.0.1:" + std::to_wstring(nPort)).c_str());
    }
    ~CProxyEnvironment() { _wputenv_s(L"http_proxy", L""); }
    CProxyEnvironment(const CProxyEnvironment&) = delete;
    CProxyEnvironment& operator=(const CProxyEnvironment&) = delete;
};

// What the test saw while the credential prompt was open.
struct PromptSeen {
    bool bPrompt = false;
    bool bNotice = false;
    RECT rcNotice = {};
    DialogTexts notice;
};

// Waits for the credential prompt of this process and answers it: with OK after typing the
// credential, or with Cancel when pszUser is null. Looks at the program's notice meanwhile.
PromptSeen AnswerProxyPrompt(const wchar_t* pszUser, const wchar_t* pszPassword) {
    PromptSeen seen;
    const HWND hPrompt = WaitForDialog(GetCurrentProcessId(), L"#32770", 10000);
    if (!hPrompt) return seen;
    seen.bPrompt = true;
    if (const HWND hNotice = WaitForDialog(GetCurrentProcessId(), kWindowClass, 0)) {
        seen.bNotice = true;
        GetWindowRect(hNotice, &seen.rcNotice);
        seen.notice = ReadDialog(hNotice);
    }
    if (!pszUser) {
        PressButton(hPrompt, IDCANCEL);
        return seen;
    }
    const HWND hUser = FindWindowExW(hPrompt, nullptr, L"Edit", nullptr);
    const HWND hPassword = FindWindowExW(hPrompt, hUser, L"Edit", nullptr);
    SendMessageW(hUser, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(pszUser));
    SendMessageW(hPassword, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(pszPassword));
    PressButton(hPrompt, IDOK);
    return seen;
}

}  // namespace

TEST_F(DownloadFileTest, ProxyAskingForCredentialsPromptsWithTheNoticeBeside) {
    HttpRoute route = BodyRoute("<list/>");
    route.m_strProxyCredential = "puser:ppass";
    m_server.SetRoute("POST", "/list/AutoUpdate.aspx", route);
    const CProxyEnvironment proxy(m_server.GetPort());
    const std::wstring strUrl = L"http://update.example.com/list/AutoUpdate.aspx";
    RECT rcWork = {};
    ASSERT_TRUE(SystemParametersInfoW(SPI_GETWORKAREA, 0, &rcWork, 0));

    {
        PromptSeen seen;
        std::thread answerer([&] { seen = AnswerProxyPrompt(nullptr, nullptr); });
        const CLogTail log;
        EXPECT_EQ(DL_ERR_CONNECT, Download(DLKIND_CATALOGUE, strUrl));
        answerer.join();
        ASSERT_TRUE(seen.bPrompt);
        EXPECT_TRUE(log.Contains("[3] Info :CHttpDownLoad::DownloadFile: QueryInfoStatusCode result code is:407"));
        EXPECT_TRUE(log.Contains("[1] Error:CHttpDownLoad::DownloadFile:Failed to INTERNET_FORCE_RETRY."));
        ASSERT_TRUE(seen.bNotice) << "the notice shows while the prompt is open";
        EXPECT_TRUE(seen.notice.Contains(L"Dralvex is connecting to the server."));
        EXPECT_TRUE(seen.notice.Contains(L"The proxy server requires authentication.\nEnter your user name and "
                                         L"password in the authentication dialog box."));
        EXPECT_EQ(rcWork.right, seen.rcNotice.right);
        EXPECT_EQ(rcWork.bottom, seen.rcNotice.bottom);
        EXPECT_EQ(nullptr, WaitForDialog(GetCurrentProcessId(), kWindowClass, 0)) << "and goes with it";
        EXPECT_STREQ(L"unchanged", m_strOutPath);
    }

    PromptSeen seen;
    std::thread answerer([&] { seen = AnswerProxyPrompt(L"puser", L"ppass"); });
    CArray<_ScannerInfo> arrScanners;
    arrScanners.Add({L"", L"ABCDEFG"});
    EXPECT_EQ(DL_OK, Download(DLKIND_CATALOGUE, strUrl, -1, &arrScanners));
    answerer.join();
    EXPECT_TRUE(seen.bPrompt);
    EXPECT_EQ("<list/>", ReadFileBytes(m_strOutPath));
    const HttpRequestRecord request = m_server.GetRequests().back();
    EXPECT_EQ("Basic cHVzZXI6cHBhc3M=", request.Header("Proxy-Authorization"));
    EXPECT_EQ("SN=ABCDE&OS=Win&CLTYPE=ZORVDLV1&SETUPTYPE=WW", request.m_strBody) << "the body is sent again";
}
