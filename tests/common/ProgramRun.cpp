#include "tests/common/ProgramRun.h"

#include <shlobj.h>

#include <string>

namespace {

long long FileSize(const CString& strPath) {
    WIN32_FILE_ATTRIBUTE_DATA data = {};
    if (!GetFileAttributesExW(strPath, GetFileExInfoStandard, &data)) return 0;
    return (static_cast<long long>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

std::string ReadBytes(const CString& strPath, long long nOffset) {
    const CHandle hFile(CreateFileW(strPath, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                    nullptr, OPEN_EXISTING, 0, nullptr));
    if (!hFile) return std::string();
    LARGE_INTEGER li = {};
    li.QuadPart = nOffset;
    SetFilePointerEx(hFile.Get(), li, nullptr, FILE_BEGIN);
    std::string bytes;
    char buffer[65536];
    DWORD dwRead = 0;
    while (ReadFile(hFile.Get(), buffer, sizeof(buffer), &dwRead, nullptr) && dwRead > 0) bytes.append(buffer, dwRead);
    return bytes;
}

void DeleteTree(const CString& strFolder) {
    WIN32_FIND_DATAW fd = {};
    const HANDLE hFind = FindFirstFileW(strFolder + L"\\*", &fd);
    if (hFind != INVALID_HANDLE_VALUE) {
        do {
            const CString strName(fd.cFileName);
            if (strName == L"." || strName == L"..") continue;
            const CString strPath = strFolder + L"\\" + strName;
            if (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                DeleteTree(strPath);
            } else {
                SetFileAttributesW(strPath, FILE_ATTRIBUTE_NORMAL);
                DeleteFileW(strPath);
            }
        } while (FindNextFileW(hFind, &fd));
        FindClose(hFind);
    }
    RemoveDirectoryW(strFolder);
}

}  // namespace

CString TestBinDir() {
    wchar_t szPath[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, szPath, MAX_PATH);
    CString strPath(szPath);
    return strPath.Left(strPath.ReverseFind(L'\\'));
}

CString MainLogPath() {
    wchar_t szPath[MAX_PATH] = {};
    SHGetFolderPathW(nullptr, CSIDL_COMMON_APPDATA, nullptr, SHGFP_TYPE_DEFAULT, szPath);
    return CString(szPath) + L"\\Dralvex\\Dralvex.log";
}

CString ReadFileText(const CString& strPath) {
    return CString::FromMultiByte(ReadBytes(strPath, 0).c_str(), true);
}

ProgramRun::ProgramRun(const wchar_t* pszName) {
    wchar_t szTemp[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, szTemp);
    m_strFolder = CString(szTemp) + L"dlvtest-" + pszName;
    DeleteTree(m_strFolder);
    CreateDirectoryW(m_strFolder, nullptr);
    CopyFileW(TestBinDir() + L"\\Dralvex.exe", m_strFolder + L"\\Dralvex.exe", FALSE);
}

ProgramRun::~ProgramRun() {
    if (m_hProcess && WaitForSingleObject(m_hProcess.Get(), 0) == WAIT_TIMEOUT) TerminateProcess(m_hProcess.Get(), 1);
    if (m_hProcess) WaitForSingleObject(m_hProcess.Get(), 5000);
    DeleteTree(m_strFolder);
}

void ProgramRun::WriteIni(const char* pszContent) const {
    const CHandle hFile(
        CreateFileW(m_strFolder + L"\\Dralvex.ini", GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    DWORD dwWritten = 0;
    WriteFile(hFile.Get(), pszContent, static_cast<DWORD>(strlen(pszContent)), &dwWritten, nullptr);
}

bool ProgramRun::Start(const wchar_t* pszArgs) {
    m_nLogOffset = FileSize(MainLogPath());
    CString strCmdLine = CString(L"\"") + m_strFolder + L"\\Dralvex.exe\" " + pszArgs;
    STARTUPINFOW si = {sizeof(si)};
    PROCESS_INFORMATION pi = {};
    if (!CreateProcessW(nullptr, strCmdLine.GetBuffer(strCmdLine.GetLength() + 1), nullptr, nullptr, FALSE, 0, nullptr,
                        m_strFolder, &si, &pi)) {
        return false;
    }
    CloseHandle(pi.hThread);
    m_hProcess.Reset(pi.hProcess);
    m_dwProcessId = pi.dwProcessId;
    return true;
}

bool ProgramRun::Wait(DWORD dwTimeoutMs) {
    if (!m_hProcess) return false;
    if (WaitForSingleObject(m_hProcess.Get(), dwTimeoutMs) == WAIT_OBJECT_0) return true;
    TerminateProcess(m_hProcess.Get(), 1);
    WaitForSingleObject(m_hProcess.Get(), 5000);
    return false;
}

DWORD ProgramRun::ExitCode() const {
    DWORD dwCode = STILL_ACTIVE;
    if (m_hProcess) GetExitCodeProcess(m_hProcess.Get(), &dwCode);
    return dwCode;
}

std::vector<CString> ProgramRun::LogLines() const {
    const CString strText = CString::FromMultiByte(ReadBytes(MainLogPath(), m_nLogOffset).c_str(), true);
    std::vector<CString> arrLines;
    int iPos = 0;
    for (CString strLine = strText.Tokenize(L"\r\n", iPos); iPos >= 0; strLine = strText.Tokenize(L"\r\n", iPos)) {
        arrLines.push_back(strLine);
    }
    return arrLines;
}

bool ProgramRun::LogContains(const wchar_t* pszText) const {
    for (const CString& strLine : LogLines()) {
        if (strLine.Find(pszText) >= 0) return true;
    }
    return false;
}
