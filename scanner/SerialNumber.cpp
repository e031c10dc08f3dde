// The two forms of scanner serial number: old (six digits) and new (five characters of
// a restricted alphabet followed by five digits).
#include "app/VelorixUpdater.h"

#include <cwchar>

namespace {

const wchar_t kDigits[] = L"0123456789";
const wchar_t kLettersAndDigits[] = L"0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
// Letters a new-form serial number never contains, as they read like digits or each other.
const wchar_t kExcludedLetters[] = L"IOQSXZioqsxz";

// True when every character of pszPart[0..nLength) is in pszSet.
bool AllIn(const wchar_t* pszPart, size_t nLength, const wchar_t* pszSet) {
    return std::wcsspn(std::wstring(pszPart, nLength).c_str(), pszSet) == nLength;
}

}  // namespace

int CVelorixUpdaterApp::ClassifySerialNo(const CString& strSerialNo) {
    const std::wstring& str = strSerialNo.str();
    if (str.empty()) return -1;
    if (std::wcslen(str.c_str()) != str.size()) return -3;
    if (str.size() != 6 && str.size() != 10) return -2;
    if (str.size() == 6) return AllIn(str.c_str(), 6, kDigits) ? 6 : -4;
    if (!AllIn(str.c_str(), 5, kLettersAndDigits)) return -5;
    if (std::wstring(str, 0, 5).find_first_of(kExcludedLetters) != std::wstring::npos) return -6;
    if (!AllIn(str.c_str() + 5, 5, kDigits)) return -7;
    return 10;
}
