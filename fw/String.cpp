#include "fw/String.h"

#include "fw/ResourceHandle.h"

#include <algorithm>
#include <cwctype>
#include <vector>

namespace {

const wchar_t kWhitespace[] = L" \t\r\n\v\f";

int ClampIndex(int i, int nLength) {
    return i < 0 ? 0 : (i > nLength ? nLength : i);
}

}  // namespace

CString CString::FromMultiByte(const char* psz, bool bUtf8) {
    if (!psz || !*psz) return CString();
    const UINT cp = bUtf8 ? CP_UTF8 : CP_ACP;
    const int n = MultiByteToWideChar(cp, 0, psz, -1, nullptr, 0);
    if (n <= 1) return CString();
    std::wstring s(static_cast<size_t>(n), L'\0');
    MultiByteToWideChar(cp, 0, psz, -1, s.data(), n);
    s.resize(static_cast<size_t>(n - 1));
    return CString(std::move(s));
}

std::string CString::ToUtf8() const {
    if (m_str.empty()) return std::string();
    const int n = WideCharToMultiByte(CP_UTF8, 0, m_str.data(), GetLength(), nullptr, 0, nullptr, nullptr);
    std::string s(static_cast<size_t>(n), '\0');
    WideCharToMultiByte(CP_UTF8, 0, m_str.data(), GetLength(), s.data(), n, nullptr, nullptr);
    return s;
}

int CString::Compare(const wchar_t* psz) const {
    return m_str.compare(psz ? psz : L"");
}

int CString::CompareNoCase(const wchar_t* psz) const {
    return _wcsicmp(m_str.c_str(), psz ? psz : L"");
}

int CString::Find(const wchar_t* pszSub, int iStart) const {
    if (!pszSub || iStart < 0 || iStart > GetLength()) return -1;
    const size_t pos = m_str.find(pszSub, static_cast<size_t>(iStart));
    return pos == std::wstring::npos ? -1 : static_cast<int>(pos);
}

int CString::Find(wchar_t ch, int iStart) const {
    if (iStart < 0 || iStart >= GetLength()) return -1;
    const size_t pos = m_str.find(ch, static_cast<size_t>(iStart));
    return pos == std::wstring::npos ? -1 : static_cast<int>(pos);
}

int CString::ReverseFind(wchar_t ch) const {
    const size_t pos = m_str.rfind(ch);
    return pos == std::wstring::npos ? -1 : static_cast<int>(pos);
}

int CString::FindOneOf(const wchar_t* pszChars) const {
    if (!pszChars) return -1;
    const size_t pos = m_str.find_first_of(pszChars);
    return pos == std::wstring::npos ? -1 : static_cast<int>(pos);
}

CString CString::Mid(int iFirst) const {
    return Mid(iFirst, GetLength());
}

CString CString::Mid(int iFirst, int nCount) const {
    const int n = GetLength();
    iFirst = ClampIndex(iFirst, n);
    if (nCount < 0) nCount = 0;
    if (nCount > n - iFirst) nCount = n - iFirst;
    return CString(m_str.substr(static_cast<size_t>(iFirst), static_cast<size_t>(nCount)));
}

CString CString::Left(int nCount) const {
    return Mid(0, nCount);
}

CString CString::Right(int nCount) const {
    const int n = GetLength();
    nCount = ClampIndex(nCount, n);
    return Mid(n - nCount, nCount);
}

CString& CString::MakeUpper() {
    if (!m_str.empty()) CharUpperBuffW(m_str.data(), static_cast<DWORD>(m_str.size()));
    return *this;
}

CString& CString::MakeLower() {
    if (!m_str.empty()) CharLowerBuffW(m_str.data(), static_cast<DWORD>(m_str.size()));
    return *this;
}

CString& CString::Trim() { return TrimRight().TrimLeft(); }
CString& CString::TrimLeft() { return TrimLeft(kWhitespace); }
CString& CString::TrimRight() { return TrimRight(kWhitespace); }
CString& CString::Trim(const wchar_t* pszChars) { return TrimRight(pszChars).TrimLeft(pszChars); }

CString& CString::TrimLeft(const wchar_t* pszChars) {
    const size_t pos = m_str.find_first_not_of(pszChars ? pszChars : L"");
    m_str.erase(0, pos == std::wstring::npos ? m_str.size() : pos);
    return *this;
}

CString& CString::TrimRight(const wchar_t* pszChars) {
    const size_t pos = m_str.find_last_not_of(pszChars ? pszChars : L"");
    m_str.erase(pos == std::wstring::npos ? 0 : pos + 1);
    return *this;
}

