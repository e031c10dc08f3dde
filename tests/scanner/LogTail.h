// CLogTail: the main-log text written after the object was made, for tests that call the
// program's code in-process and look at what it logged.
#pragma once

#include "tests/common/ProgramRun.h"

class CLogTail {
public:
    CLogTail() : m_nStart(ReadFileText(MainLogPath()).GetLength()) {}

    CString Text() const { return ReadFileText(MainLogPath()).Mid(m_nStart); }
    // How many times pszText occurs in the new text.
    int Count(const wchar_t* pszText) const {
        const CString strText = Text();
        int nCount = 0;
        for (int i = strText.Find(pszText); i >= 0; i = strText.Find(pszText, i + 1)) ++nCount;
        return nCount;
    }
    bool Contains(const wchar_t* pszText) const { return Count(pszText) > 0; }

private:
    int m_nStart;
};
