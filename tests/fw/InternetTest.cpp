#include "fw/InternetException.h"
#include "fw/InternetSession.h"
#include "fw/ParseUrl.h"
#include "tests/fixtures/http/HttpFixtureServer.h"

#include <gtest/gtest.h>

#include <string>
#include <thread>

namespace {

constexpr DWORD kRequestFlags = INTERNET_FLAG_RELOAD | INTERNET_FLAG_NO_CACHE_WRITE | INTERNET_FLAG_KEEP_CONNECTION;

std::string Pattern(size_t nSize) {
    std::string s(nSize, '\0');
    for (size_t i = 0; i < nSize; ++i) s[i] = static_cast<char>((i * 7 + i / 256) & 0xFF);
    return s;
}

std::string ReadBody(CHttpFile& file) {
    std::string strBody;
    char buffer[1024];
    while (const UINT n = file.Read(buffer, sizeof(buffer))) strBody.append(buffer, n);
    return strBody;
}

// One session, connection and request to the fixture, as the program's transfers make them.
class CExchange {
public:
    CExchange(const CHttpFixtureServer& server, const wchar_t* pszVerb, const std::string& strPath,
              DWORD_PTR dwContext = 1, DWORD dwFlags = kRequestFlags)
        : m_session(L"DlvFwTest") {
        DWORD dwService = 0;
        CString strServer, strObject;
        INTERNET_PORT nPort = 0;
        EXPECT_TRUE(AfxParseURL(server.Url(strPath).c_str(), dwService, strServer, strObject, nPort));
        m_pConnection = m_session.GetHttpConnection(strServer, nPort);
        m_pFile = m_pConnection->OpenRequest(pszVerb, strObject, nullptr, dwContext, nullptr, nullptr, dwFlags);
    }

    CInternetSession& Session() { return m_session; }
    CHttpFile& File() { return *m_pFile; }
    DWORD Status() {
        DWORD dwStatus = 0;
        EXPECT_TRUE(m_pFile->QueryInfoStatusCode(dwStatus));
        return dwStatus;
    }

private:
    CInternetSession m_session;
    std::unique_ptr<CHttpConnection> m_pConnection;
    std::unique_ptr<CHttpFile> m_pFile;
};

HttpRoute BodyRoute(const std::string& strBody) {
    HttpRoute route;
    route.m_strBody = strBody;
    return route;
}

// Answers the first dialog box of this process that appears within 10 s: with OK after
// typing the credential into its two edit fields, or with Cancel when strUser is empty.
// Returns whether a dialog appeared.
bool AnswerCredentialDialog(const std::wstring& strUser, const std::wstring& strPassword) {
    struct Search {
        HWND hDialog = nullptr;
        static BOOL CALLBACK Visit(HWND hWnd, LPARAM lParam) {
            DWORD dwProcessId = 0;
            GetWindowThreadProcessId(hWnd, &dwProcessId);
            wchar_t szClass[16] = {};
            GetClassNameW(hWnd, szClass, ARRAYSIZE(szClass));
            if (dwProcessId != GetCurrentProcessId() || lstrcmpW(szClass, L"#32770") != 0 || !IsWindowVisible(hWnd))
                return TRUE;
            reinterpret_cast<Search*>(lParam)->hDialog = hWnd;
            return FALSE;
        }
    } search;
    for (int i = 0; i < 500 && !search.hDialog; ++i) {
        Sleep(20);
        EnumWindows(Search::Visit, reinterpret_cast<LPARAM>(&search));
    }
    if (!search.hDialog) return false;
    if (strUser.empty()) return PostMessageW(search.hDialog, WM_COMMAND, IDCANCEL, 0);
    const HWND hUser = FindWindowExW(search.hDialog, nullptr, L"Edit", nullptr);
    const HWND hPassword = FindWindowExW(search.hDialog, hUser, L"Edit", nullptr);
    SendMessageW(hUser, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(strUser.c_str()));
    SendMessageW(hPassword, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(strPassword.c_str()));
    return PostMessageW(search.hDialog, WM_COMMAND, IDOK, 0);
}

class InternetTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(m_server.Start()); }
    CHttpFixtureServer m_server;
};

}  // namespace

