// Hostile and broken XML files fail cleanly under the reader's limits.
#include "app/FileStream.h"
#include "app/XmlReaderLimits.h"
#include "fw/String.h"

#include <gtest/gtest.h>
#include <psapi.h>

#include <string>

namespace {

CString WriteTempFile(const wchar_t* pszName, const std::string& strContent) {
    wchar_t szTemp[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, szTemp);
    const CString strPath = CString(szTemp) + pszName;
    FILE* pFile = _wfopen(strPath, L"wb");
    fwrite(strContent.data(), 1, strContent.size(), pFile);
    fclose(pFile);
    return strPath;
}

// Reads the whole file; the HRESULT of the first failing step, S_FALSE at a clean end.
HRESULT ReadAll(const CString& strPath, int* pnElements = nullptr) {
    CComPtr<IStream> pStream;
    HRESULT hr = FileStream::OpenFile(strPath, pStream.Receive());
    if (FAILED(hr)) return hr;
    CLimitedXmlReader reader;
    hr = reader.Create();
    if (FAILED(hr)) return hr;
    hr = reader.SetInput(pStream.Get());
    if (FAILED(hr)) return hr;
    XmlNodeType nodeType;
    int nElements = 0;
    // As the program's parsers do: every text is taken out of the reader.
    while ((hr = reader->Read(&nodeType)) == S_OK) {
        if (nodeType == XmlNodeType_Element) ++nElements;
        const wchar_t* pszValue = nullptr;
        if (nodeType == XmlNodeType_Text && FAILED(hr = reader->GetValue(&pszValue, nullptr))) return hr;
    }
    if (pnElements) *pnElements = nElements;
    return hr;
}

SIZE_T PeakCommit() {
    PROCESS_MEMORY_COUNTERS counters = {};
    counters.cb = sizeof(counters);
    GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof(counters));
    return counters.PeakPagefileUsage;
}

}  // namespace

TEST(XmlReaderLimits, AnOrdinaryFileReadsToTheEnd) {
    const CString strPath = WriteTempFile(L"dlv-xml-ok.xml", "<?xml version=\"1.0\" encoding=\"utf-8\"?>"
                                                               "<list><item a=\"1\">\xE6\x97\xA5\xE6\x9C\xAC</item><b/></list>");
    int nElements = 0;
    EXPECT_EQ(S_FALSE, ReadAll(strPath, &nElements));
    EXPECT_EQ(3, nElements);
    DeleteFileW(strPath);
}

TEST(XmlReaderLimits, HostileFilesFail) {
    std::string strNested;
    for (int i = 0; i < 200; ++i) strNested += "<a>";
    for (int i = 0; i < 200; ++i) strNested += "</a>";
    const struct {
        const wchar_t* pszName;
        std::string strContent;
    } cases[] = {
        {L"dlv-xml-dtd.xml",
         "<?xml version=\"1.0\"?><!DOCTYPE l [<!ENTITY a \"aaaaaaaaaa\"><!ENTITY b \"&a;&a;&a;&a;&a;&a;&a;&a;\">]>"
         "<l>&b;&b;&b;</l>"},
        {L"dlv-xml-deep.xml", strNested},
        {L"dlv-xml-truncated.xml", "<list><item>abc</it"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(CString(c.pszName).ToUtf8());
        const CString strPath = WriteTempFile(c.pszName, c.strContent);
        EXPECT_TRUE(FAILED(ReadAll(strPath)));
        DeleteFileW(strPath);
    }
}

TEST(XmlReaderLimits, BrokenEncodingsEndWithoutCrashing) {
    // Windows' reader refuses these; Wine's reads on. Either way the read ends.
    const struct {
        const wchar_t* pszName;
        std::string strContent;
    } cases[] = {
        {L"dlv-xml-utf8.xml", "<list><item>\xC3\x28\xFF\xFE</item></list>"},
        {L"dlv-xml-garbage.xml", std::string("\x00\x01\x02<<>>&&", 11)},
        {L"dlv-xml-empty.xml", ""},
    };
    for (const auto& c : cases) {
        const CString strPath = WriteTempFile(c.pszName, c.strContent);
        EXPECT_NE(S_OK, ReadAll(strPath));
        DeleteFileW(strPath);
    }
}

TEST(XmlReaderLimits, AFileAboveTheInputLimitIsRefusedWithoutReading) {
    std::string strContent = "<list><item>";
    strContent.append(100 * 1024 * 1024, 'x');
    strContent += "</item></list>";
    const CString strPath = WriteTempFile(L"dlv-xml-huge.xml", strContent);
    strContent.clear();
    strContent.shrink_to_fit();
    const SIZE_T nPeakBefore = PeakCommit();
    EXPECT_EQ(HRESULT_FROM_WIN32(ERROR_FILE_TOO_LARGE), ReadAll(strPath));
    // The text alone would take 200 MB as UTF-16.
    EXPECT_LT(PeakCommit() - nPeakBefore, 16u * 1024 * 1024);
    DeleteFileW(strPath);
}
