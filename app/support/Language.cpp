// The user-interface language, as an id for layout decisions and as the code that the
// catalogue's lang attributes use.
#include "app/support/Language.h"

#include "app/support/VrxCommon.h"

LANGID GetUILanguageId() {
    return GetUserDefaultUILanguage();
}

void LanguageCodeOf(LANGID wLanguage, CString& strCode) {
    if (PRIMARYLANGID(wLanguage) == LANG_CHINESE) {
        // Chinese is offered in two scripts: traditional for Taiwan, Hong Kong and Macao.
        switch (SUBLANGID(wLanguage)) {
        case SUBLANG_CHINESE_TRADITIONAL:
        case SUBLANG_CHINESE_HONGKONG:
        case SUBLANG_CHINESE_MACAU:
        case 0x1F:  // zh-Hant
            strCode = L"zh-TW";
            return;
        default:
            strCode = L"zh-CN";
            return;
        }
    }
    wchar_t szName[LOCALE_NAME_MAX_LENGTH] = {};
    if (GetLocaleInfoW(MAKELCID(wLanguage, SORT_DEFAULT), LOCALE_SISO639LANGNAME, szName, LOCALE_NAME_MAX_LENGTH) > 1)
        strCode = szName;
    else
        strCode = L"en";
}

void GetLanguageCode(CString& strCode) {
    LanguageCodeOf(GetUILanguageId(), strCode);
}
