#include "fw/ParseUrl.h"

#include <gtest/gtest.h>

TEST(AfxParseURL, SplitsServiceServerObjectAndPort) {
    const struct {
        const wchar_t* pszUrl;
        DWORD dwService;
        const wchar_t* pszServer;
        const wchar_t* pszObject;
        INTERNET_PORT nPort;
    } cases[] = {
        {L"http://update.example.com/list/AutoUpdate.aspx", AFX_INET_SERVICE_HTTP, L"update.example.com",
         L"/list/AutoUpdate.aspx", 80},
        {L"https://update.example.com/dl/setup.exe", AFX_INET_SERVICE_HTTPS, L"update.example.com", L"/dl/setup.exe",
         443},
        {L"http://127.0.0.1:8080/a/b.xml", AFX_INET_SERVICE_HTTP, L"127.0.0.1", L"/a/b.xml", 8080},
        {L"https://host:8443/x", AFX_INET_SERVICE_HTTPS, L"host", L"/x", 8443},
        {L"http://host", AFX_INET_SERVICE_HTTP, L"host", L"/", 80},
        {L"http://host:81", AFX_INET_SERVICE_HTTP, L"host", L"/", 81},
        {L"HTTP://Host/Path", AFX_INET_SERVICE_HTTP, L"Host", L"/Path", 80},
        {L"http://host/count.aspx?sn=ABCDE&os=Win", AFX_INET_SERVICE_HTTP, L"host", L"/count.aspx?sn=ABCDE&os=Win", 80},
        {L"ftp://files.example.com/pub/x.zip", AFX_INET_SERVICE_UNK, L"files.example.com", L"/pub/x.zip", 21},
    };
    for (const auto& c : cases) {
        DWORD dwService = 0;
        CString strServer, strObject;
        INTERNET_PORT nPort = 0;
        ASSERT_TRUE(AfxParseURL(c.pszUrl, dwService, strServer, strObject, nPort)) << c.pszUrl;
        EXPECT_EQ(c.dwService, dwService) << c.pszUrl;
        EXPECT_STREQ(c.pszServer, strServer) << c.pszUrl;
        EXPECT_STREQ(c.pszObject, strObject) << c.pszUrl;
        EXPECT_EQ(c.nPort, nPort) << c.pszUrl;
    }
}

TEST(AfxParseURL, RejectsUrlsWithoutSchemeOrServer) {
    for (const wchar_t* pszUrl : {L"", L"update.example.com/list.xml", L"/list.xml", L"http://", L"http:///path",
                                  L"not a url", L"http://host:port/x", L"http://host:0/x", L"http://host:99999/x"}) {
        DWORD dwService = 0;
        CString strServer, strObject;
        INTERNET_PORT nPort = 0;
        EXPECT_FALSE(AfxParseURL(pszUrl, dwService, strServer, strObject, nPort)) << pszUrl;
    }
    DWORD dwService = 0;
    CString strServer, strObject;
    INTERNET_PORT nPort = 0;
    EXPECT_FALSE(AfxParseURL(nullptr, dwService, strServer, strObject, nPort));
}
