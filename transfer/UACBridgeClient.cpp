#include "transfer/UACBridgeClient.h"

#include "app/Trace.h"
#include "app/support/VrxCommon.h"
#include "fw/Handle.h"

#include <objbase.h>

namespace {

const wchar_t kSource[] = L"HttpDownload";

bool IsProcessElevated() {
    HANDLE hTokenRaw = nullptr;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &hTokenRaw)) return false;
    const CHandle hToken(hTokenRaw);
    TOKEN_ELEVATION elevation = {};
    DWORD dwSize = 0;
    return GetTokenInformation(hToken.Get(), TokenElevation, &elevation, sizeof(elevation), &dwSize) &&
           elevation.TokenIsElevated != 0;
}

// The moniker name itself is not understood here (no elevation moniker on this system).
bool IsMonikerUnavailable(HRESULT hr) {
    return hr == MK_E_CANTOPENFILE || hr == MK_E_SYNTAX || hr == MK_E_UNAVAILABLE;
}

HRESULT CreateLocalServer(CComPtr<ITheUACBridge>& pBridge) {
    return CoCreateInstance(CLSID_TheUACBridge, nullptr, CLSCTX_LOCAL_SERVER, IID_ITheUACBridge,
                            pBridge.ReceiveVoid());
}

}  // namespace

HRESULT CreateUACBridge(HWND hOwnerWnd, CComPtr<ITheUACBridge>& pBridge) {
    DLV_TRACE_SCOPE(kSource, L"CreateUACBridge");
    CString strVersion;
    GetOSVersionString(strVersion);
    if (strVersion == L"5.1" || strVersion == L"5.2") return CreateLocalServer(pBridge);

    wchar_t szClsid[50] = {};
    StringFromGUID2(CLSID_TheUACBridge, szClsid, ARRAYSIZE(szClsid));
    CString strMoniker;
    strMoniker.Format(L"Elevation:Administrator!new:%s", szClsid);
    // sizeof: the structure is larger in 64-bit code than its 36 bytes in 32-bit code.
    BIND_OPTS3 bindOpts = {};
    bindOpts.cbStruct = sizeof(bindOpts);
    bindOpts.dwClassContext = CLSCTX_LOCAL_SERVER;
    bindOpts.hwnd = hOwnerWnd;
    const HRESULT hr = CoGetObject(strMoniker, &bindOpts, IID_ITheUACBridge, pBridge.ReceiveVoid());
    if (!IsMonikerUnavailable(hr) || !IsProcessElevated()) return hr;

    CString strText;
    strText.Format(L"Warning:CreateUACBridge: elevation moniker not available (0x%08X), the process is elevated: "
                   L"creating the bridge as a local server.",
                   static_cast<unsigned>(hr));
    DLV_LOG(kSource, LOG_LEVEL_TRACE, strText);
    return CreateLocalServer(pBridge);
}
