// CVrxUACBridgeModule: the bridge library as a COM server module. It counts the live objects
// and server locks (the library may be unloaded when none are left), registers and
// unregisters the class from the library's own registry scripts and type library, and loads
// the interface's type information for the objects' dispatch support.
#pragma once

#include "fw/ComPtr.h"

#include <oaidl.h>

#include <atomic>
#include <string>

class CVrxUACBridgeModule {
public:
    void Init(HINSTANCE hInstance) { m_hInstance = hInstance; }

    void Lock() { ++m_nLocks; }
    void Unlock() { --m_nLocks; }
    bool CanUnload() const { return m_nLocks == 0; }

    HRESULT RegisterServer() const;
    HRESULT UnregisterServer() const;

    // The type information of ITheUACBridge from the library's embedded type library.
    HRESULT LoadTypeInfo(CComPtr<ITypeInfo>& pTypeInfo) const;

private:
    std::wstring ModulePath() const;
    // Registry script resource nId as text; empty when it is missing.
    std::wstring LoadScript(UINT nId) const;

    HINSTANCE m_hInstance = nullptr;
    std::atomic<long> m_nLocks{0};
};

extern CVrxUACBridgeModule g_module;
