#include "app/XmlReaderLimits.h"


#include <atomic>
#include <cstddef>
#include <cstdlib>
#include <new>

namespace {

// An IMalloc that refuses to hand out more than a fixed total. Each block carries its
// size in front of it, so frees and reallocations keep the running total right.
class CCappedMalloc final : public IMalloc {
public:
    explicit CCappedMalloc(SIZE_T nCap) : m_nCap(nCap) {}

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** ppv) override {
        if (!ppv) return E_POINTER;
        if (iid == __uuidof(IUnknown) || iid == __uuidof(IMalloc)) {
            *ppv = static_cast<IMalloc*>(this);
            AddRef();
            return S_OK;
        }
        *ppv = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(++m_nRef); }
    ULONG STDMETHODCALLTYPE Release() override {
        const LONG nRef = --m_nRef;
        if (nRef == 0) delete this;
        return static_cast<ULONG>(nRef);
    }

    void* STDMETHODCALLTYPE Alloc(SIZE_T cb) override {
        if (!Reserve(cb)) return nullptr;
        auto* pHeader = static_cast<SIZE_T*>(std::malloc(cb + kHeader));
        if (!pHeader) {
            m_nUsed -= cb;
            return nullptr;
        }
        *pHeader = cb;
        return reinterpret_cast<char*>(pHeader) + kHeader;
    }
    void* STDMETHODCALLTYPE Realloc(void* pv, SIZE_T cb) override {
        if (!pv) return Alloc(cb);
        if (cb == 0) {
            Free(pv);
            return nullptr;
        }
        SIZE_T* pHeader = HeaderOf(pv);
        const SIZE_T cbOld = *pHeader;
        if (cb > cbOld && !Reserve(cb - cbOld)) return nullptr;
        auto* pNew = static_cast<SIZE_T*>(std::realloc(pHeader, cb + kHeader));
        if (!pNew) {
            if (cb > cbOld) m_nUsed -= cb - cbOld;
            return nullptr;
        }
        if (cb < cbOld) m_nUsed -= cbOld - cb;
        *pNew = cb;
        return reinterpret_cast<char*>(pNew) + kHeader;
    }
    void STDMETHODCALLTYPE Free(void* pv) override {
        if (!pv) return;
        SIZE_T* pHeader = HeaderOf(pv);
        m_nUsed -= *pHeader;
        std::free(pHeader);
    }
    SIZE_T STDMETHODCALLTYPE GetSize(void* pv) override { return pv ? *HeaderOf(pv) : static_cast<SIZE_T>(-1); }
    int STDMETHODCALLTYPE DidAlloc(void* pv) override { return pv ? -1 : 0; }
    void STDMETHODCALLTYPE HeapMinimize() override {}

private:
    // Keeps the blocks aligned as malloc's own.
    static constexpr SIZE_T kHeader = alignof(std::max_align_t);

    static SIZE_T* HeaderOf(void* pv) { return reinterpret_cast<SIZE_T*>(static_cast<char*>(pv) - kHeader); }
    bool Reserve(SIZE_T cb) {
        if (cb > m_nCap) return false;
        const SIZE_T nBefore = m_nUsed.fetch_add(cb);
        if (nBefore + cb <= m_nCap) return true;
        m_nUsed -= cb;
        return false;
    }

    const SIZE_T m_nCap;
    std::atomic<SIZE_T> m_nUsed{0};
    std::atomic<LONG> m_nRef{1};
};

}  // namespace

HRESULT CLimitedXmlReader::Create() {
    m_pReader.Release();
    m_pMalloc.Attach(new (std::nothrow) CCappedMalloc(kXmlMaxReaderMemory));
    if (!m_pMalloc) return E_OUTOFMEMORY;
    HRESULT hr = CreateXmlReader(__uuidof(IXmlReader), m_pReader.ReceiveVoid(),
                                 m_pMalloc.Get());
    if (FAILED(hr)) return hr;
    hr = m_pReader->SetProperty(XmlReaderProperty_DtdProcessing, DtdProcessing_Prohibit);
    if (SUCCEEDED(hr)) hr = m_pReader->SetProperty(XmlReaderProperty_MaxElementDepth, kXmlMaxElementDepth);
    if (FAILED(hr)) m_pReader.Release();
    return hr;
}

HRESULT CLimitedXmlReader::SetInput(IStream* pStream) {
    CComPtr<IUnknown> pInput;
    const HRESULT hr = CreateInput(pStream, pInput);
    if (FAILED(hr)) return hr;
    return AttachInput(pInput.Get());
}

HRESULT CLimitedXmlReader::CreateInput(IStream* pStream, CComPtr<IUnknown>& pInput) {
    pInput.Release();
    if (!m_pReader) return E_UNEXPECTED;
    STATSTG stat = {};
    if (SUCCEEDED(pStream->Stat(&stat, STATFLAG_NONAME)) && stat.cbSize.QuadPart > kXmlMaxInputBytes) {
        return HRESULT_FROM_WIN32(ERROR_FILE_TOO_LARGE);
    }
    return CreateXmlReaderInputWithEncodingName(pStream, m_pMalloc.Get(), L"utf-8", FALSE, nullptr,
                                                pInput.Receive());
}

HRESULT CLimitedXmlReader::AttachInput(IUnknown* pInput) {
    if (!m_pReader) return E_UNEXPECTED;
    return m_pReader->SetInput(pInput);
}
