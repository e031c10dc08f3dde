// The application object's own rules: command line, settings, unsupported software,
// dialog class registration.
#include "app/VelorixUpdater.h"
#include "app/WindowOrder.h"

#include <gtest/gtest.h>
#include <shlobj.h>

namespace {

CString DefaultInstallDir() {
    wchar_t szPath[MAX_PATH] = {};
    SHGetFolderPathW(nullptr, CSIDL_PROGRAM_FILES, nullptr, SHGFP_TYPE_DEFAULT, szPath);
    return CString(szPath) + L"\\zorvScanner";
}

struct CommandLineCase {
    const wchar_t* pszCmdLine;
    const wchar_t* pszInstallDir;  // null: the default folder
    const wchar_t* pszModel;
    int bDvd;
};

}  // namespace

TEST(AppCommandLine, OptionsAreFoundAnywhereAndCaseSensitive) {
    const CommandLineCase cases[] = {
        {L"", nullptr, L"", 0},
        {L"-DVD", nullptr, L"", 1},
        {L"-dvd", nullptr, L"", 0},
        {L"MODEL=abc -DVD", nullptr, L"MODEL=abc", 1},
        {L"-DVD MODEL=abc", nullptr, L"MODEL=abc", 1},
        {L"x MODEL=a b c", nullptr, L"MODEL=a", 0},
        {L"model=abc", nullptr, L"", 0},
        {L"INSTALLDIR=\"D:\\Scan Tools\" MODEL=X1", L"D:\\Scan Tools", L"MODEL=X1", 0},
        {L"INSTALLDIR= \"E:\\a\"", L"E:\\a", L"", 0},
        // Not quoted and no quote anywhere: the default folder.
        {L"INSTALLDIR=C:\\plain -DVD", nullptr, L"", 1},
        // One quote only: no closing quote, the default folder.
        {L"INSTALLDIR=\"C:\\unbalanced MODEL=abc", nullptr, L"MODEL=abc", 0},
        // The first quote after the option counts, even one belonging to a later option.
        {L"INSTALLDIR=C:\\x -DVD \"F:\\q\"", L"F:\\q", L"", 1},
        {L"INSTALLDIR=\"\"", nullptr, L"", 0},
    };
    for (const CommandLineCase& c : cases) {
        SCOPED_TRACE(testing::Message() << CString(c.pszCmdLine).ToUtf8());
        CVelorixUpdaterApp app;
        app.ParseCommandLine(c.pszCmdLine);
        EXPECT_STREQ(c.pszInstallDir ? c.pszInstallDir : DefaultInstallDir().GetString(), app.m_strInstallDir);
        EXPECT_STREQ(c.pszModel, app.m_strModelParam);
        EXPECT_EQ(c.bDvd, app.m_bDvd);
    }
}

namespace {

// A settings file in the temporary folder, removed again at the end of the test.
class TempIni {
public:
    explicit TempIni(const char* pszContent) {
        wchar_t szTemp[MAX_PATH] = {};
        GetTempPathW(MAX_PATH, szTemp);
        m_strPath = CString(szTemp) + L"dlv-settings-test.ini";
        FILE* pFile = _wfopen(m_strPath, L"wb");
        fputs(pszContent, pFile);
        fclose(pFile);
    }
    ~TempIni() { DeleteFileW(m_strPath); }
    const CString& Path() const { return m_strPath; }

private:
    CString m_strPath;
};

struct SettingsCase {
    const char* pszIni;
    int nRetrySleep, nRetryCount, nRetryPause, nConnect, nSend, nReceive;
};

}  // namespace

TEST(AppSettings, MissingNegativeAndGarbageValuesGiveTheDefaults) {
    const SettingsCase cases[] = {
        {"", 10000, 3, 3000, -1, -1, -1},
        {"[GetSerialNo]\r\nGetSerialNoRetrySleep=5\r\n[WebServer]\r\nDownRetryCount=7\r\nDownRetrySleep=10\r\n"
         "ConnectTimeout=30\r\nSendTimeout=31\r\nReceiveTimeout=32\r\n",
         5, 7, 10, 30, 31, 32},
        {"[GetSerialNo]\r\nGetSerialNoRetrySleep=-4\r\n[WebServer]\r\nDownRetryCount=-1\r\nConnectTimeout=-9\r\n",
         10000, 3, 3000, -1, -1, -1},
        {"[GetSerialNo]\r\nGetSerialNoRetrySleep=abc\r\n[WebServer]\r\nDownRetryCount=\r\nDownRetrySleep=12x\r\n"
         "ConnectTimeout=99999999999999999999\r\n",
         10000, 3, 3000, -1, -1, -1},
        {"[WebServer]\r\nConnectTimeout=0\r\nDownRetryCount=0\r\n", 10000, 0, 3000, 0, -1, -1},
    };
    for (const SettingsCase& c : cases) {
        SCOPED_TRACE(c.pszIni);
        const TempIni ini(c.pszIni);
        CVelorixUpdaterApp app;
        app.m_strIniPath = ini.Path();
        app.ReadSettings();
        EXPECT_EQ(c.nRetrySleep, app.m_nGetSerialNoRetrySleep);
        EXPECT_EQ(c.nRetryCount, app.m_nDownRetryCount);
        EXPECT_EQ(c.nRetryPause, app.m_nDownRetrySleep);
        EXPECT_EQ(c.nConnect, app.m_nConnectTimeout);
        EXPECT_EQ(c.nSend, app.m_nSendTimeout);
        EXPECT_EQ(c.nReceive, app.m_nReceiveTimeout);
    }
}

