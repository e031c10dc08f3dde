// CTheUACBridgeFactory: the class object of TheUACBridge. One static instance; its references
// and server locks keep the library loaded.
#pragma once

#include <unknwn.h>

class CTheUACBridgeFactory final : public IClassFactory {
public:
    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override;
    STDMETHODIMP_(ULONG) AddRef() override;
    STDMETHODIMP_(ULONG) Release() override;
    STDMETHODIMP CreateInstance(IUnknown* pOuter, REFIID riid, void** ppv) override;
    STDMETHODIMP LockServer(BOOL fLock) override;
};
