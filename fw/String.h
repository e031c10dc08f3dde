// CString: the wide-character string type used throughout the program.
// A thin value type over std::wstring with the operations the program's code uses
// (formatting, searching, slicing, trimming, case handling, resource loading).
#pragma once

#include <windows.h>
#include <cstdarg>
#include <string>

class CString {
public:
    CString() = default;
    CString(const wchar_t* psz) : m_str(psz ? psz : L"") {}
    CString(const wchar_t* pch, int nLength) : m_str(pch ? std::wstring(pch, nLength > 0 ? nLength : 0) : std::wstring()) {}
    CString(wchar_t ch, int nRepeat = 1) : m_str(nRepeat > 0 ? nRepeat : 0, ch) {}
    CString(const std::wstring& s) : m_str(s) {}
    CString(std::wstring&& s) : m_str(std::move(s)) {}
    // Converts from the ANSI code page (or UTF-8 when bUtf8 is set).
    static CString FromMultiByte(const char* psz, bool bUtf8 = false);
    std::string ToUtf8() const;

    int GetLength() const { return static_cast<int>(m_str.size()); }
    bool IsEmpty() const { return m_str.empty(); }
    void Empty() { m_str.clear(); }
    const wchar_t* GetString() const { return m_str.c_str(); }
    operator const wchar_t*() const { return m_str.c_str(); }
    const std::wstring& str() const { return m_str; }

    wchar_t GetAt(int i) const { return m_str.at(static_cast<size_t>(i)); }
    void SetAt(int i, wchar_t ch) { m_str.at(static_cast<size_t>(i)) = ch; }
    wchar_t operator[](int i) const { return GetAt(i); }

    CString& operator=(const wchar_t* psz) { m_str = psz ? psz : L""; return *this; }
    CString& operator+=(const CString& s) { m_str += s.m_str; return *this; }
    CString& operator+=(const wchar_t* psz) { if (psz) m_str += psz; return *this; }
    CString& operator+=(wchar_t ch) { m_str += ch; return *this; }
    friend CString operator+(const CString& a, const CString& b) { return CString(a.m_str + b.m_str); }
    friend CString operator+(const CString& a, const wchar_t* b) { CString r(a); r += b; return r; }
    friend CString operator+(const wchar_t* a, const CString& b) { CString r(a); r += b; return r; }
    friend CString operator+(const CString& a, wchar_t ch) { CString r(a); r += ch; return r; }
    friend bool operator==(const CString& a, const CString& b) { return a.m_str == b.m_str; }
    friend bool operator==(const CString& a, const wchar_t* b) { return a.m_str == (b ? b : L""); }
    friend bool operator<(const CString& a, const CString& b) { return a.m_str < b.m_str; }

    // Ordinal comparisons: <0, 0, >0.
    int Compare(const wchar_t* psz) const;
    int CompareNoCase(const wchar_t* psz) const;

    // Searches return the zero-based index or -1.
    int Find(const wchar_t* pszSub, int iStart = 0) const;
    int Find(wchar_t ch, int iStart = 0) const;
    int ReverseFind(wchar_t ch) const;
    int FindOneOf(const wchar_t* pszChars) const;

    // Out-of-range counts and positions are clamped, as callers slice by computed indices.
    CString Mid(int iFirst) const;
    CString Mid(int iFirst, int nCount) const;
    CString Left(int nCount) const;
    CString Right(int nCount) const;

    CString& MakeUpper();
    CString& MakeLower();
    CString& Trim();
    CString& TrimLeft();
    CString& TrimRight();
    CString& Trim(const wchar_t* pszChars);
    CString& TrimLeft(const wchar_t* pszChars);
    CString& TrimRight(const wchar_t* pszChars);

    int Replace(const wchar_t* pszOld, const wchar_t* pszNew);
    int Replace(wchar_t chOld, wchar_t chNew);
    int Remove(wchar_t ch);
    int Insert(int iIndex, const wchar_t* psz);
    int Delete(int iIndex, int nCount = 1);

    // Next token delimited by any of pszTokens, starting at iStart; iStart becomes -1 at the end.
    CString Tokenize(const wchar_t* pszTokens, int& iStart) const;

    // printf-style formatting with the Windows conventions (%s is a wide string).
    void Format(const wchar_t* pszFormat, ...);
    void FormatV(const wchar_t* pszFormat, va_list args);
    void AppendFormat(const wchar_t* pszFormat, ...);

    // Loads string resource nID from hInstance (or the current resource module when null).
    BOOL LoadString(UINT nID);
    BOOL LoadString(HINSTANCE hInstance, UINT nID);

    // Direct buffer access for Win32 calls that fill a buffer.
    wchar_t* GetBuffer(int nMinLength);
    void ReleaseBuffer(int nNewLength = -1);

private:
    std::wstring m_str;
};

// String resource nID of the current resource module as a buffer of nBufferLength
// characters holds it: cut to nBufferLength - 1 characters.
CString LoadStringLimited(UINT nID, int nBufferLength);
