#include "app/support/VrxCommon.h"
#include "fw/Handle.h"
#include "tests/support/LogFile.h"

#include <gtest/gtest.h>

#include <map>
#include <thread>
#include <vector>

namespace {

// Milliseconds since 1601, to compare the logged time with the clock.
ULONGLONG ToMilliseconds(const SYSTEMTIME& st) {
    FILETIME ft = {};
    SystemTimeToFileTime(&st, &ft);
    return ((static_cast<ULONGLONG>(ft.dwHighDateTime) << 32) | ft.dwLowDateTime) / 10000;
}

}  // namespace

TEST(WriteLog, WritesOneLineWithTimeLevelSourceAndText) {
    const CString strMarker = MakeMarker(L"format");
    const CString strTrace = L"Start:CVelorixUpdaterApp::Initialize " + strMarker;
    const CString strError = L"Error:CHttpDownLoad::DownloadFile:Failed. GetLastError code is:5 " + strMarker;
    SYSTEMTIME before, after;
    GetLocalTime(&before);
    WriteLog(L"", L"VelorixUpdater", 241, strTrace, LOG_LEVEL_TRACE, -1);
    WriteLog(L"", L"HttpDownload", 7, strError, LOG_LEVEL_ERROR, -1);
    GetLocalTime(&after);

    const std::vector<std::string> lines = ReadMarkedLines(strMarker);
    ASSERT_EQ(2u, lines.size());
    const struct {
        int nLevel;
        const char* pszSource;
        int nLine;
        std::string text;
    } expected[] = {{3, "VelorixUpdater", 241, strTrace.ToUtf8()}, {1, "HttpDownload", 7, strError.ToUtf8()}};
    for (size_t i = 0; i < lines.size(); ++i) {
        SCOPED_TRACE(lines[i]);
        const auto parsed = ParseLogLine(lines[i]);
        ASSERT_TRUE(parsed);
        EXPECT_EQ(expected[i].nLevel, parsed->nLevel);
        EXPECT_EQ(expected[i].pszSource, parsed->source);
        EXPECT_EQ(expected[i].nLine, parsed->nLine);
        EXPECT_EQ(expected[i].text, parsed->text);
        EXPECT_EQ(GetCurrentProcessId(), parsed->dwProcessId);
        EXPECT_EQ(GetCurrentThreadId(), parsed->dwThreadId);
        EXPECT_LE(ToMilliseconds(before), ToMilliseconds(parsed->time));
        EXPECT_GE(ToMilliseconds(after), ToMilliseconds(parsed->time));
    }
}

TEST(WriteLog, KeepsVeryLongAndNonAsciiTextWhole) {
    const CString strMarker = MakeMarker(L"long");
    CString strText = strMarker;
    for (int i = 0; i < 40000; ++i) strText += L"abc \u00e9\u65e5\U0001F600;";
    strText += L"|end";
    WriteLog(L"", L"VelorixUpdater", 1, strText, LOG_LEVEL_TRACE, -1);

    const std::vector<std::string> lines = ReadMarkedLines(strMarker);
    ASSERT_EQ(1u, lines.size());
    const auto parsed = ParseLogLine(lines[0]);
    ASSERT_TRUE(parsed);
    EXPECT_TRUE(parsed->text == strText.ToUtf8()) << "logged " << parsed->text.size() << " bytes of "
                                                  << strText.ToUtf8().size();
}

TEST(WriteLog, LeavesTheLastErrorForTheCaller) {
    const DWORD dwCannotConnect = 12029;
    SetLastError(dwCannotConnect);
    WriteLog(L"", L"VelorixUpdater", 1, MakeMarker(L"lasterror"), LOG_LEVEL_ERROR, -1);
    EXPECT_EQ(dwCannotConnect, GetLastError());
}

TEST(WriteLog, LinesOfConcurrentThreadsAndProcessesStayWhole) {
    const CString strMarker = MakeMarker(L"concurrent");
    constexpr int kThreads = 4;
    constexpr int kProcesses = 3;
    constexpr int kLines = 300;

    CString strFolder;
    GetBaseFolder(strFolder);
    std::vector<CHandle> processes;
    for (int p = 0; p < kProcesses; ++p) {
        CString strCommand;
        strCommand.Format(L"\"%s\\support_log_writer.exe\" %s %d %d", strFolder.GetString(), strMarker.GetString(),
                          kThreads + p, kLines);
        STARTUPINFOW si = {sizeof(si)};
        PROCESS_INFORMATION pi = {};
        ASSERT_TRUE(CreateProcessW(nullptr, strCommand.GetBuffer(0), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si,
                                   &pi))
            << "error " << GetLastError();
        CloseHandle(pi.hThread);
        processes.emplace_back(pi.hProcess);
    }
    std::vector<std::thread> threads;
    for (int t = 0; t < kThreads; ++t)
        threads.emplace_back([&strMarker, t] {
            for (int i = 0; i < kLines; ++i)
                WriteLog(L"", L"LogTest", i, WriterLineText(strMarker, t, i), LOG_LEVEL_TRACE, -1);
        });
    for (std::thread& thread : threads) thread.join();
    for (const CHandle& process : processes) {
        ASSERT_EQ(WAIT_OBJECT_0, WaitForSingleObject(process.Get(), 60000));
        DWORD dwExitCode = 1;
        GetExitCodeProcess(process.Get(), &dwExitCode);
        EXPECT_EQ(0u, dwExitCode);
    }

    std::map<std::string, int> missing;
    for (int w = 0; w < kThreads + kProcesses; ++w)
        for (int i = 0; i < kLines; ++i) ++missing[WriterLineText(strMarker, w, i).ToUtf8()];
    const std::vector<std::string> lines = ReadMarkedLines(strMarker);
    EXPECT_EQ(static_cast<size_t>((kThreads + kProcesses) * kLines), lines.size());
    for (const std::string& line : lines) {
        const auto parsed = ParseLogLine(line);
        ASSERT_TRUE(parsed) << line;
        const auto it = missing.find(parsed->text);
        ASSERT_TRUE(it != missing.end() && it->second > 0) << "unexpected or repeated line: " << line;
        --it->second;
    }
}
