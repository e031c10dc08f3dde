#include "bridge/TheUACBridge.h"

#include "bridge/VrxUACBridgeModule.h"
#include "fw/Handle.h"

#include <shellapi.h>

#include <new>
#include <vector>

namespace {

// Results of the methods: HRESULTs with the severity bit clear.
const HRESULT BRIDGE_FAILED = 1;
const HRESULT BRIDGE_REBOOT_REQUIRED = ERROR_SUCCESS_REBOOT_REQUIRED;  // 3010

const wchar_t* TextOrEmpty(BSTR bstr) {
    return bstr ? bstr : L"";
}

}  // namespace

HRESULT CTheUACBridge::CreateInstance(IUnknown* pOuter, REFIID riid, void** ppv) {
    if (!ppv) return E_POINTER;
    *ppv = nullptr;
    if (pOuter && !IsEqualIID(riid, IID_IUnknown)) return CLASS_E_NOAGGREGATION;
    CTheUACBridge* pObject = new (std::nothrow) CTheUACBridge(pOuter);
    if (!pObject) return E_OUTOFMEMORY;
    // The reference held during the query keeps the object alive if the query fails.
    pObject->m_inner.AddRef();
    const HRESULT hr = pObject->m_inner.QueryInterface(riid, ppv);
    pObject->m_inner.Release();
    return hr;
}

CTheUACBridge::CTheUACBridge(IUnknown* pOuter) : m_pControl(pOuter ? pOuter : &m_inner) {
    g_module.Lock();
}

CTheUACBridge::~CTheUACBridge() {
    g_module.Unlock();
}

STDMETHODIMP CTheUACBridge::CInnerUnknown::QueryInterface(REFIID riid, void** ppv) {
    if (!ppv) return E_POINTER;
    if (IsEqualIID(riid, IID_IUnknown)) {
        *ppv = static_cast<IUnknown*>(this);
    } else if (IsEqualIID(riid, IID_IDispatch) || IsEqualIID(riid, IID_ITheUACBridge)) {
        *ppv = static_cast<ITheUACBridge*>(m_pOwner);
    } else {
        *ppv = nullptr;
        return E_NOINTERFACE;
    }
    static_cast<IUnknown*>(*ppv)->AddRef();
    return S_OK;
}

STDMETHODIMP_(ULONG) CTheUACBridge::CInnerUnknown::AddRef() {
    return ++m_nRefs;
}

STDMETHODIMP_(ULONG) CTheUACBridge::CInnerUnknown::Release() {
    const ULONG nRefs = --m_nRefs;
    if (nRefs == 0) delete m_pOwner;
    return nRefs;
}

STDMETHODIMP CTheUACBridge::GetTypeInfoCount(UINT* pctinfo) {
    if (!pctinfo) return E_POINTER;
    *pctinfo = 1;
    return S_OK;
}

STDMETHODIMP CTheUACBridge::GetTypeInfo(UINT iTInfo, LCID, ITypeInfo** ppTInfo) {
    if (!ppTInfo) return E_POINTER;
    *ppTInfo = nullptr;
    if (iTInfo != 0) return DISP_E_BADINDEX;
    CComPtr<ITypeInfo> pTypeInfo;
    const HRESULT hr = g_module.LoadTypeInfo(pTypeInfo);
    if (FAILED(hr)) return hr;
    *ppTInfo = pTypeInfo.Get();
    (*ppTInfo)->AddRef();
    return S_OK;
}

STDMETHODIMP CTheUACBridge::GetIDsOfNames(REFIID riid, LPOLESTR* rgszNames, UINT cNames, LCID, DISPID* rgDispId) {
    if (!IsEqualIID(riid, IID_NULL)) return DISP_E_UNKNOWNINTERFACE;
    CComPtr<ITypeInfo> pTypeInfo;
    const HRESULT hr = g_module.LoadTypeInfo(pTypeInfo);
    if (FAILED(hr)) return hr;
    return DispGetIDsOfNames(pTypeInfo.Get(), rgszNames, cNames, rgDispId);
}

