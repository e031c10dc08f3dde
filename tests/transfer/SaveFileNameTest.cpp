// The saved file's name from a URL: whatever the server puts there, the file lies directly
// in the download folder under a name Windows keeps as it is.
#include "transfer/SaveFileName.h"

#include <gtest/gtest.h>

TEST(SaveFileName, NamesThatWouldLeaveTheFolderOrMisnameTheFileAreNeutralised) {
    const struct {
        const wchar_t* pszName;
        const wchar_t* pszSaved;
    } cases[] = {
        {L"setup.exe", L"setup.exe"},
        {L"Setup Tool 2.msi", L"Setup Tool 2.msi"},
        {L"", L""},
        {L".", L""},
        {L"..", L""},
        {L" . ..", L""},
        {L"..\\..\\Windows\\evil.dll", L".._.._Windows_evil.dll"},
        {L"a/b.exe", L"a_b.exe"},
        {L"C:evil.exe", L"C_evil.exe"},
        {L"setup.exe:payload", L"setup.exe_payload"},
        {L"x*?\"<>|.txt", L"x______.txt"},
        {L"line\r\nbreak\x01\x7F.txt", L"line__break__.txt"},
        {L"setup.exe. . ", L"setup.exe"},
        {L"CON", L"_CON"},
        {L"con.txt", L"_con.txt"},
        {L"Nul .tar.gz", L"_Nul .tar.gz"},
        {L"com1", L"_com1"},
        {L"LPT9.log", L"_LPT9.log"},
        {L"COM0", L"COM0"},
        {L"LPT10", L"LPT10"},
        {L"console.exe", L"console.exe"},
        {L"auxiliary", L"auxiliary"},
    };
    for (const auto& c : cases) EXPECT_STREQ(c.pszSaved, MakeSaveFileName(c.pszName)) << CString(c.pszName).ToUtf8();
}
