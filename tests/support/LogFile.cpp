#include "tests/support/LogFile.h"

#include "fw/Handle.h"

#include <shlobj.h>

#include <algorithm>
#include <regex>

CString MakeMarker(const wchar_t* pszTestName) {
    static LONG s_nCount = 0;
    CString strMarker;
    strMarker.Format(L"<%s-%lu-%llu-%ld>", pszTestName, GetCurrentProcessId(), GetTickCount64(),
                     InterlockedIncrement(&s_nCount));
    return strMarker;
}

CString WriterLineText(const CString& strMarker, int nWriter, int nIndex) {
    CString strText;
    strText.Format(L"%s W%d N%d ", strMarker.GetString(), nWriter, nIndex);
    strText += CString(L'x', (nWriter * 131 + nIndex * 37) % 700);
    strText += L"|end";
    return strText;
}

std::vector<std::string> ReadMarkedLines(const CString& strMarker) {
    wchar_t szAppData[MAX_PATH] = {};
    SHGetFolderPathW(nullptr, CSIDL_COMMON_APPDATA, nullptr, SHGFP_TYPE_CURRENT, szAppData);
    const CString strPath = CString(szAppData) + L"\\Dralvex\\Dralvex.log";
    const CHandle hFile(CreateFileW(strPath, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                    nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    std::string content;
    char buffer[64 * 1024];
    DWORD dwRead = 0;
    while (hFile && ReadFile(hFile.Get(), buffer, sizeof(buffer), &dwRead, nullptr) && dwRead > 0)
        content.append(buffer, dwRead);

    const std::string marker = strMarker.ToUtf8();
    std::vector<std::string> lines;
    for (size_t pos = content.find(marker); pos != std::string::npos;) {
        const size_t lineBreak = content.rfind("\r\n", pos);
        const size_t start = lineBreak == std::string::npos ? 0 : lineBreak + 2;
        const size_t end = std::min(content.find("\r\n", pos), content.size());
        lines.push_back(content.substr(start, end - start));
        pos = content.find(marker, end);
    }
    return lines;
}

std::optional<LogLine> ParseLogLine(const std::string& line) {
    // Only the fixed-size head goes through the regex: texts may be very long.
    static const std::regex head(
        R"(^(\d{4})-(\d{2})-(\d{2}) (\d{2}):(\d{2}):(\d{2})\.(\d{3}) \[(-?\d+)\] (\d+):(\d+) ([^ (]*)\((-?\d+)\) )");
    std::smatch m;
    const std::string prefix = line.substr(0, 300);
    if (!std::regex_search(prefix, m, head)) return std::nullopt;
    LogLine parsed;
    parsed.time.wYear = static_cast<WORD>(std::stoi(m[1]));
    parsed.time.wMonth = static_cast<WORD>(std::stoi(m[2]));
    parsed.time.wDay = static_cast<WORD>(std::stoi(m[3]));
    parsed.time.wHour = static_cast<WORD>(std::stoi(m[4]));
    parsed.time.wMinute = static_cast<WORD>(std::stoi(m[5]));
    parsed.time.wSecond = static_cast<WORD>(std::stoi(m[6]));
    parsed.time.wMilliseconds = static_cast<WORD>(std::stoi(m[7]));
    parsed.nLevel = std::stoi(m[8]);
    parsed.dwProcessId = std::stoul(m[9]);
    parsed.dwThreadId = std::stoul(m[10]);
    parsed.source = m[11];
    parsed.nLine = std::stoi(m[12]);
    parsed.text = line.substr(static_cast<size_t>(m.length(0)));
    return parsed;
}
