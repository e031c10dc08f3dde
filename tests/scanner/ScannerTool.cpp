#include "tests/scanner/ScannerTool.h"

#include "tests/common/ProgramRun.h"

#include <shlobj.h>

#include <filesystem>
#include <fstream>

namespace {

CString WindowsFolder() {
    wchar_t szPath[MAX_PATH] = {};
    SHGetFolderPathW(nullptr, CSIDL_WINDOWS, nullptr, SHGFP_TYPE_DEFAULT, szPath);
    return szPath;
}

// The folders from the Windows folder down to the tool's own, outermost first.
std::vector<CString> ToolFolders() {
    const CString strTwain = WindowsFolder() + L"\\twain_32";
    return {strTwain, strTwain + L"\\qvscan32", strTwain + L"\\qvscan32\\SOP"};
}

CString ToolFile(const wchar_t* pszName) {
    return ToolFolders().back() + L"\\" + pszName;
}

const wchar_t* const kToolFiles[] = {L"QmetaInfo.exe", L"QmetaInfo.ini", L"QmetaInfo.calls"};

}  // namespace

CString CScannerTool::ToolPath() {
    return ToolFile(L"QmetaInfo.exe");
}

CString CScannerTool::ScannerFilePath() {
    wchar_t szPath[MAX_PATH] = {};
    SHGetFolderPathW(nullptr, CSIDL_COMMON_APPDATA, nullptr, SHGFP_TYPE_DEFAULT, szPath);
    return CString(szPath) + L"\\Dralvex\\QmetaInfo.xml";
}

CScannerTool::CScannerTool() {
    for (const CString& strFolder : ToolFolders()) CreateDirectoryW(strFolder, nullptr);
    CopyFileW(TestBinDir() + L"\\QmetaInfo.exe", ToolPath(), FALSE);
    DeleteFileW(ToolFile(L"QmetaInfo.calls"));
    DeleteFileW(ToolFile(L"QmetaInfo.ini"));
    DeleteFileW(ScannerFilePath());
}

CScannerTool::~CScannerTool() {
    for (const CString& strFile : m_arrWritten) DeleteFileW(strFile);
    for (const wchar_t* pszName : kToolFiles) DeleteFileW(ToolFile(pszName));
    const std::vector<CString> arrFolders = ToolFolders();
    for (auto it = arrFolders.rbegin(); it != arrFolders.rend(); ++it) RemoveDirectoryW(*it);
    DeleteFileW(ScannerFilePath());
}

void CScannerTool::SetRun(int nRun, const std::string& xml, int nExitCode, int nDelayMs, bool bWriteFile) {
    const CString strSection = nRun == 0 ? CString(L"Default") : CString(L"Run") + std::to_wstring(nRun).c_str();
    const CString strIni = ToolFile(L"QmetaInfo.ini");
    CString strXml;
    if (bWriteFile) {
        strXml = ToolFile(CString(L"run") + std::to_wstring(nRun).c_str() + L".xml");
        std::ofstream(std::filesystem::path(strXml.str()), std::ios::binary) << xml;
        m_arrWritten.push_back(strXml);
    }
    WritePrivateProfileStringW(strSection, L"Xml", strXml, strIni);
    WritePrivateProfileStringW(strSection, L"ExitCode", std::to_wstring(nExitCode).c_str(), strIni);
    WritePrivateProfileStringW(strSection, L"DelayMs", std::to_wstring(nDelayMs).c_str(), strIni);
}

std::vector<CString> CScannerTool::Calls() const {
    std::vector<CString> arrCalls;
    const CString strText = ReadFileText(ToolFile(L"QmetaInfo.calls"));
    int iStart = 0;
    while (iStart >= 0) {
        const CString strLine = strText.Tokenize(L"\n", iStart);
        if (!strLine.IsEmpty()) arrCalls.push_back(strLine);
    }
    return arrCalls;
}

std::string ScannerFile(const std::string& body) {
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n<QmetaInfo>\r\n" + body + "\r\n</QmetaInfo>\r\n";
}
