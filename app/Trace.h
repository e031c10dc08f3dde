// Entry and exit records of an operation in the main log: "Start:<name>" when the
// scope is entered and "End  :<name>" on every way out.
#pragma once

#include "app/support/VrxCommon.h"

class CTraceScope {
public:
    CTraceScope(const wchar_t* pszSource, int nLine, const wchar_t* pszName)
        : m_pszSource(pszSource), m_nLine(nLine), m_pszName(pszName) {
        WriteLog(L"", m_pszSource, m_nLine, CString(L"Start:") + m_pszName, LOG_LEVEL_TRACE, -1);
    }
    ~CTraceScope() { WriteLog(L"", m_pszSource, m_nLine, CString(L"End  :") + m_pszName, LOG_LEVEL_TRACE, -1); }
    CTraceScope(const CTraceScope&) = delete;
    CTraceScope& operator=(const CTraceScope&) = delete;

private:
    const wchar_t* m_pszSource;
    int m_nLine;
    const wchar_t* m_pszName;
};

// Logs one text of the current source file at the given level.
#define DLV_LOG(source, level, text) WriteLog(L"", source, __LINE__, text, level, -1)
#define DLV_TRACE_SCOPE(source, name) CTraceScope dlvTraceScope_(source, __LINE__, name)
