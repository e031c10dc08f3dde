#include "tests/common/LogTail.h"

#include "tests/common/ProgramRun.h"

#include <cstdio>
#include <string>

namespace {

long long FileSize(const CString& strPath) {
    WIN32_FILE_ATTRIBUTE_DATA data = {};
    if (!GetFileAttributesExW(strPath, GetFileExInfoStandard, &data)) return 0;
    return (static_cast<long long>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

}  // namespace

CLogTail::CLogTail() : m_nOffset(FileSize(MainLogPath())) {}

CString CLogTail::Text() const {
    FILE* pFile = _wfopen(MainLogPath(), L"rb");
    if (!pFile) return CString();
    std::string strBytes;
    if (_fseeki64(pFile, m_nOffset, SEEK_SET) == 0) {
        char buffer[65536];
        size_t nRead = 0;
        while ((nRead = fread(buffer, 1, sizeof(buffer), pFile)) > 0) strBytes.append(buffer, nRead);
    }
    fclose(pFile);
    return CString::FromMultiByte(strBytes.c_str(), true);
}

CString CLogTail::Line(const wchar_t* pszText) const {
    const CString strText = Text();
    const int iFound = strText.Find(pszText);
    if (iFound < 0) return CString();
    const int iStart = strText.Left(iFound).ReverseFind(L'\n') + 1;
    const int iEnd = strText.Find(L'\n', iFound);
    return strText.Mid(iStart, (iEnd < 0 ? strText.GetLength() : iEnd + 1) - iStart);
}

int CLogTail::Count(const wchar_t* pszText) const {
    const CString strText = Text();
    int nCount = 0;
    for (int i = strText.Find(pszText); i >= 0; i = strText.Find(pszText, i + 1)) ++nCount;
    return nCount;
}
