// The elevation bridge library's entry points: the four self-registration and class-object
// functions a COM server exports.
#include "bridge/ClassFactory.h"
#include "bridge/DlvUACBridge_h.h"
#include "bridge/VrxUACBridgeModule.h"

namespace {
CTheUACBridgeFactory g_factory;
}

BOOL WINAPI DllMain(HINSTANCE hInstance, DWORD dwReason, LPVOID) {
    if (dwReason == DLL_PROCESS_ATTACH) {
        g_module.Init(hInstance);
        DisableThreadLibraryCalls(hInstance);
    }
    return TRUE;
}

STDAPI DllCanUnloadNow() {
    return g_module.CanUnload() ? S_OK : S_FALSE;
}

STDAPI DllGetClassObject(REFCLSID rclsid, REFIID riid, void** ppv) {
    if (!ppv) return E_POINTER;
    *ppv = nullptr;
    if (!IsEqualCLSID(rclsid, CLSID_TheUACBridge)) return CLASS_E_CLASSNOTAVAILABLE;
    return g_factory.QueryInterface(riid, ppv);
}

STDAPI DllRegisterServer() {
    return g_module.RegisterServer();
}

STDAPI DllUnregisterServer() {
    return g_module.UnregisterServer();
}
