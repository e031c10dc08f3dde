// The update check against a real HTTP server: each outcome's result code, message box
// and log text, and the user's Cancel in the progress window at the stop points.
#include "app/VelorixUpdater.h"
#include "tests/common/DialogProbe.h"
#include "tests/common/LogTail.h"
#include "tests/fixtures/http/HttpFixtureServer.h"
#include "ui/GetFileListDlg.h"

#include <gtest/gtest.h>

#include <atomic>
#include <mutex>
#include <thread>
#include <vector>

namespace {

const char kCatalogue[] =
    "<?xml version=\"1.0\" encoding=\"utf-8\"?><velorix><return_info code=\"OK01-0001\">OK</return_info>"
    "<license>http://127.0.0.1/eula.rtf</license><auth>00</auth><item><id>A-1</id><title>Tool</title>"
    "<version targetMinVersion=\"1.0\">2.0</version><link>http://127.0.0.1/i.html</link>"
    "<description>d</description><gmt_pubDate>2026/10/1 9:0:0</gmt_pubDate>"
    "<gmt_delDate>2099/12/31 0:0:0</gmt_delDate><iss>http://127.0.0.1/a.ini</iss>"
    "<module size=\"10\" installSize=\"20\">http://127.0.0.1/a.exe</module><exclude></exclude>"
    "<instchkkey>k</instchkkey><instchkpath>c.dll</instchkpath></item></velorix>";
const char kUnknownSerial[] = "<velorix><return_info code=\"NG01-0011\">NG</return_info></velorix>";
const char kNothingApplies[] = "<velorix><return_info code=\"OK01-0002\">OK</return_info></velorix>";
// Cut inside a tag: a file cut inside a text makes Wine's reader loop for ever.
const char kBroken[] = "<velorix><return_info code=\"OK01-0001\">OK</return_info><item><id>A</id><tit";
const char kErrorPage[] = "<html><body>Service unavailable</body></html>";

const wchar_t kStopQuestion[] = L"Do you want to cancel the software installation?";

// Answers the message boxes this process shows, in turn, while a check runs.
class BoxAnswerer {
public:
    explicit BoxAnswerer(std::vector<int> arrAnswers) : m_arrAnswers(std::move(arrAnswers)) {
        m_thread = std::thread([this] { Run(); });
    }
    ~BoxAnswerer() {
        m_bStop = true;
        m_thread.join();
    }
    std::vector<CString> Texts() {
        std::lock_guard<std::mutex> lock(m_mutex);
        return m_arrTexts;
    }

private:
    void Run() {
        size_t nAnswered = 0;
        while (!m_bStop) {
            const HWND hBox = WaitForDialog(GetCurrentProcessId(), L"#32770", 50);
            if (!hBox) continue;
            const DialogTexts texts = ReadDialog(hBox);
            {
                std::lock_guard<std::mutex> lock(m_mutex);
                for (const CString& strText : texts.arrTexts) m_arrTexts.push_back(strText);
            }
            PressButton(hBox, nAnswered < m_arrAnswers.size() ? m_arrAnswers[nAnswered] : IDOK);
            ++nAnswered;
            while (!m_bStop && IsWindow(hBox)) Sleep(20);
        }
    }

    std::vector<int> m_arrAnswers;
    std::vector<CString> m_arrTexts;
    std::mutex m_mutex;
    std::atomic<bool> m_bStop{false};
    std::thread m_thread;
};

class UpdateCheckTest : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(CVelorixUpdaterApp::RegisterDialogClass(GetModuleHandleW(nullptr)));
        ASSERT_TRUE(m_server.Start());
        wchar_t szTemp[MAX_PATH] = {};
        GetTempPathW(MAX_PATH, szTemp);
        m_app.m_strSavePath = CString(szTemp) + L"dlv-updatecheck\\";
        CreateDirectoryW(m_app.m_strSavePath, nullptr);
        m_app.m_strUrlInst = m_server.Url("/list").c_str();
        m_app.m_arrSerial10.Add(_ScannerInfo{L"M", L"ABCDE12345"});
    }
    void Answer(int nStatus, const char* pszBody, unsigned nDelayMs = 0) {
        HttpRoute route;
        route.m_nStatus = nStatus;
        route.m_strBody = pszBody;
        route.m_nDelayMs = nDelayMs;
        m_server.SetRoute("POST", "/list", route);
    }
    static bool Has(const std::vector<CString>& arrTexts, const wchar_t* pszText) {
        for (const CString& strText : arrTexts) {
            if (strText == pszText) return true;
        }
        return false;
    }

    CVelorixUpdaterApp m_app;
    CHttpFixtureServer m_server;
};

}  // namespace

