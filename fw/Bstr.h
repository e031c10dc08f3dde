// CBstr: owner of one BSTR, allocated from a text and freed when it goes out of scope. The
// caller of a COM method allocates its BSTR arguments and frees them after the call.
#pragma once

#include <windows.h>
#include <oleauto.h>

class CBstr {
public:
    explicit CBstr(const wchar_t* pszText) : m_bstr(SysAllocString(pszText)) {}
    ~CBstr() { SysFreeString(m_bstr); }
    CBstr(const CBstr&) = delete;
    CBstr& operator=(const CBstr&) = delete;

    BSTR Get() const { return m_bstr; }

private:
    BSTR m_bstr;
};
