// The bridge object in the test's own process, created through the library's class object:
// what its three methods start and return, its dispatch support, aggregation and unloading.
#include "bridge/DlvUACBridge_h.h"
#include "fw/Bstr.h"
#include "fw/ComPtr.h"
#include "fw/Handle.h"
#include "tests/bridge/BridgeTestSupport.h"
#include "tests/common/ProgramRun.h"
#include "tests/fixtures/TempFolder.h"

#include <gtest/gtest.h>

#include <atomic>
#include <fstream>

namespace {

using PFN_GETCLASSOBJECT = HRESULT(STDAPICALLTYPE*)(REFCLSID, REFIID, void**);
using PFN_CANUNLOADNOW = HRESULT(STDAPICALLTYPE*)();

class BridgeObject : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(SUCCEEDED(CoInitializeEx(nullptr, COINIT_MULTITHREADED)));
        m_hModule.Reset(LoadLibraryW(BridgeDllPath()));
        ASSERT_TRUE(m_hModule);
        const auto pfnGetClassObject =
            reinterpret_cast<PFN_GETCLASSOBJECT>(GetProcAddress(m_hModule.Get(), "DllGetClassObject"));
        m_pfnCanUnloadNow = reinterpret_cast<PFN_CANUNLOADNOW>(GetProcAddress(m_hModule.Get(), "DllCanUnloadNow"));
        ASSERT_TRUE(pfnGetClassObject && m_pfnCanUnloadNow);
        ASSERT_EQ(S_OK, pfnGetClassObject(CLSID_TheUACBridge, IID_IClassFactory, m_pFactory.ReceiveVoid()));
        ASSERT_EQ(S_OK, m_pFactory->CreateInstance(nullptr, IID_ITheUACBridge, m_pBridge.ReceiveVoid()));
    }
    void TearDown() override {
        m_pBridge.Release();
        m_pFactory.Release();
        m_hModule.Reset();
        CoUninitialize();
    }

    HRESULT InstallApp(const wchar_t* pszProgram, const CString& strCmdLine, bool bWait) {
        const CBstr bstrProgram(pszProgram), bstrCmdLine(strCmdLine);
        return m_pBridge->InstallApp(bstrProgram.Get(), bstrCmdLine.Get(), bWait ? VARIANT_TRUE : VARIANT_FALSE);
    }
    HRESULT CheckFolderAccess(const std::wstring& strPath) {
        const CBstr bstrPath(strPath.c_str());
        return m_pBridge->CheckFolderAccess(bstrPath.Get());
    }

    CModule m_hModule;
    PFN_CANUNLOADNOW m_pfnCanUnloadNow = nullptr;
    CComPtr<IClassFactory> m_pFactory;
    CComPtr<ITheUACBridge> m_pBridge;
};

TEST_F(BridgeObject, InstallAppMapsTheInstallersExitCode) {
    const struct {
        DWORD dwExitCode;
        HRESULT hrExpected;
    } cases[] = {{0, 0}, {3010, 3010}, {1603, 1}, {1, 1}, {3011, 1}, {0x80004005, 1}};
    for (const auto& c : cases) {
        EXPECT_EQ(c.hrExpected, InstallApp(ExitWithPath(), ExitWithCmdLine(c.dwExitCode), true)) << c.dwExitCode;
    }
}

TEST_F(BridgeObject, InstallAppHandsTheCommandLineOverUnchanged) {
    CTempFolder folder;
    const CString strReport(folder.File(L"report.txt").c_str());
    // Blanks and quotes as an installer's parameters have them; nothing is added in front.
    const CString strCmdLine = ExitWithCmdLine(0, strReport) + L"  /s /f1\"C:\\Setup Files\\setup.iss\"";
    ASSERT_EQ(S_OK, InstallApp(ExitWithPath(), strCmdLine, true));
    const ExitWithReport report = ReadExitWithReport(strReport);
    ASSERT_TRUE(report.bRead);
    EXPECT_EQ(std::wstring(strCmdLine), report.strCmdLine);
    EXPECT_EQ(GetCurrentProcessId(), report.dwParentId);
}

TEST_F(BridgeObject, InstallAppWithoutWaitReturnsAtOnce) {
    CTempFolder folder;
    const CString strReport(folder.File(L"report.txt").c_str());
    const ULONGLONG nStart = GetTickCount64();
    // The installer would fail after three seconds; the caller learns nothing of it.
    EXPECT_EQ(S_OK, InstallApp(ExitWithPath(), ExitWithCmdLine(1603, strReport, 3000), false));
    EXPECT_LT(GetTickCount64() - nStart, 2000u);
    // It was started all the same.
    bool bReported = false;
    for (int i = 0; i < 100 && !bReported; ++i, Sleep(50)) bReported = ReadExitWithReport(strReport).bRead;
    EXPECT_TRUE(bReported);
}

TEST_F(BridgeObject, InstallAppOfAMissingProgramFails) {
    CTempFolder folder;
    const CString strMissing(folder.File(L"missing.exe").c_str());
    EXPECT_EQ(1, InstallApp(strMissing, L"missing.exe /s", true));
    EXPECT_EQ(1, InstallApp(strMissing, L"missing.exe /s", false));
    EXPECT_EQ(1, InstallApp(L"", L"", true));
}

TEST_F(BridgeObject, CheckFolderAccessCreatesAndRemovesATestFile) {
    CTempFolder folder;
    const std::wstring strProbe = folder.File(L"probe.tmp");
    EXPECT_EQ(S_OK, CheckFolderAccess(strProbe));
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesW(strProbe.c_str()));
}

