// Owners for Win32 handles: each closes its handle exactly once, when it goes out of
// scope or is reset. Move-only, like the handles they own.
#pragma once

#include <windows.h>
#include <utility>

template <typename T, typename Traits>
class CUniqueHandle {
public:
    CUniqueHandle() = default;
    explicit CUniqueHandle(T h) : m_h(h) {}
    ~CUniqueHandle() { Reset(); }
    CUniqueHandle(const CUniqueHandle&) = delete;
    CUniqueHandle& operator=(const CUniqueHandle&) = delete;
    CUniqueHandle(CUniqueHandle&& other) noexcept : m_h(other.Release()) {}
    CUniqueHandle& operator=(CUniqueHandle&& other) noexcept {
        if (this != &other) Reset(other.Release());
        return *this;
    }

    T Get() const { return m_h; }
    explicit operator bool() const { return Traits::IsValid(m_h); }
    T Release() { return std::exchange(m_h, Traits::Invalid()); }
    void Reset(T h = Traits::Invalid()) {
        if (Traits::IsValid(m_h)) Traits::Close(m_h);
        m_h = h;
    }

private:
    T m_h = Traits::Invalid();
};

struct KernelHandleTraits {
    static HANDLE Invalid() { return nullptr; }
    static bool IsValid(HANDLE h) { return h != nullptr && h != INVALID_HANDLE_VALUE; }
    static void Close(HANDLE h) { CloseHandle(h); }
};
struct ModuleTraits {
    static HMODULE Invalid() { return nullptr; }
    static bool IsValid(HMODULE h) { return h != nullptr; }
    static void Close(HMODULE h) { FreeLibrary(h); }
};
struct RegKeyTraits {
    static HKEY Invalid() { return nullptr; }
    static bool IsValid(HKEY h) { return h != nullptr; }
    static void Close(HKEY h) { RegCloseKey(h); }
};
struct HookTraits {
    static HHOOK Invalid() { return nullptr; }
    static bool IsValid(HHOOK h) { return h != nullptr; }
    static void Close(HHOOK h) { UnhookWindowsHookEx(h); }
};
struct GdiObjectTraits {
    static HGDIOBJ Invalid() { return nullptr; }
    static bool IsValid(HGDIOBJ h) { return h != nullptr; }
    static void Close(HGDIOBJ h) { DeleteObject(h); }
};

// A kernel handle: file, event, mutex, thread, process (null and INVALID_HANDLE_VALUE both mean none).
using CHandle = CUniqueHandle<HANDLE, KernelHandleTraits>;
using CModule = CUniqueHandle<HMODULE, ModuleTraits>;
using CRegKey = CUniqueHandle<HKEY, RegKeyTraits>;
using CHook = CUniqueHandle<HHOOK, HookTraits>;
using CGdiObject = CUniqueHandle<HGDIOBJ, GdiObjectTraits>;