TEST_F(InternetTest, GetReadsTheWholeBinaryBody) {
    const std::string strBody = Pattern(5000);
    m_server.SetRoute("GET", "/files/setup.exe", BodyRoute(strBody));

    CExchange exchange(m_server, L"GET", "/files/setup.exe");
    EXPECT_TRUE(exchange.File().SendRequest());
    EXPECT_EQ(200u, exchange.Status());
    DWORD dwLength = 0;
    EXPECT_TRUE(exchange.File().QueryInfo(HTTP_QUERY_CONTENT_LENGTH, dwLength));
    EXPECT_EQ(5000u, dwLength);
    CString strType;
    EXPECT_FALSE(exchange.File().QueryInfo(HTTP_QUERY_CONTENT_TYPE, strType)) << "the route sends no Content-Type";
    EXPECT_EQ(strBody, ReadBody(exchange.File()));

    const auto requests = m_server.GetRequests();
    ASSERT_EQ(1u, requests.size());
    EXPECT_EQ("GET", requests[0].m_strMethod);
    EXPECT_EQ("/files/setup.exe", requests[0].m_strTarget);
    EXPECT_EQ("DlvFwTest", requests[0].Header("User-Agent"));
    EXPECT_EQ("", requests[0].m_strBody);
}

TEST_F(InternetTest, PostSendsHeaderAndBodyAndCanBeResent) {
    m_server.SetRoute("POST", "/list/AutoUpdate.aspx", BodyRoute("<list/>"));
    const std::string strBody = "SN=ABCDE&OS=Win&CLTYPE=ZORVDLV1&SETUPTYPE=WW";
    const wchar_t* pszHeader = L"Content-Type: application/x-www-form-urlencoded; charset=UTF-8";

    CExchange exchange(m_server, L"POST", "/list/AutoUpdate.aspx?lang=en");
    EXPECT_TRUE(exchange.File().SendRequest(pszHeader, strBody.data(), static_cast<DWORD>(strBody.size())));
    EXPECT_EQ(200u, exchange.Status());
    EXPECT_EQ("<list/>", ReadBody(exchange.File()));
    EXPECT_TRUE(exchange.File().SendRequest(pszHeader, strBody.data(), static_cast<DWORD>(strBody.size())));
    EXPECT_EQ(200u, exchange.Status());

    const auto requests = m_server.GetRequests();
    ASSERT_EQ(2u, requests.size());
    for (const auto& request : requests) {
        EXPECT_EQ("POST", request.m_strMethod);
        EXPECT_EQ("/list/AutoUpdate.aspx?lang=en", request.m_strTarget);
        EXPECT_EQ("application/x-www-form-urlencoded; charset=UTF-8", request.Header("Content-Type"));
        EXPECT_EQ(std::to_string(strBody.size()), request.Header("Content-Length"));
        EXPECT_EQ(strBody, request.m_strBody);
    }
}

TEST_F(InternetTest, ErrorStatusesReachTheCallerWithoutException) {
    for (int nStatus : {400, 403, 404, 408, 500, 503, 504}) {
        HttpRoute route = BodyRoute("failure page");
        route.m_nStatus = nStatus;
        m_server.SetRoute("GET", "/status", route);
        CExchange exchange(m_server, L"GET", "/status");
        EXPECT_TRUE(exchange.File().SendRequest());
        EXPECT_EQ(static_cast<DWORD>(nStatus), exchange.Status());
    }
    CExchange exchange(m_server, L"GET", "/no/such/route");
    exchange.File().SendRequest();
    EXPECT_EQ(404u, exchange.Status());
}

TEST_F(InternetTest, RangeRequestsGivePartialContentOrNotSatisfiable) {
    const std::string strBody = Pattern(5000);
    m_server.SetRoute("GET", "/big.bin", BodyRoute(strBody));
    const struct {
        const wchar_t* pszRange;
        DWORD dwStatus;
        const wchar_t* pszContentRange;
        std::string strBody;
    } cases[] = {
        {L"Range: bytes=1500-", 206, L"bytes 1500-4999/5000", strBody.substr(1500)},
        {L"Range: bytes=0-99", 206, L"bytes 0-99/5000", strBody.substr(0, 100)},
        {L"Range: bytes=4999-", 206, L"bytes 4999-4999/5000", strBody.substr(4999)},
        {L"Range: bytes=5000-", 416, L"bytes */5000", ""},
    };
    for (const auto& c : cases) {
        CExchange exchange(m_server, L"GET", "/big.bin", 1, kRequestFlags);
        EXPECT_TRUE(exchange.File().AddRequestHeaders(c.pszRange));
        exchange.File().SendRequest();
        EXPECT_EQ(c.dwStatus, exchange.Status()) << c.pszRange;
        CString strContentRange;
        EXPECT_TRUE(exchange.File().QueryInfo(HTTP_QUERY_CONTENT_RANGE, strContentRange)) << c.pszRange;
        EXPECT_STREQ(c.pszContentRange, strContentRange);
        EXPECT_EQ(c.strBody, ReadBody(exchange.File())) << c.pszRange;
    }
}

