// The catalogue parser: what each element fills, the language choice, the module sizes,
// dates, return codes and the completeness check of an item.
#include "app/VelorixUpdater.h"
#include "tests/catalogue/CatalogueTestSupport.h"

#include <gtest/gtest.h>

#include <string>

namespace {

class CatalogueParse : public testing::Test {
protected:
    BOOL Parse(const std::string& strContent) {
        return m_app.CreateNewSoftInfoList(WriteTestFile(m_folder, L"AutoUpdateList.xml", strContent));
    }
    const CUpdateInfo& Only() {
        EXPECT_EQ(1, m_app.m_arrNewSoftInfo.GetSize());
        static const CUpdateInfo s_none;
        return m_app.m_arrNewSoftInfo.IsEmpty() ? s_none : m_app.m_arrNewSoftInfo[0];
    }

    CTempFolder m_folder;
    CVelorixUpdaterApp m_app;
};

}  // namespace

TEST_F(CatalogueParse, ItemsFillTheirFieldsInFileOrderAndReplaceTheLastCatalogue) {
    CUpdateInfo stale;
    stale.m_strID = L"stale";
    m_app.m_arrNewSoftInfo.Add(stale);
    m_app.m_strNGReturnCode = L"NG01-0011";  // left for the caller, who empties it
    CLogTail log;
    ASSERT_TRUE(Parse(Catalogue(Item("A1") + Item("B2", "<version targetMinVersion=\"2.0\">3.0</version>"))));
    EXPECT_EQ(1, m_app.m_bCatalogueRoot);
    EXPECT_STREQ(L"http://example.test/eula.rtf", m_app.m_strLicense);
    EXPECT_STREQ(L"4A5B", m_app.m_strAuth);
    EXPECT_STREQ(L"NG01-0011", m_app.m_strNGReturnCode);
    ASSERT_EQ(2, m_app.m_arrNewSoftInfo.GetSize());
    const CUpdateInfo& a = m_app.m_arrNewSoftInfo[0];
    EXPECT_STREQ(L"A1", a.m_strID);
    EXPECT_STREQ(L"Title A1", a.m_strTitle);
    EXPECT_STREQ(L"1.2.3.4", a.m_strVersion);
    EXPECT_STREQ(L"http://example.test/A1.html", a.m_strLink);
    EXPECT_STREQ(L"About A1", a.m_strDescription);
    EXPECT_EQ(CTime(2013, 5, 6, 7, 8, 9), a.m_tmPubDate);
    EXPECT_EQ(CTime(2099, 12, 31, 23, 59, 59), a.m_tmDelDate);
    EXPECT_STREQ(L"http://example.test/A1.ini", a.m_strIss);
    EXPECT_STREQ(L"http://example.test/A1.exe", a.m_strModule);
    EXPECT_EQ(1000, a.m_nSize);
    EXPECT_EQ(5000, a.m_nInstallSize);
    EXPECT_STREQ(L"5.0,5.1", a.m_strExclude);
    EXPECT_STREQ(L"KeyA1", a.m_strInstChkKey);
    EXPECT_STREQ(L"PathA1", a.m_strInstChkPath);
    EXPECT_STREQ(L"", a.m_strTargetMinVersion);
    EXPECT_EQ(1, a.m_bChecked);
    EXPECT_EQ(STATUSFLAG_NONE, a.m_nStatus);
    const CUpdateInfo& b = m_app.m_arrNewSoftInfo[1];
    EXPECT_STREQ(L"B2", b.m_strID);
    EXPECT_STREQ(L"3.0", b.m_strVersion);  // the later version element of the item
    EXPECT_STREQ(L"2.0", b.m_strTargetMinVersion);
    EXPECT_STREQ(L"KeyB2", b.m_strInstChkKey);
    EXPECT_FALSE(CVelorixUpdaterApp::CheckNewInstallItemEmpty(a));
    EXPECT_TRUE(log.Contains(L"Info::CVelorixUpdaterApp::CreateNewSoftInfoList:pReader->Read failed,GetLastError code is:"));
    EXPECT_TRUE(log.Contains(L"End  :CVelorixUpdaterApp::CreateNewSoftInfoList"));
}

