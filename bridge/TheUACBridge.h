// CTheUACBridge: the bridge object. Its methods start programs with the rights of the process
// it lives in (the elevated surrogate) and report their outcome as plain numbers. It keeps no
// state between calls, so any number of threads may call it at once; it can be aggregated.
#pragma once

#include "bridge/DlvUACBridge_h.h"

#include <atomic>

class CTheUACBridge final : public ITheUACBridge {
public:
    // Creates an object and asks it for riid. With pOuter the object is aggregated, and riid
    // must be IID_IUnknown (its own, non-delegating unknown is handed out).
    static HRESULT CreateInstance(IUnknown* pOuter, REFIID riid, void** ppv);

    // IUnknown: delegated to the controlling unknown (the object's own when not aggregated).
    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override { return m_pControl->QueryInterface(riid, ppv); }
    STDMETHODIMP_(ULONG) AddRef() override { return m_pControl->AddRef(); }
    STDMETHODIMP_(ULONG) Release() override { return m_pControl->Release(); }

    // IDispatch over the type library's description of ITheUACBridge.
    STDMETHODIMP GetTypeInfoCount(UINT* pctinfo) override;
    STDMETHODIMP GetTypeInfo(UINT iTInfo, LCID lcid, ITypeInfo** ppTInfo) override;
    STDMETHODIMP GetIDsOfNames(REFIID riid, LPOLESTR* rgszNames, UINT cNames, LCID lcid, DISPID* rgDispId) override;
    STDMETHODIMP Invoke(DISPID dispIdMember, REFIID riid, LCID lcid, WORD wFlags, DISPPARAMS* pDispParams,
                        VARIANT* pVarResult, EXCEPINFO* pExcepInfo, UINT* puArgErr) override;

    // ITheUACBridge. Results: InstallApp 0, 3010 or 1; CallApp 0; CheckFolderAccess 0 or 1.
    STDMETHODIMP InstallApp(BSTR sInstallPath, BSTR sIssPath, VARIANT_BOOL bWait) override;
    STDMETHODIMP CallApp(BSTR sAppPath, BSTR bsCmdLine, BSTR sAppFolder) override;
    STDMETHODIMP CheckFolderAccess(BSTR sFolderPath) override;

private:
    // The object's own unknown: it counts the references and answers for the interfaces.
    class CInnerUnknown final : public IUnknown {
    public:
        explicit CInnerUnknown(CTheUACBridge* pOwner) : m_pOwner(pOwner) {}
        STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override;
        STDMETHODIMP_(ULONG) AddRef() override;
        STDMETHODIMP_(ULONG) Release() override;

    private:
        CTheUACBridge* m_pOwner;
        std::atomic<ULONG> m_nRefs{0};
    };

    explicit CTheUACBridge(IUnknown* pOuter);
    ~CTheUACBridge();

    CInnerUnknown m_inner{this};
    IUnknown* m_pControl;  // the outer object's unknown when aggregated, not counted
};