TEST_F(InternetTest, InterruptedTransferIsContinuedWithARangeRequest) {
    const std::string strBody = Pattern(6000);
    HttpRoute route = BodyRoute(strBody);
    route.m_nDropAfterBytes = 2500;
    m_server.SetRoute("GET", "/module.exe", route);

    std::string strReceived;
    {
        CExchange exchange(m_server, L"GET", "/module.exe");
        exchange.File().SendRequest();
        ASSERT_EQ(200u, exchange.Status());
        try {
            strReceived = ReadBody(exchange.File());
        } catch (CInternetException& e) {
            ADD_FAILURE() << "a connection closed early ends the body, error " << e.m_dwError;
        }
    }
    ASSERT_EQ(strBody.substr(0, 2500), strReceived);

    route.m_nDropAfterBytes = HttpRoute::NO_DROP;
    m_server.SetRoute("GET", "/module.exe", route);
    CExchange exchange(m_server, L"GET", "/module.exe");
    const CString strRange = L"Range: bytes=" + CString(std::to_wstring(strReceived.size())) + L"-";
    EXPECT_TRUE(exchange.File().AddRequestHeaders(strRange));
    exchange.File().SendRequest();
    EXPECT_EQ(206u, exchange.Status());
    strReceived += ReadBody(exchange.File());
    EXPECT_EQ(strBody, strReceived);
    EXPECT_EQ("bytes=2500-", m_server.GetRequests().back().Header("Range"));
}

TEST_F(InternetTest, BasicCredentialIsRequiredWhenTheRouteAsksForIt) {
    HttpRoute route = BodyRoute("module bytes");
    route.m_strBasicCredential = "user:secret";
    m_server.SetRoute("GET", "/protected.exe", route);

    CExchange without(m_server, L"GET", "/protected.exe");
    without.File().SendRequest();
    EXPECT_EQ(401u, without.Status());

    CExchange wrong(m_server, L"GET", "/protected.exe");
    EXPECT_TRUE(wrong.File().AddRequestHeaders(L"Authorization: Basic dXNlcjp3cm9uZw=="));
    wrong.File().SendRequest();
    EXPECT_EQ(401u, wrong.Status());

    CExchange with(m_server, L"GET", "/protected.exe");
    EXPECT_TRUE(with.File().AddRequestHeaders(L"Authorization: Basic dXNlcjpzZWNyZXQ="));
    with.File().SendRequest();
    EXPECT_EQ(200u, with.Status());
    EXPECT_EQ("module bytes", ReadBody(with.File()));
}

TEST_F(InternetTest, RefusedConnectionRaisesCannotConnectWithTheRequestContext) {
    const USHORT nClosedPort = m_server.GetPort();
    m_server.Stop();

    CInternetSession session(L"DlvFwTest");
    auto pConnection = session.GetHttpConnection(L"127.0.0.1", nClosedPort);
    auto pFile = pConnection->OpenRequest(L"GET", L"/x", nullptr, 7, nullptr, nullptr, kRequestFlags);
    try {
        pFile->SendRequest();
        FAIL() << "sending to a closed port must raise";
    } catch (CInternetException& e) {
        EXPECT_EQ(static_cast<DWORD>(ERROR_INTERNET_CANNOT_CONNECT), e.m_dwError);
        EXPECT_EQ(7u, e.m_dwContext);
    }
}

TEST_F(InternetTest, TimeOutsAreSetAsOptions) {
    CInternetSession session(L"DlvFwTest");
    EXPECT_TRUE(session.SetOption(INTERNET_OPTION_CONNECT_TIMEOUT, 30000));
    DWORD dwTimeout = 0;
    EXPECT_TRUE(session.QueryOption(INTERNET_OPTION_CONNECT_TIMEOUT, dwTimeout));
    EXPECT_EQ(30000u, dwTimeout);

    // A server slower than the receive time-out ends the send with an exception instead of
    // a hang (the code is ERROR_INTERNET_TIMEOUT on Windows, a connection abort under Wine).
    HttpRoute route = BodyRoute("late");
    route.m_nDelayMs = 5000;
    m_server.SetRoute("GET", "/slow", route);
    auto pConnection = session.GetHttpConnection(L"127.0.0.1", m_server.GetPort());
    auto pFile = pConnection->OpenRequest(L"GET", L"/slow", nullptr, 3, nullptr, nullptr, kRequestFlags);
    EXPECT_TRUE(pFile->SetOption(INTERNET_OPTION_RECEIVE_TIMEOUT, 400));
    const DWORD dwStart = GetTickCount();
    try {
        pFile->SendRequest();
        FAIL() << "a server slower than the receive time-out must raise";
    } catch (CInternetException& e) {
        EXPECT_TRUE(e.m_dwError == ERROR_INTERNET_TIMEOUT || e.m_dwError == ERROR_INTERNET_CONNECTION_ABORTED)
            << e.m_dwError;
        EXPECT_EQ(3u, e.m_dwContext);
    }
    EXPECT_LT(GetTickCount() - dwStart, 4000u);
}