namespace {

struct ReturnCase {
    const char* pszName;
    std::string strContent;
    BOOL bResult;
    int nItems;
    const wchar_t* pszLog;        // a line the parse must log
    const wchar_t* pszNGCode;     // m_strNGReturnCode afterwards
    bool bHeaderStored;           // licence and credential taken from the file
};

std::string Header(const char* pszInfo, const char* pszCode) {
    return std::string("<return_info code=\"") + pszCode + "\">" + pszInfo + "</return_info>\r\n"
           "<license>http://example.test/eula.rtf</license><auth>4A5B</auth>\r\n";
}

}  // namespace

TEST_F(CatalogueParse, ReturnInformationDecidesTheOutcome) {
    const ReturnCase cases[] = {
        {"list follows, header after the items", CatalogueWithoutHeader(Item("A") + Header("OK", "OK01-0001")), TRUE, 1,
         nullptr, L"", true},
        {"nothing applies: items before it are dropped, nothing after it is read",
         CatalogueWithoutHeader(Item("A") + Header("OK", "OK01-0002") + Item("B") + "<oops"), TRUE, 0,
         L"CVelorixUpdaterApp::CreateNewSoftInfoList:List is empty.", L"", false},
        {"OK with an unknown code", CatalogueWithoutHeader(Item("A") + Header("OK", "OK01-0003") + Item("B")), FALSE, 0,
         L"Error:CVelorixUpdaterApp::CreateNewSoftInfoList:Xml error returnCode is OK01-0003", L"", false},
        {"serial numbers refused: code kept, items before it kept",
         CatalogueWithoutHeader(Item("A") + Header("NG", "NG01-0011") + Item("B")), FALSE, 1,
         L"Error:CVelorixUpdaterApp::CreateNewSoftInfoList:Xml error strReturnCode is NG01-0011", L"NG01-0011", false},
        {"other refusal", CatalogueWithoutHeader(Header("NG", "NG01-0005") + Item("A")), FALSE, 0,
         L"Error:CVelorixUpdaterApp::CreateNewSoftInfoList:Xml error strReturnInfo is NG", L"", false},
        {"code compared exactly", CatalogueWithoutHeader(Header("ok", "OK01-0001") + Item("A")), FALSE, 0,
         L"Error:CVelorixUpdaterApp::CreateNewSoftInfoList:Xml error strReturnInfo is ok", L"", false},
        {"no return information", CatalogueWithoutHeader("<license>http://example.test/eula.rtf</license>" + Item("A")),
         FALSE, 1, L"Error:CVelorixUpdaterApp::CreateNewSoftInfoList:Xml error strReturnInfo is \r\n", L"", false},
        {"no code", CatalogueWithoutHeader("<return_info>OK</return_info><license>x</license>" + Item("A")), FALSE, 0,
         L"Error:CVelorixUpdaterApp::CreateNewSoftInfoList:Xml error returnCode is \r\n", L"", false},
        {"no licence: credential stored, items kept",
         CatalogueWithoutHeader("<return_info code=\"OK01-0001\">OK</return_info><auth>4A5B</auth>" + Item("A") +
                                "<license lang=\"{X}\">http://example.test/other.rtf</license>"),
         FALSE, 1, L"Error:CVelorixUpdaterApp::CreateNewSoftInfoList: License is empty.", L"", false},
    };
    for (const ReturnCase& c : cases) {
        SCOPED_TRACE(c.pszName);
        m_app.m_strLicense = L"previous licence";
        m_app.m_strAuth = L"previous auth";
        m_app.m_strNGReturnCode.Empty();
        CLogTail log;
        EXPECT_EQ(c.bResult, Parse(c.strContent));
        EXPECT_EQ(c.nItems, m_app.m_arrNewSoftInfo.GetSize());
        EXPECT_EQ(1, m_app.m_bCatalogueRoot);
        EXPECT_STREQ(c.pszNGCode, m_app.m_strNGReturnCode);
        if (c.pszLog) {
            EXPECT_TRUE(log.Contains(c.pszLog)) << log.Text().ToUtf8();
        }
        if (c.bHeaderStored) {
            EXPECT_STREQ(L"http://example.test/eula.rtf", m_app.m_strLicense);
            EXPECT_STREQ(L"4A5B", m_app.m_strAuth);
        } else if (c.bResult) {
            EXPECT_STREQ(L"previous licence", m_app.m_strLicense);
            EXPECT_STREQ(L"previous auth", m_app.m_strAuth);
        }
    }
}

