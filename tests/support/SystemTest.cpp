#include "app/support/Language.h"
#include "app/support/VrxCommon.h"
#include "fw/Handle.h"

#include <gtest/gtest.h>

#include <cwctype>

TEST(Files, ExistenceAndRemovalOfFiles) {
    wchar_t szTemp[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, szTemp);
    CString strFolder;
    strFolder.Format(L"%sdlv-files-%lu-%llu", szTemp, GetCurrentProcessId(), GetTickCount64());
    ASSERT_TRUE(CreateDirectoryW(strFolder, nullptr));
    const CString strFile = strFolder + L"\\DownloadCount.xml";
    CHandle(CreateFileW(strFile, GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_READONLY, nullptr));

    EXPECT_TRUE(FileExists(strFile));
    EXPECT_FALSE(FileExists(strFolder)) << "a folder is not a file";
    EXPECT_FALSE(FileExists(strFolder + L"\\missing.xml"));
    EXPECT_FALSE(FileExists(L""));
    EXPECT_FALSE(FileExists(nullptr));

    // The answer file of an earlier run may be read-only; it must still go.
    EXPECT_TRUE(DeleteExistingFile(strFile));
    EXPECT_FALSE(FileExists(strFile));
    EXPECT_TRUE(DeleteExistingFile(strFile)) << "nothing to remove is no failure";
    RemoveDirectoryW(strFolder);
}

TEST(Folders, BaseFolderHoldsTheRunningProgram) {
    CString strFolder;
    GetBaseFolder(strFolder);
    ASSERT_FALSE(strFolder.IsEmpty());
    EXPECT_NE(L'\\', strFolder[strFolder.GetLength() - 1]);
    EXPECT_TRUE(FileExists(strFolder + L"\\support_tests.exe")) << strFolder.ToUtf8();
}

TEST(System, VersionLanguageAndNetworkAddressTexts) {
    CString strVersion;
    GetOSVersionString(strVersion);
    OSVERSIONINFOW info = {sizeof(info)};
    ASSERT_TRUE(GetVersionExW(&info));
    CString strExpected;
    strExpected.Format(L"%lu.%lu", info.dwMajorVersion, info.dwMinorVersion);
    EXPECT_STREQ(strExpected, strVersion);

    CString strCode;
    GetLanguageCode(strCode);
    EXPECT_GE(strCode.GetLength(), 2) << strCode.ToUtf8();

    // Machines without an Ethernet or wireless adapter have no address to report.
    CString strAddress = L"old";
    if (GetMacAddress(strAddress)) {
        ASSERT_EQ(17, strAddress.GetLength()) << strAddress.ToUtf8();
        for (int i = 0; i < 17; ++i)
            EXPECT_TRUE(i % 3 == 2 ? strAddress[i] == L'-' : iswxdigit(strAddress[i]) && !iswlower(strAddress[i]))
                << strAddress.ToUtf8();
    } else {
        EXPECT_STREQ(L"", strAddress);
    }
}

TEST(Language, CodesOfUserInterfaceLanguages) {
    const struct {
        LANGID wLanguage;
        const wchar_t* pszCode;
    } cases[] = {
        {0x0409, L"en"}, {0x0809, L"en"}, {0x0411, L"ja"}, {0x0407, L"de"}, {0x040C, L"fr"},
        {0x0410, L"it"}, {0x0412, L"ko"}, {0x0416, L"pt"}, {0x0419, L"ru"}, {0x0C0A, L"es"},
        {0x0401, L"ar"}, {0x0804, L"zh-CN"}, {0x1004, L"zh-CN"}, {0x0404, L"zh-TW"}, {0x0C04, L"zh-TW"},
        {0x1404, L"zh-TW"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.wLanguage);
        CString strCode;
        LanguageCodeOf(c.wLanguage, strCode);
        EXPECT_STREQ(c.pszCode, strCode);
    }
}
