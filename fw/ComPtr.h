// CComPtr: owner of one COM interface pointer. It holds one reference and releases it when
// it goes out of scope or is reset; copies add a reference of their own.
#pragma once

#include <unknwn.h>

#include <utility>

template <typename T>
class CComPtr {
public:
    CComPtr() = default;
    CComPtr(const CComPtr& other) : m_p(other.m_p) {
        if (m_p) m_p->AddRef();
    }
    CComPtr(CComPtr&& other) noexcept : m_p(std::exchange(other.m_p, nullptr)) {}
    ~CComPtr() { Release(); }
    CComPtr& operator=(CComPtr other) noexcept {
        std::swap(m_p, other.m_p);
        return *this;
    }

    T* Get() const { return m_p; }
    T* operator->() const { return m_p; }
    explicit operator bool() const { return m_p != nullptr; }

    // Releases the reference held, if any.
    void Release() {
        if (T* p = std::exchange(m_p, nullptr)) p->Release();
    }
    // Takes over a reference the caller holds (a newly made object's first one).
    void Attach(T* p) {
        Release();
        m_p = p;
    }
    // For creation calls that hand out a reference: releases the one held and gives the
    // address the new pointer is written to.
    T** Receive() {
        Release();
        return &m_p;
    }
    void** ReceiveVoid() { return reinterpret_cast<void**>(Receive()); }

private:
    T* m_p = nullptr;
};
