// Reading the scanner-information file into the serial lists.
#include "app/VelorixUpdater.h"
#include "tests/fixtures/TempFolder.h"
#include "tests/common/LogTail.h"
#include "tests/scanner/ScannerTool.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <utility>
#include <vector>

namespace {

using Entries = std::vector<std::pair<CString, CString>>;  // model, serial

Entries EntriesOf(const CArray<_ScannerInfo>& arr) {
    Entries entries;
    for (int i = 0; i < arr.GetSize(); ++i) entries.emplace_back(arr[i].strModel, arr[i].strSerialNo);
    return entries;
}

// Reads content as the scanner file; the lists start with an entry each, which must go.
class ScannerFileRead {
public:
    explicit ScannerFileRead(const std::string& content) {
        const std::wstring strPath = m_folder.File(L"QmetaInfo.xml");
        std::ofstream(std::filesystem::path(strPath), std::ios::binary) << content;
        m_app.m_arrSerial10.Add(_ScannerInfo{L"stale", L"ZZZZZ99999"});
        m_app.m_arrSerial6.Add(_ScannerInfo{L"stale", L"999999"});
        m_nResult = m_app.GetScannerInfoList(strPath.c_str());
    }
    int Result() const { return m_nResult; }
    Entries New() const { return EntriesOf(m_app.m_arrSerial10); }
    Entries Old() const { return EntriesOf(m_app.m_arrSerial6); }
    const CLogTail& Log() const { return m_log; }

private:
    CTempFolder m_folder;
    CLogTail m_log;
    CVelorixUpdaterApp m_app;
    int m_nResult = -1;
};

const wchar_t kPrefix[] = L"CVelorixUpdaterApp::GetScannerInfoList: ";

CString ListLog(const wchar_t* pszText) {
    return CString(L"Error:") + kPrefix + pszText;
}
CString InfoLog(const wchar_t* pszText) {
    return CString(L"Info :") + kPrefix + pszText;
}

}  // namespace

TEST(ScannerInfoFile, ScannerElementsModelsAndSerials) {
    struct Case {
        const char* pszName;
        const char* pszBody;
        int nResult;
        Entries newForm;
        Entries oldForm;
        CString strLog;
    };
    const Case cases[] = {
        {"numbered scanner, serial between blanks",
         "<scanner2><model>M</model><n_serial>  ABCDE12345 \t</n_serial></scanner2>", 1, {{L"M", L"ABCDE12345"}}, {},
         InfoLog(L"Only New Serial exist.")},
        {"old form only", "<scanner><model>A</model><n_serial>123456</n_serial></scanner>", 1, {}, {{L"A", L"123456"}},
         InfoLog(L"Only Old Serial exist.")},
        {"both forms, first and last scanner names",
         "<scanner><model>A</model><n_serial>123456</n_serial></scanner>"
         "<scanner8><model>B</model><n_serial>abcde12345</n_serial></scanner8>",
         1, {{L"B", L"abcde12345"}}, {{L"A", L"123456"}}, InfoLog(L"Mix Serial Number exist.")},
        {"model blanks trimmed, any depth",
         "<usb><scanner3><info><model>  M 1\r\n </model></info><n_serial>ABCDE12345</n_serial></scanner3></usb>", 1,
         {{L"M 1", L"ABCDE12345"}}, {}, InfoLog(L"Only New Serial exist.")},
        {"non-ASCII model name",
         "<scanner><model>Sc\xC3\xA0nner \xCE\xA9 \xE6\x97\xA5\xE6\x9C\xAC</model><n_serial>ABCDE12345</n_serial>"
         "</scanner>",
         1, {{L"Sc\x00E0nner \x03A9 \x65E5\x672C", L"ABCDE12345"}}, {}, InfoLog(L"Only New Serial exist.")},
        {"serial before model dropped", "<scanner><n_serial>ABCDE12345</n_serial><model>M</model></scanner>", 0, {}, {},
         ListLog(L"Serial Number doesn't exist.")},
        {"a second serial of one scanner has no model",
         "<scanner><model>M</model><n_serial>ABCDE12345</n_serial><n_serial>ABCDF12345</n_serial></scanner>", 1,
         {{L"M", L"ABCDE12345"}}, {}, InfoLog(L"Only New Serial exist.")},
        {"no serial at all", "<scanner><model>A</model></scanner><scanner2><model>B</model></scanner2>", 0, {}, {},
         ListLog(L"Serial Number doesn't exist.")},
        {"not a scanner element", "<scanner9><model>A</model><n_serial>ABCDE12345</n_serial></scanner9>", 0, {}, {},
         ListLog(L"Serial Number doesn't exist.")},
        {"outside any scanner", "<model>A</model><n_serial>ABCDE12345</n_serial>", 0, {}, {},
         ListLog(L"Serial Number doesn't exist.")},
        {"an empty serial element takes no later text",
         "<scanner><model>A</model><n_serial/></scanner><note>ABCDE12345</note>", 0, {}, {},
         ListLog(L"Serial Number doesn't exist.")},
        {"invalid serial ends the reading, earlier entries stay",
         "<scanner><model>A</model><n_serial>ABCDE12345</n_serial></scanner>"
         "<scanner2><model>B</model><n_serial>ABCDI12345</n_serial></scanner2>"
         "<scanner3><model>C</model><n_serial>ABCDF12345</n_serial></scanner3>",
         0, {{L"A", L"ABCDE12345"}}, {}, ListLog(L"[ABCDI12345] is Error Serial Number.")},
        {"blank serial is invalid", "<scanner><model>A</model><n_serial>  </n_serial></scanner>", 0, {}, {},
         ListLog(L"[] is Error Serial Number.")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.pszName);
        const ScannerFileRead read(ScannerFile(c.pszBody));
        EXPECT_EQ(c.nResult, read.Result());
        EXPECT_EQ(c.newForm, read.New());
        EXPECT_EQ(c.oldForm, read.Old());
        EXPECT_TRUE(read.Log().Contains(c.strLog)) << read.Log().Text().ToUtf8();
        EXPECT_TRUE(read.Log().Contains(L"End  :CVelorixUpdaterApp::GetScannerInfoList"));
    }
}