TEST_F(BridgeObject, CheckFolderAccessFailsWhereNothingCanBeWritten) {
    CTempFolder folder;
    // Z:\proc is the Linux process file system: no file can be created there, not even by root.
    for (const std::wstring& strPath : {std::wstring(L"Z:\\proc\\dlv-probe.tmp"), folder.File(L"missing\\probe.tmp")}) {
        EXPECT_EQ(1, CheckFolderAccess(strPath)) << strPath;
        EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesW(strPath.c_str())) << strPath;
    }
}

TEST_F(BridgeObject, CheckFolderAccessLeavesAnExistingFileAlone) {
    CTempFolder folder;
    const std::wstring strFile = folder.File(L"keep.txt");
    std::ofstream(std::filesystem::path(strFile), std::ios::binary) << "kept";
    EXPECT_EQ(1, CheckFolderAccess(strFile));
    EXPECT_STREQ(L"kept", ReadFileText(strFile.c_str()));
}

TEST_F(BridgeObject, CallAppWaitsForTheProgramAndAlwaysGivesZero) {
    CTempFolder folder;
    const CString strReport(folder.File(L"report.txt").c_str());
    CString strParams;
    strParams.Format(L"5 \"%s\" 500", static_cast<const wchar_t*>(strReport));
    const CBstr bstrProgram(ExitWithPath()), bstrParams(strParams), bstrFolder(folder.Path().c_str());
    EXPECT_EQ(S_OK, m_pBridge->CallApp(bstrProgram.Get(), bstrParams.Get(), bstrFolder.Get()));
    EXPECT_TRUE(ReadExitWithReport(strReport).bRead);  // the program had ended

    const CBstr bstrMissing(folder.File(L"missing.exe").c_str()), bstrEmpty(L"");
    EXPECT_EQ(S_OK, m_pBridge->CallApp(bstrMissing.Get(), bstrEmpty.Get(), bstrEmpty.Get()));
}

TEST_F(BridgeObject, DispatchIdentifiersAndInvoke) {
    CComPtr<IDispatch> pDispatch;
    ASSERT_EQ(S_OK, m_pBridge->QueryInterface(IID_IDispatch, pDispatch.ReceiveVoid()));
    const struct {
        const wchar_t* pszName;
        DISPID id;
    } methods[] = {{L"InstallApp", 1}, {L"CallApp", 2}, {L"CheckFolderAccess", 3}};
    for (const auto& m : methods) {
        LPOLESTR pszName = const_cast<LPOLESTR>(m.pszName);
        DISPID id = 0;
        EXPECT_EQ(S_OK, pDispatch->GetIDsOfNames(IID_NULL, &pszName, 1, LOCALE_USER_DEFAULT, &id)) << m.pszName;
        EXPECT_EQ(m.id, id) << m.pszName;
    }

    CTempFolder folder;
    const std::wstring strProbe = folder.File(L"probe.tmp");
    VARIANT arg;
    VariantInit(&arg);
    arg.vt = VT_BSTR;
    arg.bstrVal = SysAllocString(strProbe.c_str());
    DISPPARAMS params = {&arg, nullptr, 1, 0};
    EXPECT_EQ(S_OK, pDispatch->Invoke(3, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &params, nullptr, nullptr,
                                      nullptr));
    VariantClear(&arg);
}

// An outer object that counts its references, aggregating the bridge.
class COuter final : public IUnknown {
public:
    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override {
        if (IsEqualIID(riid, IID_IUnknown)) {
            *ppv = this;
            AddRef();
            return S_OK;
        }
        return m_pInner ? m_pInner->QueryInterface(riid, ppv) : E_NOINTERFACE;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return ++m_nRefs; }
    STDMETHODIMP_(ULONG) Release() override { return --m_nRefs; }

    std::atomic<ULONG> m_nRefs{1};
    CComPtr<IUnknown> m_pInner;
};

TEST_F(BridgeObject, CanBeAggregated) {
    COuter outer;
    EXPECT_EQ(CLASS_E_NOAGGREGATION, m_pFactory->CreateInstance(&outer, IID_ITheUACBridge, outer.m_pInner.ReceiveVoid()));
    ASSERT_EQ(S_OK, m_pFactory->CreateInstance(&outer, IID_IUnknown, outer.m_pInner.ReceiveVoid()));
    {
        // The interface of the inner object counts on, and answers for, the outer object.
        CComPtr<ITheUACBridge> pBridge;
        ASSERT_EQ(S_OK, outer.QueryInterface(IID_ITheUACBridge, pBridge.ReceiveVoid()));
        EXPECT_EQ(2u, outer.m_nRefs.load());
        CComPtr<IUnknown> pUnknown;
        ASSERT_EQ(S_OK, pBridge->QueryInterface(IID_IUnknown, pUnknown.ReceiveVoid()));
        EXPECT_EQ(static_cast<IUnknown*>(&outer), pUnknown.Get());
    }
    EXPECT_EQ(1u, outer.m_nRefs.load());
    outer.m_pInner.Release();
}

TEST_F(BridgeObject, LibraryCanUnloadOnlyWithoutObjects) {
    EXPECT_EQ(S_FALSE, m_pfnCanUnloadNow());
    m_pBridge.Release();
    EXPECT_EQ(S_FALSE, m_pfnCanUnloadNow());  // the class object is still held
    m_pFactory.Release();
    EXPECT_EQ(S_OK, m_pfnCanUnloadNow());

    const auto pfnGetClassObject =
        reinterpret_cast<PFN_GETCLASSOBJECT>(GetProcAddress(m_hModule.Get(), "DllGetClassObject"));
    CComPtr<IClassFactory> pOther;
    EXPECT_EQ(CLASS_E_CLASSNOTAVAILABLE, pfnGetClassObject(IID_ITheUACBridge, IID_IClassFactory, pOther.ReceiveVoid()));
}

}  // namespace