TEST_F(CatalogueParse, NothingAppliesLogsTheEmptyList) {
    CLogTail log;
    EXPECT_TRUE(Parse(CatalogueWithoutHeader(Header("OK", "OK01-0002"))));
    EXPECT_GE(log.Line(L" CVelorixUpdaterApp::CreateNewSoftInfoList:List is empty.").Find(L" [3] "), 0)
        << log.Text().ToUtf8();
    EXPECT_FALSE(log.Contains(L"Info::CVelorixUpdaterApp::CreateNewSoftInfoList:pReader->Read failed"));
}

TEST_F(CatalogueParse, ARefusedFileOrRootFailsAndTellsTheCallerWhetherTheRootWasRead) {
    {
        CLogTail log;
        EXPECT_FALSE(m_app.CreateNewSoftInfoList(m_folder.File(L"missing.xml").c_str()));
        EXPECT_EQ(0, m_app.m_bCatalogueRoot);
        EXPECT_TRUE(log.Contains(
            L"Error::CVelorixUpdaterApp::CreateNewSoftInfoList:[FileStream::OpenFile] failed,GetLastError code is:2\r\n"));
    }
    const std::string wrongRoots[] = {
        "<html><body>Service unavailable</body></html>",
        "<?xml version=\"1.0\"?><Velorix><return_info code=\"OK01-0001\">OK</return_info></Velorix>",
        "<?xml version=\"1.0\"?><x:velorx xmlns:x=\"urn:a\"/>",
    };
    for (const std::string& strContent : wrongRoots) {
        CLogTail log;
        m_app.m_bCatalogueRoot = 1;
        EXPECT_FALSE(Parse(strContent));
        EXPECT_EQ(0, m_app.m_bCatalogueRoot);
        EXPECT_TRUE(log.Contains(L"Error::CVelorixUpdaterApp::CreateNewSoftInfoList:first node is not <velorix>"));
    }
    // Only local names count.
    EXPECT_TRUE(Parse("<v:velorix xmlns:v=\"urn:v\"><v:return_info code=\"OK01-0001\">OK</v:return_info>"
                      "<v:license>l</v:license></v:velorix>"));
    EXPECT_EQ(1, m_app.m_bCatalogueRoot);
}

namespace {

struct TextCase {
    const char* pszName;
    std::string strElements;
    const wchar_t* pszTitle;
};

}  // namespace

TEST_F(CatalogueParse, TitleLinkDescriptionAndLicenceFollowTheUsersLanguage) {
    const TextCase cases[] = {
        {"default only", "<title>D</title>", L"D"},
        {"matching language wins over the default", "<title lang=\"{L}\">M</title><title>D</title>", L"M"},
        {"default before the match", "<title>D</title><title lang=\"{L}\">M</title>", L"M"},
        {"first default wins", "<title>D1</title><title>D2</title>", L"D1"},
        {"last match wins", "<title lang=\"{L}\">M1</title><title lang=\"{L}\">M2</title>", L"M2"},
        {"other language ignored", "<title lang=\"{X}\">O</title><title>D</title>", L"D"},
        {"other language only", "<title lang=\"{X}\">O</title>", L""},
        {"unrelated attribute ignored", "<title kind=\"x\">U</title><title>D</title>", L"D"},
        {"match among other attributes", "<title kind=\"x\" lang=\"{L}\">M</title><title>D</title>", L"M"},
        {"language code compared exactly", "<title lang=\" {L}\">O</title><title>D</title>", L"D"},
        {"an empty default takes nothing", "<title></title><title>D</title>", L"D"},
    };
    for (const TextCase& c : cases) {
        SCOPED_TRACE(c.pszName);
        ASSERT_TRUE(Parse(Catalogue("<item><id>A</id>" + c.strElements + "</item>")));
        EXPECT_STREQ(c.pszTitle, Only().m_strTitle);
    }
    ASSERT_TRUE(CatalogueParse::Parse(CatalogueWithoutHeader(
        "<return_info code=\"OK01-0001\">OK</return_info>"
        "<license>http://d/eula.rtf</license><license lang=\"{L}\">http://m/eula.rtf</license><license>http://d2</license>"
        "<item><link lang=\"{X}\">lo</link><link>ld</link><link lang=\"{L}\">lm</link>"
        "<description>dd</description><description lang=\"{X}\">do</description></item>")));
    EXPECT_STREQ(L"http://m/eula.rtf", m_app.m_strLicense);
    EXPECT_STREQ(L"lm", Only().m_strLink);
    EXPECT_STREQ(L"dd", Only().m_strDescription);
}

