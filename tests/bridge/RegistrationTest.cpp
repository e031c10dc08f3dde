// Registration of DlvUACBridge.dll through regsvr32, read back from the prefix's registry.
#include "tests/bridge/BridgeTestSupport.h"

#include <gtest/gtest.h>

namespace {

const wchar_t kClsidKey[] = L"CLSID\\{F0DFB03D-0479-44F9-A954-367AFB344379}";
const wchar_t kAppIdKey[] = L"AppID\\{CC03F7E7-69FE-4AC9-AF14-3FBAD5904289}";
const wchar_t kAppId[] = L"{CC03F7E7-69FE-4AC9-AF14-3FBAD5904289}";
const wchar_t kClsid[] = L"{F0DFB03D-0479-44F9-A954-367AFB344379}";

class Registration : public testing::Test {
protected:
    void TearDown() override { RunRegsvr32(true); }
};

TEST_F(Registration, WritesTheKeysAndValues) {
    ASSERT_EQ(0, RunRegsvr32(false));
    const std::wstring strModule = static_cast<const wchar_t*>(BridgeDllPath());
    const std::wstring strClsidSub = std::wstring(kClsidKey) + L"\\";
    struct Expected {
        std::wstring strKey;
        const wchar_t* pszValue;
        std::wstring strData;
    };
    const Expected expected[] = {
        {kAppIdKey, nullptr, L"DlvUACBridge"},
        {kAppIdKey, L"DllSurrogate", L""},
        {L"AppID\\DlvUACBridge.DLL", L"AppID", kAppId},
        {L"DlvUACBridge.TheUACBridge.1", nullptr, L"TheUACBridge Class"},
        {L"DlvUACBridge.TheUACBridge.1\\CLSID", nullptr, kClsid},
        {L"DlvUACBridge.TheUACBridge", nullptr, L"TheUACBridge Class"},
        {L"DlvUACBridge.TheUACBridge\\CLSID", nullptr, kClsid},
        {L"DlvUACBridge.TheUACBridge\\CurVer", nullptr, L"DlvUACBridge.TheUACBridge.1"},
        {kClsidKey, nullptr, L"TheUACBridge Class"},
        {strClsidSub + L"ProgID", nullptr, L"DlvUACBridge.TheUACBridge.1"},
        {strClsidSub + L"VersionIndependentProgID", nullptr, L"DlvUACBridge.TheUACBridge"},
        {strClsidSub + L"InprocServer32", nullptr, strModule},
        {strClsidSub + L"InprocServer32", L"ThreadingModel", L"Both"},
        {kClsidKey, L"AppID", kAppId},
        {strClsidSub + L"TypeLib", nullptr, L"{E209E33F-776A-4872-ACCF-29120C1177E9}"},
        {kClsidKey, L"LocalizedString", L"@" + strModule + L",-101"},
    };
    for (const Expected& e : expected) {
        std::wstring strData;
        EXPECT_TRUE(ReadString(e.strKey.c_str(), e.pszValue, strData)) << e.strKey << " " << (e.pszValue ? e.pszValue : L"");
        EXPECT_EQ(e.strData, strData) << e.strKey;
    }
    EXPECT_TRUE(KeyExists((strClsidSub + L"Programmable").c_str()));
    DWORD dwEnabled = 0;
    EXPECT_TRUE(ReadDword((strClsidSub + L"Elevation").c_str(), L"Enabled", dwEnabled));
    EXPECT_EQ(1u, dwEnabled);
    // The type library is registered too: the interface is marshalled from its description.
    EXPECT_TRUE(KeyExists(L"TypeLib\\{E209E33F-776A-4872-ACCF-29120C1177E9}\\1.0"));
    EXPECT_TRUE(KeyExists(L"Interface\\{D71B405D-B256-40E0-8F92-216913DC5345}"));
}

TEST_F(Registration, ReplacesTheClassKeyAsAWhole) {
    ASSERT_EQ(0, RunRegsvr32(false));
    const std::wstring strStale = std::wstring(kClsidKey) + L"\\LocalServer32";
    ASSERT_EQ(ERROR_SUCCESS, RegSetKeyValueW(HKEY_CLASSES_ROOT, strStale.c_str(), nullptr, REG_SZ, L"x", 4));
    ASSERT_EQ(0, RunRegsvr32(false));
    EXPECT_FALSE(KeyExists(strStale.c_str()));
    EXPECT_TRUE(KeyExists((std::wstring(kClsidKey) + L"\\InprocServer32").c_str()));
}

TEST_F(Registration, UnregistrationRemovesTheEntriesAndKeepsTheParents) {
    ASSERT_EQ(0, RunRegsvr32(false));
    ASSERT_EQ(0, RunRegsvr32(true));
    for (const wchar_t* pszKey : {kClsidKey, kAppIdKey, L"AppID\\DlvUACBridge.DLL", L"DlvUACBridge.TheUACBridge",
                                  L"DlvUACBridge.TheUACBridge.1", L"TypeLib\\{E209E33F-776A-4872-ACCF-29120C1177E9}"}) {
        EXPECT_FALSE(KeyExists(pszKey)) << pszKey;
    }
    EXPECT_TRUE(KeyExists(L"AppID"));
    EXPECT_TRUE(KeyExists(L"CLSID"));
    // A second removal finds nothing to remove and still succeeds.
    EXPECT_EQ(0, RunRegsvr32(true));
}

}  // namespace
