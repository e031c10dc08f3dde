#include "tests/catalogue/CatalogueTestSupport.h"

#include "app/support/VrxCommon.h"
#include "tests/common/ProgramRun.h"

#include <cstdio>

namespace {

void ReplaceAll(std::string& strText, const std::string& strOld, const std::string& strNew) {
    for (size_t i = strText.find(strOld); i != std::string::npos; i = strText.find(strOld, i + strNew.size())) {
        strText.replace(i, strOld.size(), strNew);
    }
}

}  // namespace

std::string WithLanguage(std::string strText) {
    CString strCode;
    GetLanguageCode(strCode);
    ReplaceAll(strText, "{L}", strCode.ToUtf8());
    ReplaceAll(strText, "{X}", strCode == L"zz" ? "zy" : "zz");
    return strText;
}

std::string CatalogueWithoutHeader(const std::string& strBody) {
    return WithLanguage("<?xml version=\"1.0\" encoding=\"utf-8\"?>\r\n<velorix>\r\n" + strBody + "</velorix>\r\n");
}

std::string Catalogue(const std::string& strBody) {
    return CatalogueWithoutHeader(
        "<return_info code=\"OK01-0001\">OK</return_info>\r\n"
        "<license>http://example.test/eula.rtf</license>\r\n"
        "<auth>4A5B</auth>\r\n" +
        strBody);
}

std::string Item(const std::string& strId, const std::string& strExtra) {
    return "<item>\r\n"
           "  <id>" + strId + "</id>\r\n"
           "  <title>Title " + strId + "</title>\r\n"
           "  <version>1.2.3.4</version>\r\n"
           "  <link>http://example.test/" + strId + ".html</link>\r\n"
           "  <description>About " + strId + "</description>\r\n"
           "  <gmt_pubDate>2013/5/6 7:8:9</gmt_pubDate>\r\n"
           "  <gmt_delDate>2099/12/31 23:59:59</gmt_delDate>\r\n"
           "  <iss>http://example.test/" + strId + ".ini</iss>\r\n"
           "  <module size=\"1000\" installSize=\"5000\">http://example.test/" + strId + ".exe</module>\r\n"
           "  <exclude>5.0,5.1</exclude>\r\n"
           "  <instchkkey>Key" + strId + "</instchkkey>\r\n"
           "  <instchkpath>Path" + strId + "</instchkpath>\r\n" +
           strExtra + "</item>\r\n";
}

CString WriteTestFile(const CTempFolder& folder, const wchar_t* pszName, const std::string& strContent) {
    const CString strPath = folder.File(pszName);
    FILE* pFile = _wfopen(strPath, L"wb");
    if (!pFile) return strPath;
    fwrite(strContent.data(), 1, strContent.size(), pFile);
    fclose(pFile);
    return strPath;
}