namespace {

struct ModuleCase {
    const char* pszName;
    std::string strModules;
    const wchar_t* pszModule;
    LONGLONG nSize, nInstallSize;
};

}  // namespace

TEST_F(CatalogueParse, ModulesFollowTheirOwnLanguageRuleAndCarryTheirSizes) {
    const ModuleCase cases[] = {
        {"no attributes: ignored", "<module>u</module>", L"", 0, 0},
        {"sizes only: the default", "<module size=\"10\" installSize=\"20\">d</module>", L"d", 10, 20},
        {"first default wins with its sizes",
         "<module size=\"1\" installSize=\"2\">d1</module><module size=\"3\" installSize=\"4\">d2</module>", L"d1", 1, 2},
        {"matching language wins over the default",
         "<module size=\"1\" installSize=\"2\">d</module><module lang=\"{L}\" size=\"5\" installSize=\"6\">m</module>", L"m",
         5, 6},
        {"last match wins",
         "<module lang=\"{L}\" size=\"5\" installSize=\"6\">m1</module><module lang=\"{L}\" size=\"7\">m2</module>", L"m2",
         7, 6},
        {"other language: ignored, but its sizes stay pending for a later default",
         "<module lang=\"{X}\" size=\"8\" installSize=\"9\">o</module><module kind=\"zip\">d</module>", L"d", 8, 9},
        {"sizes that are not numbers", "<module size=\"12a\" installSize=\"\">d</module>", L"d", -1, -1},
        {"signed size is not a number", "<module size=\"-5\" installSize=\"+5\">d</module>", L"d", -1, -1},
        {"large size", "<module size=\"5000000000\" installSize=\"9223372036854775807\">d</module>", L"d", 5000000000LL,
         9223372036854775807LL},
        {"size beyond 64 bits", "<module size=\"9223372036854775808\" installSize=\"1\">d</module>", L"d", -1, 1},
    };
    for (const ModuleCase& c : cases) {
        SCOPED_TRACE(c.pszName);
        ASSERT_TRUE(Parse(Catalogue("<item><id>A</id>" + c.strModules + "</item>")));
        EXPECT_STREQ(c.pszModule, Only().m_strModule);
        EXPECT_EQ(c.nSize, Only().m_nSize);
        EXPECT_EQ(c.nInstallSize, Only().m_nInstallSize);
    }
    // Pending sizes end with their item.
    ASSERT_TRUE(Parse(Catalogue("<item><module lang=\"{X}\" size=\"8\" installSize=\"9\">o</module></item>"
                                "<item><module kind=\"zip\">d</module></item>")));
    ASSERT_EQ(2, m_app.m_arrNewSoftInfo.GetSize());
    EXPECT_STREQ(L"d", m_app.m_arrNewSoftInfo[1].m_strModule);
    EXPECT_EQ(0, m_app.m_arrNewSoftInfo[1].m_nSize);
    EXPECT_EQ(0, m_app.m_arrNewSoftInfo[1].m_nInstallSize);
}

TEST_F(CatalogueParse, VersionsAreTakenOnlyWhenTheyAreVersionTexts) {
    const struct {
        std::string strVersion;
        const wchar_t* pszVersion;
        const wchar_t* pszTargetMin;
    } cases[] = {
        {"<version>1.2.3.4</version>", L"1.2.3.4", L""},
        {"<version>1.2b</version>", L"", L""},
        {"<version>1.2.3.4.5</version>", L"", L""},
        {"<version targetMinVersion=\"2.0.1\">7</version>", L"7", L"2.0.1"},
        {"<version targetMinVersion=\"\">7</version>", L"7", L"-1.-1.-1.-1"},
        {"<version targetMinVersion=\"any\">7</version>", L"7", L"-1.-1.-1.-1"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.strVersion);
        ASSERT_TRUE(Parse(Catalogue("<item><id>A</id>" + c.strVersion + "</item>")));
        EXPECT_STREQ(c.pszVersion, Only().m_strVersion);
        EXPECT_STREQ(c.pszTargetMin, Only().m_strTargetMinVersion);
    }
}