int CString::Replace(const wchar_t* pszOld, const wchar_t* pszNew) {
    if (!pszOld || !*pszOld) return 0;
    const std::wstring strOld(pszOld);
    const std::wstring strNew(pszNew ? pszNew : L"");
    int nCount = 0;
    for (size_t pos = m_str.find(strOld); pos != std::wstring::npos; pos = m_str.find(strOld, pos + strNew.size())) {
        m_str.replace(pos, strOld.size(), strNew);
        ++nCount;
    }
    return nCount;
}

int CString::Replace(wchar_t chOld, wchar_t chNew) {
    int nCount = 0;
    for (wchar_t& ch : m_str) {
        if (ch == chOld) {
            ch = chNew;
            ++nCount;
        }
    }
    return nCount;
}

int CString::Remove(wchar_t ch) {
    const size_t nBefore = m_str.size();
    m_str.erase(std::remove(m_str.begin(), m_str.end(), ch), m_str.end());
    return static_cast<int>(nBefore - m_str.size());
}

int CString::Insert(int iIndex, const wchar_t* psz) {
    m_str.insert(static_cast<size_t>(ClampIndex(iIndex, GetLength())), psz ? psz : L"");
    return GetLength();
}

int CString::Delete(int iIndex, int nCount) {
    const int n = GetLength();
    if (iIndex >= 0 && iIndex < n && nCount > 0) {
        m_str.erase(static_cast<size_t>(iIndex), static_cast<size_t>(std::min(nCount, n - iIndex)));
    }
    return GetLength();
}

CString CString::Tokenize(const wchar_t* pszTokens, int& iStart) const {
    if (iStart < 0 || iStart >= GetLength()) {
        iStart = -1;
        return CString();
    }
    const wchar_t* pszSet = pszTokens ? pszTokens : L"";
    const size_t first = m_str.find_first_not_of(pszSet, static_cast<size_t>(iStart));
    if (first == std::wstring::npos) {
        iStart = -1;
        return CString();
    }
    size_t last = m_str.find_first_of(pszSet, first);
    if (last == std::wstring::npos) last = m_str.size();
    iStart = static_cast<int>(last < m_str.size() ? last + 1 : last);
    return CString(m_str.substr(first, last - first));
}

void CString::Format(const wchar_t* pszFormat, ...) {
    va_list args;
    va_start(args, pszFormat);
    FormatV(pszFormat, args);
    va_end(args);
}

void CString::FormatV(const wchar_t* pszFormat, va_list args) {
    if (!pszFormat) {
        m_str.clear();
        return;
    }
    // The CRT's own functions keep the Windows meaning of %s in wide formats
    // (the C99 swprintf family that mingw may substitute reads %s as narrow).
    va_list argsCount;
    va_copy(argsCount, args);
    const int n = _vscwprintf(pszFormat, argsCount);
    va_end(argsCount);
    if (n < 0) {
        m_str.clear();
        return;
    }
    std::wstring s(static_cast<size_t>(n) + 1, L'\0');
    _vsnwprintf(s.data(), s.size(), pszFormat, args);
    s.resize(static_cast<size_t>(n));
    m_str = std::move(s);
}

void CString::AppendFormat(const wchar_t* pszFormat, ...) {
    CString strMore;
    va_list args;
    va_start(args, pszFormat);
    strMore.FormatV(pszFormat, args);
    va_end(args);
    m_str += strMore.m_str;
}

BOOL CString::LoadString(UINT nID) {
    return LoadString(AfxGetResourceHandle(), nID);
}

BOOL CString::LoadString(HINSTANCE hInstance, UINT nID) {
    // LoadStringW with a zero length hands out a read-only pointer to the resource text.
    const wchar_t* pch = nullptr;
    const int n = ::LoadStringW(hInstance, nID, reinterpret_cast<LPWSTR>(&pch), 0);
    if (n <= 0 || !pch) {
        m_str.clear();
        return FALSE;
    }
    m_str.assign(pch, static_cast<size_t>(n));
    return TRUE;
}

CString LoadStringLimited(UINT nID, int nBufferLength) {
    CString str;
    str.LoadString(nID);
    return str.GetLength() > nBufferLength - 1 ? str.Left(nBufferLength - 1) : str;
}

wchar_t* CString::GetBuffer(int nMinLength) {
    if (nMinLength > GetLength()) m_str.resize(static_cast<size_t>(nMinLength));
    return m_str.data();
}

void CString::ReleaseBuffer(int nNewLength) {
    if (nNewLength < 0) {
        m_str.resize(wcsnlen(m_str.c_str(), m_str.size()));
    } else {
        m_str.resize(static_cast<size_t>(nNewLength));
    }
}
