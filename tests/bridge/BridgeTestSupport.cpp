#include "tests/bridge/BridgeTestSupport.h"

#include "fw/Handle.h"
#include "tests/common/ProgramRun.h"

#include <tlhelp32.h>

#include <sstream>

namespace {

const wchar_t kAppIdKey[] = L"AppID\\{CC03F7E7-69FE-4AC9-AF14-3FBAD5904289}";

}  // namespace

CString BridgeDllPath() {
    return TestBinDir() + L"\\DlvUACBridge.dll";
}

CString ExitWithPath() {
    return TestBinDir() + L"\\ExitWith.exe";
}

int RunRegsvr32(bool bUnregister) {
    wchar_t szSystem[MAX_PATH] = {};
    GetSystemDirectoryW(szSystem, MAX_PATH);
    CString strCmdLine;
    strCmdLine.Format(L"\"%s\\regsvr32.exe\" /s %s\"%s\"", szSystem, bUnregister ? L"/u " : L"",
                      static_cast<const wchar_t*>(BridgeDllPath()));
    std::vector<wchar_t> cmdLine(strCmdLine.GetString(), strCmdLine.GetString() + strCmdLine.GetLength() + 1);
    STARTUPINFOW si = {sizeof(si)};
    PROCESS_INFORMATION pi = {};
    if (!CreateProcessW(nullptr, cmdLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) return -1;
    CloseHandle(pi.hThread);
    const CHandle hProcess(pi.hProcess);
    DWORD dwExitCode = 0;
    if (WaitForSingleObject(hProcess.Get(), 30000) != WAIT_OBJECT_0 ||
        !GetExitCodeProcess(hProcess.Get(), &dwExitCode)) {
        TerminateProcess(hProcess.Get(), 1);
        return -1;
    }
    return static_cast<int>(dwExitCode);
}

bool UseSurrogateOfThisBitness() {
    wchar_t szSystem[MAX_PATH] = {};
    GetSystemDirectoryW(szSystem, MAX_PATH);
    const std::wstring strDllHost = std::wstring(szSystem) + L"\\dllhost.exe";
    return RegSetKeyValueW(HKEY_CLASSES_ROOT, kAppIdKey, L"DllSurrogate", REG_SZ, strDllHost.c_str(),
                           static_cast<DWORD>((strDllHost.size() + 1) * sizeof(wchar_t))) == ERROR_SUCCESS;
}

CString ExitWithCmdLine(DWORD dwExitCode, const CString& strReport, DWORD dwWaitMs) {
    CString strCmdLine;
    strCmdLine.Format(L"\"%s\" %lu", static_cast<const wchar_t*>(ExitWithPath()), dwExitCode);
    if (!strReport.IsEmpty()) strCmdLine.AppendFormat(L" \"%s\"", static_cast<const wchar_t*>(strReport));
    if (dwWaitMs) strCmdLine.AppendFormat(L" %lu", dwWaitMs);
    return strCmdLine;
}

ExitWithReport ReadExitWithReport(const CString& strPath) {
    ExitWithReport report;
    std::wistringstream lines(static_cast<const wchar_t*>(ReadFileText(strPath)));
    std::wstring strProcessId, strParentId;
    report.bRead = std::getline(lines, report.strCmdLine) && std::getline(lines, strProcessId) &&
                   std::getline(lines, strParentId);
    for (std::wstring* pLine : {&report.strCmdLine, &strProcessId, &strParentId}) {
        if (!pLine->empty() && pLine->back() == L'\r') pLine->pop_back();
    }
    if (report.bRead) {
        report.dwProcessId = std::wcstoul(strProcessId.c_str(), nullptr, 10);
        report.dwParentId = std::wcstoul(strParentId.c_str(), nullptr, 10);
    }
    return report;
}

namespace {

// Calls fn for every process of the prefix until it returns true.
template <typename Fn>
void ForEachProcess(Fn fn) {
    const CHandle hSnapshot(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
    if (!hSnapshot) return;
    PROCESSENTRY32W entry = {};
    entry.dwSize = sizeof(entry);
    for (BOOL bMore = Process32FirstW(hSnapshot.Get(), &entry); bMore; bMore = Process32NextW(hSnapshot.Get(), &entry)) {
        if (fn(entry)) return;
    }
}

}  // namespace

std::wstring ProcessName(DWORD dwProcessId) {
    std::wstring strName;
    ForEachProcess([&](const PROCESSENTRY32W& entry) {
        if (entry.th32ProcessID != dwProcessId) return false;
        strName = entry.szExeFile;
        return true;
    });
    return strName;
}

void EndSurrogates() {
    ForEachProcess([](const PROCESSENTRY32W& entry) {
        if (_wcsicmp(entry.szExeFile, L"dllhost.exe") != 0) return false;
        const CHandle hProcess(OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, entry.th32ProcessID));
        if (hProcess && TerminateProcess(hProcess.Get(), 0)) WaitForSingleObject(hProcess.Get(), 5000);
        return false;
    });
}

bool KeyExists(const wchar_t* pszKey) {
    HKEY hKeyRaw = nullptr;
    if (RegOpenKeyExW(HKEY_CLASSES_ROOT, pszKey, 0, KEY_READ, &hKeyRaw) != ERROR_SUCCESS) return false;
    RegCloseKey(hKeyRaw);
    return true;
}

bool ReadString(const wchar_t* pszKey, const wchar_t* pszValue, std::wstring& strData) {
    DWORD dwBytes = 0;
    if (RegGetValueW(HKEY_CLASSES_ROOT, pszKey, pszValue, RRF_RT_REG_SZ, nullptr, nullptr, &dwBytes) != ERROR_SUCCESS) {
        return false;
    }
    std::vector<wchar_t> buffer(dwBytes / sizeof(wchar_t) + 1);
    dwBytes = static_cast<DWORD>(buffer.size() * sizeof(wchar_t));
    if (RegGetValueW(HKEY_CLASSES_ROOT, pszKey, pszValue, RRF_RT_REG_SZ, nullptr, buffer.data(), &dwBytes) !=
        ERROR_SUCCESS) {
        return false;
    }
    strData = buffer.data();
    return true;
}

bool ReadDword(const wchar_t* pszKey, const wchar_t* pszValue, DWORD& dwData) {
    DWORD dwBytes = sizeof(dwData);
    return RegGetValueW(HKEY_CLASSES_ROOT, pszKey, pszValue, RRF_RT_REG_DWORD, nullptr, &dwData, &dwBytes) ==
           ERROR_SUCCESS;
}