TEST_F(InternetTest, ProxyCredentialPromptAndResend) {
    HttpRoute route = BodyRoute("catalogue");
    route.m_strProxyCredential = "puser:ppass";
    m_server.SetRoute("GET", "/list.xml", route);
    const std::wstring strProxy = L"127.0.0.1:" + std::to_wstring(m_server.GetPort());

    for (const bool bCancel : {true, false}) {
        CInternetSession session(L"DlvFwTest", 1, INTERNET_OPEN_TYPE_PROXY, strProxy.c_str());
        auto pConnection = session.GetHttpConnection(L"update.example.com", INTERNET_DEFAULT_HTTP_PORT);
        auto pFile = pConnection->OpenRequest(L"GET", L"/list.xml", nullptr, 1, nullptr, nullptr, kRequestFlags);
        pFile->SendRequest();
        DWORD dwStatus = 0;
        pFile->QueryInfoStatusCode(dwStatus);
        ASSERT_EQ(407u, dwStatus);

        bool bDialogShown = false;
        std::thread answerer([&] { bDialogShown = AnswerCredentialDialog(bCancel ? L"" : L"puser", L"ppass"); });
        const DWORD dwResult = pFile->ErrorDlg(nullptr);  // no owner: the desktop owns the prompt
        answerer.join();
        EXPECT_TRUE(bDialogShown);
        if (bCancel) {
            EXPECT_NE(static_cast<DWORD>(ERROR_INTERNET_FORCE_RETRY), dwResult);
            continue;
        }
        ASSERT_EQ(static_cast<DWORD>(ERROR_INTERNET_FORCE_RETRY), dwResult);
        pFile->SendRequest();
        pFile->QueryInfoStatusCode(dwStatus);
        EXPECT_EQ(200u, dwStatus);
        EXPECT_EQ("catalogue", ReadBody(*pFile));
    }
    const auto requests = m_server.GetRequests();
    EXPECT_EQ("http://update.example.com:80/list.xml", requests.back().m_strTarget);
    EXPECT_EQ("Basic cHVzZXI6cHBhc3M=", requests.back().Header("Proxy-Authorization"));
}

TEST_F(InternetTest, SecurityFlagsCanBeReadAndAdded) {
    CExchange exchange(m_server, L"POST", "/secure", 1, kRequestFlags | INTERNET_FLAG_SECURE);
    DWORD dwFlags = 0;
    ASSERT_TRUE(exchange.File().QueryOption(INTERNET_OPTION_SECURITY_FLAGS, dwFlags));
    const DWORD dwIgnore = SECURITY_FLAG_IGNORE_UNKNOWN_CA | SECURITY_FLAG_IGNORE_CERT_CN_INVALID |
                           SECURITY_FLAG_IGNORE_CERT_DATE_INVALID;
    ASSERT_EQ(0x3100u, dwIgnore);
    EXPECT_TRUE(exchange.File().SetOption(INTERNET_OPTION_SECURITY_FLAGS, dwFlags | dwIgnore));
    DWORD dwAfter = 0;
    ASSERT_TRUE(exchange.File().QueryOption(INTERNET_OPTION_SECURITY_FLAGS, dwAfter));
    EXPECT_EQ(dwIgnore, dwAfter & dwIgnore);
}

TEST_F(InternetTest, FileNameIsTheLastPathComponentOfTheObject) {
    const struct {
        const char* pszPath;
        const wchar_t* pszFileName;
    } cases[] = {
        {"/dl/v2/setup.exe", L"setup.exe"},
        {"/readme", L"readme"},
        {"/licence/eula.rtf?lang=de&v=2", L"eula.rtf"},
        {"/dir/", L""},
    };
    for (const auto& c : cases) {
        CExchange exchange(m_server, L"GET", c.pszPath);
        EXPECT_STREQ(c.pszFileName, exchange.File().GetFileName()) << c.pszPath;
    }
}
