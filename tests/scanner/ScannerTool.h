// CScannerTool: installs the fake scanner-information tool (tests/fixtures/QmetaInfo.cpp)
// where the program looks for it, <Windows folder>\twain_32\qvscan32\SOP\QmetaInfo.exe,
// tells it what each run does, and removes it again with the scanner file it wrote.
#pragma once

#include "fw/String.h"

#include <string>
#include <vector>

class CScannerTool {
public:
    CScannerTool();
    ~CScannerTool();
    CScannerTool(const CScannerTool&) = delete;
    CScannerTool& operator=(const CScannerTool&) = delete;

    // What run nRun (1, 2, ...; 0: every run without a setting of its own) does: pause
    // nDelayMs, write xml as QmetaInfo.xml unless bWriteFile is false, end with nExitCode.
    void SetRun(int nRun, const std::string& xml, int nExitCode = 0, int nDelayMs = 0, bool bWriteFile = true);
    // The runs so far, each "<command line>|<working folder>".
    std::vector<CString> Calls() const;

    static CString ToolPath();
    // The scanner file the tool writes: <common application data>\Dralvex\QmetaInfo.xml.
    static CString ScannerFilePath();

private:
    std::vector<CString> m_arrWritten;  // the files the runs copy
};

// An XML scanner file with the given scanner elements inside its root.
std::string ScannerFile(const std::string& body);
