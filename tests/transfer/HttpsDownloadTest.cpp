// DownloadFile against an HTTPS server whose certificate is self-signed: refused unless the
// settings trust the update server (IgnoreCertErrors=1), and then only for its POSTs.
#include "app/VelorixUpdater.h"
#include "tests/fixtures/TempFolder.h"
#include "transfer/HttpDownload.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

namespace {

// The port of the TLS fixture server that ctest started, or 0 when none runs.
int TlsServerPort() {
    const wchar_t* pszFolder = _wgetenv(L"DLV_TLS_DIR");
    if (!pszFolder) return 0;
    std::ifstream file(std::filesystem::path(pszFolder) / L"port");
    int nPort = 0;
    file >> nPort;
    return nPort;
}

std::string ReadFileBytes(const CString& strPath) {
    std::ifstream file(std::filesystem::path(strPath.str()), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

}  // namespace

TEST(DownloadFileTls, SelfSignedCertificateIsRefusedUnlessTheSettingsTrustIt) {
    const int nPort = TlsServerPort();
    if (nPort == 0) GTEST_SKIP() << "no TLS fixture server (DLV_TLS_DIR)";
    CVelorixUpdaterApp app;
    CTempFolder folder;
    const CString strSaveDir = CString(folder.Path()) + L"\\";
    const CString strBase = L"https://127.0.0.1:" + CString(std::to_wstring(nPort));
    const CArray<_ScannerInfo> arrScanners;
    CHttpDownLoad download;

    const struct {
        int bIgnoreCertErrors;
        int nKind;
        int nResult;
    } cases[] = {
        {0, DLKIND_CATALOGUE, DL_ERR_CONNECT},
        {0, DLKIND_FILE, DL_ERR_CONNECT},
        // GETs are verified in any case. (Once a POST has connected without the checks, the
        // platform may reuse that connection for later requests to the same server.)
        {1, DLKIND_FILE, DL_ERR_CONNECT},
        {1, DLKIND_CATALOGUE, DL_OK},
        {1, DLKIND_COUNT, DL_OK},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "IgnoreCertErrors=" << c.bIgnoreCertErrors << " kind " << c.nKind);
        app.m_bIgnoreCertErrors = c.bIgnoreCertErrors;
        CString strOutPath = L"unchanged";
        EXPECT_EQ(c.nResult, download.DownloadFile(c.nKind, strOutPath, strSaveDir, strBase + L"/list/list.xml", -1,
                                                   nullptr, &arrScanners, L"SN=1"));
        if (c.nResult == DL_OK) {
            EXPECT_EQ("<?xml version=\"1.0\" encoding=\"utf-8\"?><list/>", ReadFileBytes(strOutPath));
            std::filesystem::remove(strOutPath.str());
        } else {
            EXPECT_STREQ(L"unchanged", strOutPath);
        }
    }
    EXPECT_TRUE(std::filesystem::is_empty(folder.Path()));
}
