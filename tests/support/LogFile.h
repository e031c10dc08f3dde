// Test helpers for the shared main log: reading back the lines that carry one test's
// marker and splitting them into their fields. Other test programs write to the same
// file, so tests look only at their own marked lines.
#pragma once

#include "fw/String.h"

#include <optional>
#include <string>
#include <vector>

struct LogLine {
    SYSTEMTIME time = {};
    int nLevel = 0;
    DWORD dwProcessId = 0;
    DWORD dwThreadId = 0;
    std::string source;
    int nLine = 0;
    std::string text;  // UTF-8, as in the file
};

// A text unique to this call in this process, to mark a test's lines.
CString MakeMarker(const wchar_t* pszTestName);

// The text that writer nWriter logs as its line nIndex in the concurrency test: marked,
// numbered and padded to a different length each time, so torn or mixed lines show.
CString WriterLineText(const CString& strMarker, int nWriter, int nIndex);

// The log's lines (without their CR LF) that contain marker, in file order.
std::vector<std::string> ReadMarkedLines(const CString& strMarker);

// The fields of one line, or nothing when the line does not have the log format.
std::optional<LogLine> ParseLogLine(const std::string& line);
