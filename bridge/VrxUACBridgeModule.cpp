#include "bridge/VrxUACBridgeModule.h"

#include "bridge/DlvUACBridge_h.h"
#include "bridge/RegistryScript.h"
#include "bridge/resource.h"

#include <vector>

CVrxUACBridgeModule g_module;

namespace {

const wchar_t kAppId[] = L"{CC03F7E7-69FE-4AC9-AF14-3FBAD5904289}";
const wchar_t kTypeLibKey[] = L"TypeLib\\{E209E33F-776A-4872-ACCF-29120C1177E9}\\1.0";

#ifdef _WIN64
const SYSKIND kSysKind = SYS_WIN64;
#else
const SYSKIND kSysKind = SYS_WIN32;
#endif

}  // namespace

std::wstring CVrxUACBridgeModule::ModulePath() const {
    std::vector<wchar_t> buffer(MAX_PATH);
    for (;;) {
        const DWORD nLength = GetModuleFileNameW(m_hInstance, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (nLength == 0) return std::wstring();
        if (nLength < buffer.size()) return std::wstring(buffer.data(), nLength);
        buffer.resize(buffer.size() * 2);
    }
}

std::wstring CVrxUACBridgeModule::LoadScript(UINT nId) const {
    const HRSRC hInfo = FindResourceW(m_hInstance, MAKEINTRESOURCEW(nId), L"REGISTRY");
    const HGLOBAL hData = hInfo ? LoadResource(m_hInstance, hInfo) : nullptr;
    const char* pText = hData ? static_cast<const char*>(LockResource(hData)) : nullptr;
    const int nBytes = pText ? static_cast<int>(SizeofResource(m_hInstance, hInfo)) : 0;
    if (nBytes <= 0) return std::wstring();
    std::wstring strText(MultiByteToWideChar(CP_UTF8, 0, pText, nBytes, nullptr, 0), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, pText, nBytes, strText.data(), static_cast<int>(strText.size()));
    return strText;
}

HRESULT CVrxUACBridgeModule::RegisterServer() const {
    const CRegistryScript::Replacements replacements = {{L"MODULE", ModulePath()}, {L"APPID", kAppId}};
    for (const UINT nId : {IDR_VRXUACBRIDGE, IDR_THEUACBRIDGE}) {
        const HRESULT hr = CRegistryScript(LoadScript(nId), replacements).Register();
        if (FAILED(hr)) return hr;
    }
    CComPtr<ITypeLib> pTypeLib;
    return LoadTypeLibEx(ModulePath().c_str(), REGKIND_REGISTER, pTypeLib.Receive());
}

HRESULT CVrxUACBridgeModule::UnregisterServer() const {
    const CRegistryScript::Replacements replacements = {{L"MODULE", ModulePath()}, {L"APPID", kAppId}};
    HRESULT hrResult = S_OK;
    for (const UINT nId : {IDR_THEUACBRIDGE, IDR_VRXUACBRIDGE}) {
        const HRESULT hr = CRegistryScript(LoadScript(nId), replacements).Unregister();
        if (FAILED(hr) && SUCCEEDED(hrResult)) hrResult = hr;
    }
    // A type library that is not registered (any more) is nothing to remove.
    HKEY hKeyRaw = nullptr;
    if (RegOpenKeyExW(HKEY_CLASSES_ROOT, kTypeLibKey, 0, KEY_READ, &hKeyRaw) != ERROR_SUCCESS) return hrResult;
    RegCloseKey(hKeyRaw);
    const HRESULT hr = UnRegisterTypeLib(LIBID_VrxUACBridgeLib, 1, 0, LOCALE_NEUTRAL, kSysKind);
    return FAILED(hr) && SUCCEEDED(hrResult) ? hr : hrResult;
}

HRESULT CVrxUACBridgeModule::LoadTypeInfo(CComPtr<ITypeInfo>& pTypeInfo) const {
    CComPtr<ITypeLib> pTypeLib;
    const HRESULT hr = LoadTypeLibEx(ModulePath().c_str(), REGKIND_NONE, pTypeLib.Receive());
    if (FAILED(hr)) return hr;
    return pTypeLib->GetTypeInfoOfGuid(IID_ITheUACBridge, pTypeInfo.Receive());
}
