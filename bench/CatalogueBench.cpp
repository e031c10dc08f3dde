// Catalogue parser benchmark: a generated catalogue of 10,000 items is parsed with
// CreateNewSoftInfoList and read by a bare XmlLite loop (the floor no parser can beat);
// prints items per second and the ratio of the two times, each the best of several runs.
#include "app/FileStream.h"
#include "app/VelorixUpdater.h"
#include "app/XmlReaderLimits.h"

#include <wrl/client.h>

#include <algorithm>
#include <cstdio>
#include <string>

namespace {

const int kItems = 10000;
const int kRepetitions = 9;

// Items as the server writes them: texts in three languages, two modules, all fields.
std::string GenerateCatalogue() {
    std::string strXml = "<?xml version=\"1.0\" encoding=\"utf-8\"?>\r\n<velorix>\r\n"
                         "  <return_info code=\"OK01-0001\">OK</return_info>\r\n"
                         "  <license>http://example.test/eula/en.rtf</license>\r\n"
                         "  <license lang=\"de\">http://example.test/eula/de.rtf</license>\r\n"
                         "  <auth>0B1C2D3E4F</auth>\r\n";
    for (int i = 0; i < kItems; ++i) {
        const std::string strId = std::to_string(100000 + i);
        strXml += "  <item>\r\n"
                  "    <id>" + strId + "</id>\r\n"
                  "    <title>Scanner driver " + strId + "</title>\r\n"
                  "    <title lang=\"de\">Scannertreiber " + strId + "</title>\r\n"
                  "    <title lang=\"ja\">\xE3\x82\xB9\xE3\x82\xAD\xE3\x83\xA3\xE3\x83\x8A " + strId + "</title>\r\n"
                  "    <version targetMinVersion=\"1.0.0.0\">2." + std::to_string(i % 50) + ".0.1</version>\r\n"
                  "    <link>http://example.test/info/" + strId + ".html</link>\r\n"
                  "    <description>Driver and tools for the scanner, with the latest fixes and improvements.</description>\r\n"
                  "    <description lang=\"de\">Treiber und Werkzeuge mit den neuesten Korrekturen.</description>\r\n"
                  "    <gmt_pubDate>2013/5/6 7:8:9</gmt_pubDate>\r\n"
                  "    <gmt_delDate>2099/12/31 23:59:59</gmt_delDate>\r\n"
                  "    <iss>http://example.test/iss/" + strId + ".ini</iss>\r\n"
                  "    <module size=\"73400320\" installSize=\"157286400\">http://example.test/pkg/" + strId + ".exe</module>\r\n"
                  "    <module lang=\"de\" size=\"73400321\" installSize=\"157286401\">http://example.test/pkg/de/" + strId + ".exe</module>\r\n"
                  "    <exclude>5.0,5.1</exclude>\r\n"
                  "    <instchkkey>{" + strId + "-0000-0000}</instchkkey>\r\n"
                  "    <instchkpath>chk\\" + strId + ".dll</instchkpath>\r\n"
                  "  </item>\r\n";
    }
    return strXml + "</velorix>\r\n";
}

double Now() {
    static LARGE_INTEGER s_frequency = [] {
        LARGE_INTEGER frequency;
        QueryPerformanceFrequency(&frequency);
        return frequency;
    }();
    LARGE_INTEGER counter;
    QueryPerformanceCounter(&counter);
    return static_cast<double>(counter.QuadPart) / static_cast<double>(s_frequency.QuadPart);
}

// The floor: every node read and every text handed out, nothing kept.
bool BareRead(const wchar_t* pszPath) {
    Microsoft::WRL::ComPtr<IStream> pStream;
    if (FAILED(FileStream::OpenFile(pszPath, pStream.GetAddressOf()))) return false;
    CLimitedXmlReader reader;
    if (FAILED(reader.Create()) || FAILED(reader.SetInput(pStream.Get()))) return false;
    XmlNodeType nodeType;
    HRESULT hr;
    while ((hr = reader->Read(&nodeType)) == S_OK) {
        if (nodeType == XmlNodeType_Text || nodeType == XmlNodeType_Whitespace) {
            const wchar_t* pszValue = nullptr;
            if (FAILED(reader->GetValue(&pszValue, nullptr))) return false;
        }
    }
    return hr == S_FALSE;
}

// The time of one run in seconds, or -1 when it failed.
template <typename Run>
double Time(Run run) {
    const double dStart = Now();
    return run() ? Now() - dStart : -1;
}

}  // namespace

int main() {
    wchar_t szTemp[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, szTemp);
    const CString strPath = CString(szTemp) + L"dlv-bench-catalogue.xml";
    {
        const std::string strXml = GenerateCatalogue();
        FILE* pFile = _wfopen(strPath, L"wb");
        if (!pFile) return 1;
        fwrite(strXml.data(), 1, strXml.size(), pFile);
        fclose(pFile);
    }
    CVelorixUpdaterApp app;
    // The two runs take turns, so that a change in the machine's load meets both alike.
    double dParse = 1e30, dBare = 1e30;
    for (int i = 0; i < kRepetitions && dParse > 0 && dBare > 0; ++i) {
        dParse = std::min(dParse, Time([&] {
            return app.CreateNewSoftInfoList(strPath) && app.m_arrNewSoftInfo.GetSize() == kItems;
        }));
        dBare = std::min(dBare, Time([&] { return BareRead(strPath); }));
    }
    DeleteFileW(strPath);
    if (dParse <= 0 || dBare <= 0) {
        std::fprintf(stderr, "bench_catalogue: the catalogue could not be read\n");
        return 1;
    }
    std::printf("catalogue_items_per_second: %.0f\n", kItems / dParse);
    std::printf("catalogue_parse_ratio: %.3f\n", dParse / dBare);
    return 0;
}