TEST_F(CatalogueParse, DatesAreLocalCalendarTimesAndABadOneFailsTheParse) {
    const struct {
        const char* pszDate;
        bool bValid;
        CTime tmExpected;
    } cases[] = {
        {"2013/2/30 0:0:0", true, CTime(2013, 3, 2, 0, 0, 0)},  // normalised by the calendar
        {" 2020/07/01 12:30:45 ", true, CTime(2020, 7, 1, 12, 30, 45)},
        {"1899/12/31 0:0:0", false, CTime()},
        {"2013/13/1 0:0:0", false, CTime()},
        {"2013/1/0 0:0:0", false, CTime()},
        {"2013/1/1 24:0:0", false, CTime()},
        {"2013/1/1 0:60:0", false, CTime()},
        {"2013/1/1", false, CTime()},
        {"tomorrow", false, CTime()},
        {"", true, CTime()},  // no text node: no date
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.pszDate);
        CLogTail log;
        const BOOL bResult = Parse(Catalogue(Item("A") + "<item><id>B</id><gmt_pubDate>2013/1/1 0:0:0</gmt_pubDate>"
                                                         "<gmt_delDate>" + c.pszDate + "</gmt_delDate></item>"));
        EXPECT_EQ(c.bValid, bResult != FALSE);
        if (c.bValid) {
            ASSERT_EQ(2, m_app.m_arrNewSoftInfo.GetSize());
            EXPECT_EQ(c.tmExpected, m_app.m_arrNewSoftInfo[1].m_tmDelDate);
        } else {
            EXPECT_EQ(1, m_app.m_arrNewSoftInfo.GetSize());  // the item completed before
            EXPECT_TRUE(log.Contains(L"Error:CVelorixUpdaterApp::CreateNewSoftInfoList: Date format is failed.GetLastError code is:"));
        }
    }
}

TEST_F(CatalogueParse, SelfClosingAndStrayElementsActWhereverTheyStand) {
    // A self-closing element stays open: later texts go to it while it ranks first.
    ASSERT_TRUE(Parse(Catalogue("<item><title/><id>A</id>\r\n<version>1.0</version></item>")));
    EXPECT_STREQ(L"A", Only().m_strID);
    EXPECT_STREQ(L"1.0", Only().m_strTitle);
    EXPECT_STREQ(L"", Only().m_strVersion);

    // A self-closing return_info takes the next text node, here a line break: not "OK".
    EXPECT_FALSE(Parse(CatalogueWithoutHeader("<return_info code=\"OK01-0001\"/>\r\n<license>l</license>" + Item("A"))));

    // Elements outside an item act on the item whose end comes next; after the last one they change nothing.
    ASSERT_TRUE(Parse(Catalogue("<title>Outside</title><id>X</id><module size=\"4\" installSize=\"4\">mx</module>"
                                "<item><title>Inside</title><module size=\"5\" installSize=\"5\">mi</module></item>"
                                "<title>After</title><id>Y</id>")));
    EXPECT_STREQ(L"X", Only().m_strID);
    EXPECT_STREQ(L"Outside", Only().m_strTitle);
    EXPECT_STREQ(L"mx", Only().m_strModule);
    EXPECT_EQ(4, Only().m_nSize);

    // Unknown elements, comments, processing instructions and CDATA add nothing; nesting is not checked.
    ASSERT_TRUE(Parse(Catalogue("<item><id>A<!-- c --></id><extra><title>T</title></extra><?pi x?>"
                                "<description><![CDATA[cdata]]></description></item>")));
    EXPECT_STREQ(L"A", Only().m_strID);
    EXPECT_STREQ(L"T", Only().m_strTitle);
    EXPECT_STREQ(L"", Only().m_strDescription);

    // Whitespace-only text counts, and the last text of an open element replaces earlier ones.
    ASSERT_TRUE(Parse(Catalogue("<item><id>A<b/>B</id><iss>  </iss></item>")));
    EXPECT_STREQ(L"B", Only().m_strID);
    EXPECT_STREQ(L"  ", Only().m_strIss);
}

