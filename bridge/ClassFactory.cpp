#include "bridge/ClassFactory.h"

#include "bridge/TheUACBridge.h"
#include "bridge/VrxUACBridgeModule.h"

STDMETHODIMP CTheUACBridgeFactory::QueryInterface(REFIID riid, void** ppv) {
    if (!ppv) return E_POINTER;
    if (!IsEqualIID(riid, IID_IUnknown) && !IsEqualIID(riid, IID_IClassFactory)) {
        *ppv = nullptr;
        return E_NOINTERFACE;
    }
    *ppv = static_cast<IClassFactory*>(this);
    AddRef();
    return S_OK;
}

// The factory is static: its count is the module's.
STDMETHODIMP_(ULONG) CTheUACBridgeFactory::AddRef() {
    g_module.Lock();
    return 2;
}

STDMETHODIMP_(ULONG) CTheUACBridgeFactory::Release() {
    g_module.Unlock();
    return 1;
}

STDMETHODIMP CTheUACBridgeFactory::CreateInstance(IUnknown* pOuter, REFIID riid, void** ppv) {
    return CTheUACBridge::CreateInstance(pOuter, riid, ppv);
}

STDMETHODIMP CTheUACBridgeFactory::LockServer(BOOL fLock) {
    if (fLock) {
        g_module.Lock();
    } else {
        g_module.Unlock();
    }
    return S_OK;
}
