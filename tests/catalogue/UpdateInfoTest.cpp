// The update item record: defaults, reset, and the setup list shared between copies.
#include "catalogue/UpdateInfo.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

void ExpectDefaults(const CUpdateInfo& info) {
    EXPECT_EQ(1, info.m_bChecked);
    EXPECT_EQ(1, info.m_bOffered);
    EXPECT_EQ(1, info.m_nProgressSteps);
    EXPECT_EQ(0, info.m_tmPubDate.GetTime());
    EXPECT_EQ(0, info.m_tmDelDate.GetTime());
    EXPECT_EQ(0, info.m_nSize);
    EXPECT_EQ(0, info.m_nInstallSize);
    EXPECT_EQ(0, info.m_nDisplaySize);
    EXPECT_EQ(ITEM_WAITING, info.m_nProcState);
    EXPECT_EQ(STATUSFLAG_NONE, info.m_nStatus);
    EXPECT_EQ(0, info.m_nSilentMode);
    EXPECT_EQ(0, info.m_nAutoPlay);
    EXPECT_EQ(0, info.m_bNeedReboot);
    EXPECT_EQ(0, info.m_nForceReboot);
    EXPECT_FALSE(info.m_pSetupList);
    for (const CString* pText : {&info.m_strID, &info.m_strTitle, &info.m_strVersion, &info.m_strDescription,
                                 &info.m_strModule, &info.m_strTargetMinVersion, &info.m_strParent, &info.m_strWebPage}) {
        EXPECT_TRUE(pText->IsEmpty());
    }
}

std::shared_ptr<CArray<_SetupInfo>> SetupList(const wchar_t* pszCmd) {
    auto pList = std::make_shared<CArray<_SetupInfo>>();
    pList->Add({pszCmd, L"/quiet"});
    return pList;
}

}  // namespace

TEST(UpdateInfo, StartsAndResetsToItsDefaults) {
    CUpdateInfo info;
    ExpectDefaults(info);

    info.SetID(L"A");
    info.SetTitle(L"Driver");
    info.SetTargetMinVersion(L"-1.-1.-1.-1");
    info.m_bChecked = 0;
    info.m_nSize = -1;
    info.m_nInstallSize = 5;
    info.m_tmPubDate = CTime(2013, 1, 1, 0, 0, 0);
    info.m_nStatus = STATUSFLAG_ERROR;
    info.m_nProcState = ITEM_INSTALL_FAILED;
    info.m_pSetupList = SetupList(L"setup.exe");
    EXPECT_STREQ(L"Driver", info.GetTitle());
    info.Init();
    ExpectDefaults(info);

    info.SetWebPage(L"http://form");
    info.m_bOffered = 0;
    info.Clear();
    ExpectDefaults(info);
}

TEST(UpdateInfo, CopiesShareOneSetupListThatLivesAsLongAsAnyCopyRefersToIt) {
    CUpdateInfo original;
    original.SetID(L"A");
    original.m_pSetupList = SetupList(L"first.exe");
    std::weak_ptr<CArray<_SetupInfo>> pWatch = original.m_pSetupList;

    CArray<CUpdateInfo> arrList;
    arrList.Add(original);
    CUpdateInfo copy = arrList[0];
    copy.m_bChecked = 0;
    arrList.SetAt(0, copy);  // copied out, changed, copied back
    EXPECT_EQ(original.m_pSetupList, arrList[0].m_pSetupList);
    EXPECT_EQ(1, original.m_bChecked);

    // A change through one copy is seen by all of them.
    copy.m_pSetupList->Add({L"second.exe", L""});
    EXPECT_EQ(2, original.m_pSetupList->GetSize());
    EXPECT_STREQ(L"second.exe", arrList[0].m_pSetupList->GetAt(1).strSetupCmd);

    original.Init();
    copy.Clear();
    ASSERT_FALSE(pWatch.expired());
    EXPECT_STREQ(L"first.exe", arrList[0].m_pSetupList->GetAt(0).strSetupCmd);

    // Replacing the list in the last copy releases it.
    arrList[0].m_pSetupList = SetupList(L"other.exe");
    EXPECT_TRUE(pWatch.expired());
}