TEST_F(CatalogueParse, TextsAreReadAsUtf8) {
    for (const char* pszStart : {"", "\xEF\xBB\xBF", "<?xml version=\"1.0\"?>"}) {
        ASSERT_TRUE(Parse(std::string(pszStart) + "<velorix><return_info code=\"OK01-0001\">OK</return_info><license>l</license>"
                          "<item><id>A</id><title>\xE6\x97\xA5\xE6\x9C\xAC &amp; \xC3\xA9</title></item></velorix>"));
        EXPECT_STREQ(L"\u65E5\u672C & \u00E9", Only().m_strTitle);
    }
}

TEST(CheckNewInstallItemEmpty, TheFirstMissingFieldIsLogged) {
    CUpdateInfo complete;
    complete.m_strID = L"ID7";
    complete.m_strTitle = L"T";
    complete.m_strVersion = L"1.0";
    complete.m_tmPubDate = CTime(2013, 1, 1, 0, 0, 0);
    complete.m_tmDelDate = CTime(2099, 1, 1, 0, 0, 0);
    complete.m_strModule = L"http://m";
    complete.m_strIss = L"http://i";
    complete.m_nSize = 0;
    complete.m_nInstallSize = 1;
    EXPECT_FALSE(CVelorixUpdaterApp::CheckNewInstallItemEmpty(complete));

    const struct {
        void (*pfnBreak)(CUpdateInfo&);
        const wchar_t* pszLog;
    } cases[] = {
        {[](CUpdateInfo& i) { i.m_strID.Empty(); i.m_strTitle.Empty(); }, L"CheckNewInstallItemEmpty id is empty.\r\n"},
        {[](CUpdateInfo& i) { i.m_strTitle.Empty(); i.m_nSize = -1; }, L"CheckNewInstallItemEmpty title is empty.The ItemID is ID7\r\n"},
        {[](CUpdateInfo& i) { i.m_strVersion.Empty(); }, L"CheckNewInstallItemEmpty version is empty.The ItemID is ID7\r\n"},
        {[](CUpdateInfo& i) { i.m_tmPubDate = CTime(); }, L"CheckNewInstallItemEmpty gmt_pubDate is empty.The ItemID is ID7\r\n"},
        {[](CUpdateInfo& i) { i.m_tmDelDate = CTime(); }, L"CheckNewInstallItemEmpty gmt_delDate is empty.The ItemID is ID7\r\n"},
        {[](CUpdateInfo& i) { i.m_strModule.Empty(); }, L"CheckNewInstallItemEmpty module is empty.The ItemID is ID7\r\n"},
        {[](CUpdateInfo& i) { i.m_strIss.Empty(); }, L"CheckNewInstallItemEmpty iss is empty.The ItemID is ID7\r\n"},
        {[](CUpdateInfo& i) { i.m_nSize = -1; }, L"CheckNewInstallItemEmpty module size < 0.The ItemID is ID7\r\n"},
        {[](CUpdateInfo& i) { i.m_nInstallSize = 0; }, L"CheckNewInstallItemEmpty module installSize < 0.The ItemID is ID7\r\n"},
        {[](CUpdateInfo& i) { i.m_nInstallSize = -1; }, L"CheckNewInstallItemEmpty module installSize < 0.The ItemID is ID7\r\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(CString(c.pszLog).ToUtf8());
        CUpdateInfo item = complete;
        c.pfnBreak(item);
        CLogTail log;
        EXPECT_TRUE(CVelorixUpdaterApp::CheckNewInstallItemEmpty(item));
        EXPECT_GE(log.Line(CString(L"Error:CVelorixUpdaterApp::") + c.pszLog).Find(L" [1] "), 0) << log.Text().ToUtf8();
    }
}

TEST_F(CatalogueParse, TheDemonstrationCatalogueIsComplete) {
    ASSERT_TRUE(m_app.CreateNewSoftInfoList(CString::FromMultiByte(DLV_DEMO_CATALOGUE, true)));
    ASSERT_EQ(4, m_app.m_arrNewSoftInfo.GetSize());
    for (const CUpdateInfo& info : m_app.m_arrNewSoftInfo) {
        SCOPED_TRACE(info.m_strID.ToUtf8());
        EXPECT_FALSE(CVelorixUpdaterApp::CheckNewInstallItemEmpty(info));
    }
    EXPECT_FALSE(m_app.m_strAuth.IsEmpty());
    EXPECT_EQ(0, m_app.m_strLicense.Find(L"http://127.0.0.1:18080/licence/eula_"));
}