TEST(ScannerInfoFile, MalformedFilesFailWithTheEntriesReadBefore) {
    struct Case {
        const char* pszName;
        std::string content;
        Entries newForm;
    };
    const Case cases[] = {
        {"unclosed element",
         ScannerFile("<scanner><model>A</model><n_serial>ABCDE12345</n_serial></scanner><scanner2><model>B"),
         {{L"A", L"ABCDE12345"}}},
        {"mismatched end", ScannerFile("<scanner><model>A</model><n_serial>ABCDE12345</n_serial></scanner2>"),
         {{L"A", L"ABCDE12345"}}},
        {"entity in a DTD",
         "<?xml version=\"1.0\"?><!DOCTYPE q [<!ENTITY s \"ABCDE12345\">]>"
         "<q><scanner><model>A</model><n_serial>&s;</n_serial></scanner></q>",
         {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.pszName);
        const ScannerFileRead read(c.content);
        EXPECT_EQ(0, read.Result());
        EXPECT_EQ(c.newForm, read.New());
        EXPECT_TRUE(read.Old().empty());
        EXPECT_TRUE(read.Log().Contains(ListLog(L"XML Read Error."))) << read.Log().Text().ToUtf8();
    }
}

TEST(ScannerInfoFile, FilesThatAreNotXmlGiveNoSerial) {
    // Wine's reader reports no error for some of these where Windows' does: either way
    // nothing is recorded and the attempt fails.
    for (const std::string& content : {std::string("\x01\x02 binary \xff\xfe garbage"), std::string(),
                                       std::string("ABCDE12345")}) {
        const ScannerFileRead read(content);
        EXPECT_EQ(0, read.Result());
        EXPECT_TRUE(read.New().empty());
        EXPECT_TRUE(read.Old().empty());
    }
}

TEST(ScannerInfoFile, TenMegabyteFileIsReadWhole) {
    // 10 MB of another element's text in front of the scanners, and a 1 MB model name.
    const std::string filler(10 * 1024 * 1024, 'x');
    const std::string model(1024 * 1024, 'M');
    const DWORD dwStart = GetTickCount();
    const ScannerFileRead read(ScannerFile("<log>" + filler + "</log><scanner><model>" + model +
                                           "</model><n_serial>123456</n_serial></scanner>"));
    EXPECT_EQ(1, read.Result());
    ASSERT_EQ(1u, read.Old().size());
    EXPECT_EQ(1024 * 1024, read.Old()[0].first.GetLength());
    EXPECT_LT(GetTickCount() - dwStart, 20000u);
}

TEST(ScannerInfoFile, MissingFileOrPathEmptiesTheListsAndFails) {
    CVelorixUpdaterApp app;
    const CTempFolder folder;
    const CString strMissing = folder.File(L"none.xml").c_str();
    for (const CString& strPath : {CString(), strMissing}) {
        app.m_arrSerial10.Add(_ScannerInfo{L"stale", L"ZZZZZ99999"});
        app.m_arrSerial6.Add(_ScannerInfo{L"stale", L"999999"});
        const CLogTail log;
        EXPECT_EQ(0, app.GetScannerInfoList(strPath));
        EXPECT_TRUE(app.m_arrSerial10.IsEmpty());
        EXPECT_TRUE(app.m_arrSerial6.IsEmpty());
        EXPECT_TRUE(log.Contains(strPath.IsEmpty() ? ListLog(L"XML Path is BLANK.")
                                                   : ListLog(L"XML[" + strMissing + L"] doesn't exist.")));
    }
}
