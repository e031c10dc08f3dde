// CLogTail: the main-log text written after the object was made, for tests that look at
// what the code under test (in-process or a program run) logged.
#pragma once

#include "fw/String.h"

class CLogTail {
public:
    CLogTail();
    CString Text() const;
    bool Contains(const wchar_t* pszText) const { return Text().Find(pszText) >= 0; }
    // How many times pszText occurs in the new text.
    int Count(const wchar_t* pszText) const;
    // The first whole line holding the text (with its line end), or empty.
    CString Line(const wchar_t* pszText) const;

private:
    long long m_nOffset;
};