TEST(AppSettings, CertificateErrorsAreIgnoredOnlyWhenSetTo1) {
    const struct {
        const char* pszIni;
        int bIgnore;
    } cases[] = {
        {"", 0},
        {"[WebServer]\r\nIgnoreCertErrors=1\r\n", 1},
        {"[WebServer]\r\nIgnoreCertErrors=0\r\n", 0},
        {"[WebServer]\r\nIgnoreCertErrors=2\r\n", 0},
        {"[WebServer]\r\nIgnoreCertErrors=-1\r\n", 0},
        {"[WebServer]\r\nIgnoreCertErrors=yes\r\n", 0},
        {"[GetSerialNo]\r\nIgnoreCertErrors=1\r\n", 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.pszIni);
        const TempIni ini(c.pszIni);
        CVelorixUpdaterApp app;
        app.m_strIniPath = ini.Path();
        app.ReadSettings();
        EXPECT_EQ(c.bIgnore, app.m_bIgnoreCertErrors);
    }
}

TEST(AppSettings, ConstructorDefaults) {
    CVelorixUpdaterApp app;
    EXPECT_STREQ(L"-1", app.m_strOSVersion);
    EXPECT_EQ(10000, app.m_nGetSerialNoRetrySleep);
    EXPECT_EQ(3, app.m_nDownRetryCount);
    EXPECT_EQ(3000, app.m_nDownRetrySleep);
    EXPECT_EQ(-1, app.m_nConnectTimeout);
    EXPECT_EQ(0, app.m_bRestartPending);
    // The workers' turn-taking event starts signalled.
    ASSERT_TRUE(app.m_hDownloadInstallEvent);
    EXPECT_EQ(WAIT_OBJECT_0, WaitForSingleObject(app.m_hDownloadInstallEvent.Get(), 0));
}

TEST(AppUnsupportedSoftware, OnlyExactNamesAreRemoved) {
    struct Case {
        std::vector<const wchar_t*> names;
        std::vector<const wchar_t*> left;
    };
    const Case cases[] = {
        {{L"Tessaline"}, {}},
        {{L"tessaline"}, {L"tessaline"}},
        {{L"Scan Utility", L"Tessaline", L"Driver"}, {L"Scan Utility", L"Driver"}},
        {{L"Tessaline", L"", L"Tessaline "}, {L"Tessaline "}},
        {{}, {}},
    };
    for (const Case& c : cases) {
        CArray<CString> arrNames;
        for (const wchar_t* psz : c.names) arrNames.Add(psz);
        EXPECT_EQ(static_cast<int>(c.left.size()), CVelorixUpdaterApp::RemoveUnsupportedSoftware(arrNames));
        ASSERT_EQ(static_cast<int>(c.left.size()), arrNames.GetSize());
        for (int i = 0; i < arrNames.GetSize(); ++i) EXPECT_STREQ(c.left[i], arrNames[i]);
    }
}

TEST(AppDialogClass, RegisteredOnceAndFoundAgain) {
    const HINSTANCE hModule = GetModuleHandleW(nullptr);
    EXPECT_TRUE(CVelorixUpdaterApp::RegisterDialogClass(hModule));
    EXPECT_TRUE(CVelorixUpdaterApp::RegisterDialogClass(hModule));
    WNDCLASSW wc = {};
    ASSERT_TRUE(GetClassInfoW(hModule, kDialogClassName, &wc));
    WNDCLASSW wcDialog = {};
    ASSERT_TRUE(GetClassInfoW(nullptr, L"#32770", &wcDialog));
    EXPECT_EQ(wcDialog.lpfnWndProc, wc.lpfnWndProc);
    EXPECT_EQ(wcDialog.cbWndExtra, wc.cbWndExtra);
}

TEST(AppOSDetail, FiveNumbersInTheText) {
    CVelorixUpdaterApp app;
    app.GetOSDetail();
    CString strExpected;
    strExpected.Format(L"%d.%d.%d.%d.%d", m_nOSMajor, m_nOSMinor, m_nOSServer, m_nOSX64, m_nOSServicePack);
    EXPECT_STREQ(strExpected, m_szOSDetail);
    EXPECT_GE(m_nOSMajor, 5);
    EXPECT_TRUE(m_nOSX64 == 0 || m_nOSX64 == 1);
}