STDMETHODIMP CTheUACBridge::Invoke(DISPID dispIdMember, REFIID riid, LCID, WORD wFlags, DISPPARAMS* pDispParams,
                                   VARIANT* pVarResult, EXCEPINFO* pExcepInfo, UINT* puArgErr) {
    if (!IsEqualIID(riid, IID_NULL)) return DISP_E_UNKNOWNINTERFACE;
    CComPtr<ITypeInfo> pTypeInfo;
    const HRESULT hr = g_module.LoadTypeInfo(pTypeInfo);
    if (FAILED(hr)) return hr;
    return DispInvoke(static_cast<ITheUACBridge*>(this), pTypeInfo.Get(), dispIdMember, wFlags, pDispParams,
                      pVarResult, pExcepInfo, puArgErr);
}

STDMETHODIMP CTheUACBridge::InstallApp(BSTR sInstallPath, BSTR sIssPath, VARIANT_BOOL bWait) {
    // The command line is the new process's whole command line; the call may change the buffer.
    const wchar_t* pszCmdLine = TextOrEmpty(sIssPath);
    std::vector<wchar_t> cmdLine(pszCmdLine, pszCmdLine + wcslen(pszCmdLine) + 1);
    STARTUPINFOW si = {};
    si.cb = sizeof(si);
    si.dwFlags = STARTF_USESHOWWINDOW;
    si.wShowWindow = SW_SHOW;
    PROCESS_INFORMATION pi = {};
    if (!CreateProcessW(TextOrEmpty(sInstallPath), cmdLine.data(), nullptr, nullptr, TRUE, NORMAL_PRIORITY_CLASS,
                        nullptr, nullptr, &si, &pi)) {
        return BRIDGE_FAILED;
    }
    CloseHandle(pi.hThread);
    const CHandle hProcess(pi.hProcess);
    if (bWait == VARIANT_FALSE) return S_OK;

    DWORD dwExitCode = 0;
    if (WaitForSingleObject(hProcess.Get(), INFINITE) != WAIT_OBJECT_0 ||
        !GetExitCodeProcess(hProcess.Get(), &dwExitCode)) {
        return BRIDGE_FAILED;
    }
    if (dwExitCode == 0) return S_OK;
    if (dwExitCode == ERROR_SUCCESS_REBOOT_REQUIRED) return BRIDGE_REBOOT_REQUIRED;
    return BRIDGE_FAILED;
}

STDMETHODIMP CTheUACBridge::CallApp(BSTR sAppPath, BSTR bsCmdLine, BSTR sAppFolder) {
    SHELLEXECUTEINFOW sei = {};
    sei.cbSize = sizeof(sei);
    sei.fMask = SEE_MASK_NOCLOSEPROCESS | SEE_MASK_FLAG_NO_UI;
    sei.lpFile = TextOrEmpty(sAppPath);
    sei.lpParameters = TextOrEmpty(bsCmdLine);
    sei.lpDirectory = sAppFolder && *sAppFolder ? sAppFolder : nullptr;  // none: the bridge's own folder
    sei.nShow = SW_HIDE;
    if (ShellExecuteExW(&sei) && sei.hProcess) {
        const CHandle hProcess(sei.hProcess);
        WaitForSingleObject(hProcess.Get(), INFINITE);
    }
    return S_OK;
}

STDMETHODIMP CTheUACBridge::CheckFolderAccess(BSTR sFolderPath) {
    // CREATE_NEW: a file that already has the name is neither replaced nor deleted.
    const CHandle hFile(CreateFileW(TextOrEmpty(sFolderPath), GENERIC_READ | GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                    FILE_ATTRIBUTE_NORMAL | FILE_FLAG_DELETE_ON_CLOSE, nullptr));
    return hFile ? S_OK : BRIDGE_FAILED;
}
