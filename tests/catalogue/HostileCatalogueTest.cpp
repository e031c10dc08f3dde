// Broken and hostile catalogue files: the parse ends without a crash and with bounded
// memory, fails where the file is broken, and keeps the items completed before that point.
#include "app/VelorixUpdater.h"
#include "tests/catalogue/CatalogueTestSupport.h"

#include <gtest/gtest.h>
#include <psapi.h>

#include <string>

namespace {

SIZE_T PeakCommit() {
    PROCESS_MEMORY_COUNTERS counters = {};
    counters.cb = sizeof(counters);
    GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof(counters));
    return counters.PeakPagefileUsage;
}

std::string Repeat(const std::string& strPart, int nCount) {
    std::string strResult;
    for (int i = 0; i < nCount; ++i) strResult += strPart;
    return strResult;
}

const wchar_t kReadFailed[] = L"Error::CVelorixUpdaterApp::CreateNewSoftInfoList:pReader->Read failed,GetLastError code is:";

struct HostileCase {
    const char* pszName;
    std::string strContent;
    int nItemsKept;
    int bRootRead;
};

}  // namespace

TEST(HostileCatalogue, BrokenFilesFailAfterTheItemsBeforeTheBreak) {
    const std::string strTwoItems = Catalogue(Item("A") + Item("B"));
    const HostileCase cases[] = {
        {"mismatched end tag", Catalogue(Item("A") + "<item><id>B</id></itm></item>"), 1, 1},
        {"truncated inside the second item", strTwoItems.substr(0, strTwoItems.rfind("<item>") + 40), 1, 1},
        {"truncated after the last item", strTwoItems.substr(0, strTwoItems.size() - 8), 2, 1},
        {"second root", Catalogue(Item("A")) + "<velorix/>", 1, 1},
        {"nesting deeper than the limit", Catalogue(Item("A") + Repeat("<n>", 100) + Repeat("</n>", 100) + Item("B")), 1, 1},
        {"DTD with entity expansion",
         "<?xml version=\"1.0\"?><!DOCTYPE velorix [<!ENTITY a \"aaaaaaaaaaaaaaaa\">"
         "<!ENTITY b \"&a;&a;&a;&a;&a;&a;&a;&a;&a;&a;&a;&a;&a;&a;&a;&a;\">"
         "<!ENTITY c \"&b;&b;&b;&b;&b;&b;&b;&b;&b;&b;&b;&b;&b;&b;&b;&b;\">]>"
         "<velorix><return_info code=\"OK01-0001\">OK</return_info><license>&c;</license></velorix>",
         0, 0},
        {"empty file", "", 0, 0},
        {"binary garbage", std::string("\x00\x01\x02<<>>&&\xFF", 12), 0, 0},
    };
    for (const HostileCase& c : cases) {
        SCOPED_TRACE(c.pszName);
        CTempFolder folder;
        CVelorixUpdaterApp app;
        CLogTail log;
        EXPECT_FALSE(app.CreateNewSoftInfoList(WriteTestFile(folder, L"AutoUpdateList.xml", c.strContent)));
        EXPECT_EQ(c.nItemsKept, app.m_arrNewSoftInfo.GetSize());
        EXPECT_EQ(c.bRootRead, app.m_bCatalogueRoot);
        if (c.nItemsKept > 0) {
            EXPECT_STREQ(L"A", app.m_arrNewSoftInfo[0].m_strID);
        }
        if (c.bRootRead) {
            EXPECT_TRUE(log.Contains(kReadFailed)) << log.Text().ToUtf8();
        }
    }
}

TEST(HostileCatalogue, InvalidUtf8EndsWithoutACrash) {
    // Windows' reader refuses the bytes, Wine's reads on: either way the first item stays.
    CTempFolder folder;
    CVelorixUpdaterApp app;
    app.CreateNewSoftInfoList(
        WriteTestFile(folder, L"AutoUpdateList.xml", Catalogue(Item("A") + "<item><id>\xC3\x28\xFF\xFE\xED\xA0\x80</id></item>")));
    ASSERT_GE(app.m_arrNewSoftInfo.GetSize(), 1);
    EXPECT_STREQ(L"A", app.m_arrNewSoftInfo[0].m_strID);
}

TEST(HostileCatalogue, AHundredMegabyteTextIsRefusedBeforeReading) {
    CTempFolder folder;
    CString strPath;
    {
        std::string strContent = Catalogue(Item("A") + "<item><description>");
        strContent.append(100u * 1024 * 1024, 'x');
        strContent += "</description></item>";
        strPath = WriteTestFile(folder, L"AutoUpdateList.xml", strContent);
    }
    CVelorixUpdaterApp app;
    CLogTail log;
    const SIZE_T nPeakBefore = PeakCommit();
    EXPECT_FALSE(app.CreateNewSoftInfoList(strPath));
    EXPECT_LT(PeakCommit() - nPeakBefore, 16u * 1024 * 1024);
    EXPECT_EQ(0, app.m_arrNewSoftInfo.GetSize());
    EXPECT_TRUE(log.Contains(L"Error::CVelorixUpdaterApp::CreateNewSoftInfoList:CreateXmlReaderInputWithEncodingName failed,"
                             L"GetLastError code is:2147942623\r\n"))  // HRESULT_FROM_WIN32(ERROR_FILE_TOO_LARGE)
        << log.Text().ToUtf8();
}

TEST(HostileCatalogue, AFiftyMegabyteCatalogueIsReadWhole) {
    CTempFolder folder;
    const size_t nDescription = 1000;
    const std::string strDescription =
        WithLanguage("<description lang=\"{L}\">" + std::string(nDescription, 'd') + "</description>");
    CString strPath;
    int nItems = 0;
    size_t nFileSize = 0;
    {
        std::string strContent = Catalogue("");
        strContent.resize(strContent.size() - std::string("</velorix>\r\n").size());
        while (strContent.size() < 50u * 1024 * 1024) {
            std::string strId = "I";
            strId += std::to_string(nItems++);
            strContent += Item(strId, strDescription);
        }
        strContent += "</velorix>\r\n";
        nFileSize = strContent.size();
        strPath = WriteTestFile(folder, L"AutoUpdateList.xml", strContent);
    }
    CVelorixUpdaterApp app;
    const SIZE_T nPeakBefore = PeakCommit();
    ASSERT_TRUE(app.CreateNewSoftInfoList(strPath));
    ASSERT_EQ(nItems, app.m_arrNewSoftInfo.GetSize());
    EXPECT_STREQ(L"I0", app.m_arrNewSoftInfo[0].m_strID);
    EXPECT_EQ(nDescription, app.m_arrNewSoftInfo[nItems - 1].m_strDescription.GetLength());
    // The list itself holds the texts as UTF-16; the reader adds no more than a small multiple.
    EXPECT_LT(PeakCommit() - nPeakBefore, 4 * nFileSize);
}