TEST_F(UpdateCheckTest, OutcomesWithoutAProgressWindow) {
    const struct {
        int nStatus;
        const char* pszBody;
        int nResult;
        const wchar_t* pszBox;  // null: no message box
        const wchar_t* pszLog;  // null: no log text of its own
    } cases[] = {
        {200, kCatalogue, NEWSOFT_OK, nullptr, nullptr},
        {500, kCatalogue, NEWSOFT_NO_CONNECTION, L"Failed to connect to the server.",
         L"Error:CVelorixUpdaterApp::NewSoftCheck: server connect is failed."},
        {200, kErrorPage, NEWSOFT_NO_CONNECTION, nullptr, nullptr},
        {200, kUnknownSerial, NEWSOFT_UNKNOWN_SERIAL, nullptr,
         L"Error:CVelorixUpdaterApp::NewSoftCheck: ReturnCode in Xml is NG01-0011"},
        {200, kNothingApplies, NEWSOFT_NOTHING_FOUND, nullptr,
         L"Error:CVelorixUpdaterApp::NewSoftCheck: filelist not found."},
        {200, kBroken, NEWSOFT_PARSE_FAILED, nullptr,
         L"Error:CVelorixUpdaterApp::NewSoftCheck: Xml file prase is failed."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.pszBody);
        Answer(c.nStatus, c.pszBody);
        const CLogTail log;
        BoxAnswerer answerer({IDOK});
        EXPECT_EQ(c.nResult, m_app.NewSoftCheck(nullptr));
        Sleep(200);
        const std::vector<CString> arrTexts = answerer.Texts();
        if (c.pszBox) {
            EXPECT_TRUE(Has(arrTexts, c.pszBox));
        } else {
            EXPECT_TRUE(arrTexts.empty());
        }
        if (c.pszLog) {
            EXPECT_TRUE(log.Contains(c.pszLog));
        }
        EXPECT_TRUE(m_app.m_strNGReturnCode.IsEmpty());
    }
    EXPECT_EQ(6u, m_server.GetRequests().size());
}

TEST_F(UpdateCheckTest, ASaveFolderTooLongForTheCatalogueGivesMessage1013) {
    Answer(200, kCatalogue);
    m_app.m_strSavePath = CString(L'x', 250) + L"\\";
    BoxAnswerer answerer({IDOK});
    EXPECT_EQ(NEWSOFT_DOWNLOAD_FAILED, m_app.NewSoftCheck(nullptr));
    Sleep(200);
    EXPECT_TRUE(Has(answerer.Texts(), L"Failed to download the file."));
}

TEST_F(UpdateCheckTest, CancelBeforeTheRequestAsksFirst) {
    for (const int nAnswer : {IDNO, IDYES}) {
        SCOPED_TRACE(nAnswer == IDYES ? "Yes" : "No");
        Answer(200, kCatalogue);
        const size_t nRequestsBefore = m_server.GetRequests().size();
        CGetFileListDlg progress;
        ASSERT_TRUE(progress.CreateThread());
        ASSERT_EQ(WAIT_OBJECT_0, WaitForSingleObject(progress.m_event.Get(), 10000));
        progress.m_bCancel = 1;
        const CLogTail log;
        BoxAnswerer answerer({nAnswer});
        const int nResult = m_app.NewSoftCheck(&progress);
        EXPECT_TRUE(Has(answerer.Texts(), kStopQuestion));
        if (nAnswer == IDYES) {
            EXPECT_EQ(NEWSOFT_STOPPED, nResult);
            EXPECT_EQ(nRequestsBefore, m_server.GetRequests().size());
            EXPECT_TRUE(log.Contains(L"Error:CVelorixUpdaterApp::NewSoftCheck: update check is stoped."));
        } else {
            EXPECT_EQ(NEWSOFT_OK, nResult);
            EXPECT_EQ(nRequestsBefore + 1, m_server.GetRequests().size());
            EXPECT_EQ(0, progress.m_bCancel);
        }
    }
}

TEST_F(UpdateCheckTest, CancelDuringTheRequestAsksAfterTheDownloadBeforeParsing) {
    Answer(200, kCatalogue, 1500);
    CGetFileListDlg progress;
    ASSERT_TRUE(progress.CreateThread());
    ASSERT_EQ(WAIT_OBJECT_0, WaitForSingleObject(progress.m_event.Get(), 10000));
    std::thread user([&progress] {
        Sleep(400);
        PressButton(progress.m_hDlg, IDCANCEL);
    });
    const CLogTail log;
    BoxAnswerer answerer({IDYES});
    EXPECT_EQ(NEWSOFT_STOPPED, m_app.NewSoftCheck(&progress));
    user.join();
    EXPECT_TRUE(Has(answerer.Texts(), kStopQuestion));
    EXPECT_EQ(1u, m_server.GetRequests().size());
    EXPECT_TRUE(log.Contains(L"End  :CHttpDownLoad::DownloadFile"));
    EXPECT_FALSE(log.Contains(L"Start:CVelorixUpdaterApp::CreateNewSoftInfoList"));
}
