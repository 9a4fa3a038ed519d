#pragma once
// Move-only owners for Win32 handles: each frees exactly once.
#include <windows.h>
#include <ole2.h>

#include <atomic>
#include <utility>

namespace fw {

// What the owners below hold right now, by kind. Leak checks count here:
// Wine answers GetGuiResources and GetProcessHandleCount with 0.
enum class HandleKind { Kernel, Find, Module, RegKey, Gdi, Dc, Global, WindowDc, ImageList, Count };

namespace detail {
inline std::atomic<long> g_heldHandles[static_cast<int>(HandleKind::Count)];
inline void CountHeld(HandleKind kind, long delta) {
    g_heldHandles[static_cast<int>(kind)].fetch_add(delta, std::memory_order_relaxed);
}
}  // namespace detail

inline long HeldHandles(HandleKind kind) {
    return detail::g_heldHandles[static_cast<int>(kind)].load(std::memory_order_relaxed);
}

template <typename T, typename Traits>
class UniqueHandle {
public:
    // Fills the owner when the API call that writes the handle has returned.
    class Receiver {
    public:
        explicit Receiver(UniqueHandle& owner) : owner_(owner) {}
        ~Receiver() { owner_.reset(h_); }
        Receiver(const Receiver&) = delete;
        Receiver& operator=(const Receiver&) = delete;
        operator T*() { return &h_; }

    private:
        UniqueHandle& owner_;
        T h_ = Traits::Invalid();
    };

    UniqueHandle() = default;
    explicit UniqueHandle(T h) : h_(h) { Count(h_, +1); }
    ~UniqueHandle() { reset(); }
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;
    UniqueHandle(UniqueHandle&& o) noexcept : h_(std::exchange(o.h_, Traits::Invalid())) {}
    UniqueHandle& operator=(UniqueHandle&& o) noexcept {
        if (this != &o) {
            reset();
            h_ = std::exchange(o.h_, Traits::Invalid());
        }
        return *this;
    }
    T get() const { return h_; }
    explicit operator bool() const { return Traits::Valid(h_); }
    T release() {
        Count(h_, -1);
        return std::exchange(h_, Traits::Invalid());
    }
    void reset(T h = Traits::Invalid()) {
        if (Traits::Valid(h_)) {
            Traits::Close(h_);
            Count(h_, -1);
        }
        h_ = h;
        Count(h_, +1);
    }
    // For an API that writes the handle: Call(..., owner.receive()).
    Receiver receive() {
        reset();
        return Receiver(*this);
    }

private:
    static void Count(T h, long delta) {
        if (Traits::Valid(h)) detail::CountHeld(Traits::kKind, delta);
    }

    T h_ = Traits::Invalid();
};

struct KernelTraits {
    static constexpr HandleKind kKind = HandleKind::Kernel;
    static HANDLE Invalid() { return nullptr; }
    static bool Valid(HANDLE h) { return h != nullptr && h != INVALID_HANDLE_VALUE; }
    static void Close(HANDLE h) { ::CloseHandle(h); }
};
// CreateFile reports failure as INVALID_HANDLE_VALUE, most others as null.
struct FileTraits {
    static constexpr HandleKind kKind = HandleKind::Kernel;
    static HANDLE Invalid() { return INVALID_HANDLE_VALUE; }
    static bool Valid(HANDLE h) { return h != nullptr && h != INVALID_HANDLE_VALUE; }
    static void Close(HANDLE h) { ::CloseHandle(h); }
};
struct FindTraits {
    static constexpr HandleKind kKind = HandleKind::Find;
    static HANDLE Invalid() { return INVALID_HANDLE_VALUE; }
    static bool Valid(HANDLE h) { return h != INVALID_HANDLE_VALUE; }
    static void Close(HANDLE h) { ::FindClose(h); }
};
struct ModuleTraits {
    static constexpr HandleKind kKind = HandleKind::Module;
    static HMODULE Invalid() { return nullptr; }
    static bool Valid(HMODULE h) { return h != nullptr; }
    static void Close(HMODULE h) { ::FreeLibrary(h); }
};
struct RegKeyTraits {
    static constexpr HandleKind kKind = HandleKind::RegKey;
    static HKEY Invalid() { return nullptr; }
    static bool Valid(HKEY h) { return h != nullptr; }
    static void Close(HKEY h) { ::RegCloseKey(h); }
};
struct GdiTraits {
    static constexpr HandleKind kKind = HandleKind::Gdi;
    static HGDIOBJ Invalid() { return nullptr; }
    static bool Valid(HGDIOBJ h) { return h != nullptr; }
    static void Close(HGDIOBJ h) { ::DeleteObject(h); }
};
struct GlobalTraits {
    static constexpr HandleKind kKind = HandleKind::Global;
    static HGLOBAL Invalid() { return nullptr; }
    static bool Valid(HGLOBAL h) { return h != nullptr; }
    static void Close(HGLOBAL h) { ::GlobalFree(h); }
};
struct DcTraits {
    static constexpr HandleKind kKind = HandleKind::Dc;
    static HDC Invalid() { return nullptr; }
    static bool Valid(HDC h) { return h != nullptr; }
    static void Close(HDC h) { ::DeleteDC(h); }
};

using Handle = UniqueHandle<HANDLE, KernelTraits>;
using FileHandle = UniqueHandle<HANDLE, FileTraits>;
using FindHandle = UniqueHandle<HANDLE, FindTraits>;
using Module = UniqueHandle<HMODULE, ModuleTraits>;
using RegKey = UniqueHandle<HKEY, RegKeyTraits>;
using GdiObject = UniqueHandle<HGDIOBJ, GdiTraits>;
using GlobalMemory = UniqueHandle<HGLOBAL, GlobalTraits>;
// A memory DC from CreateCompatibleDC.
using DcHandle = UniqueHandle<HDC, DcTraits>;

// Locks a movable global block for the lifetime of the object.
class GlobalLock {
public:
    explicit GlobalLock(HGLOBAL h) : h_(h), p_(h ? ::GlobalLock(h) : nullptr) {}
    ~GlobalLock() { if (p_) ::GlobalUnlock(h_); }
    GlobalLock(const GlobalLock&) = delete;
    GlobalLock& operator=(const GlobalLock&) = delete;
    void* get() const { return p_; }

private:
    HGLOBAL h_;
    void* p_;
};

// A window's DC from GetDC (null: the screen's), released with the object.
class WindowDC {
public:
    explicit WindowDC(HWND hwnd) : hwnd_(hwnd), dc_(::GetDC(hwnd)) { Count(+1); }
    ~WindowDC() { reset(); }
    WindowDC(const WindowDC&) = delete;
    WindowDC& operator=(const WindowDC&) = delete;
    WindowDC(WindowDC&& o) noexcept : hwnd_(o.hwnd_), dc_(std::exchange(o.dc_, nullptr)) {}
    WindowDC& operator=(WindowDC&& o) noexcept {
        if (this != &o) {
            reset();
            hwnd_ = o.hwnd_;
            dc_ = std::exchange(o.dc_, nullptr);
        }
        return *this;
    }
    HDC get() const { return dc_; }
    explicit operator bool() const { return dc_ != nullptr; }
    void reset() {
        if (!dc_) return;
        Count(-1);
        ::ReleaseDC(hwnd_, std::exchange(dc_, nullptr));
    }

private:
    void Count(long delta) const {
        if (dc_) detail::CountHeld(HandleKind::WindowDc, delta);
    }
    HWND hwnd_;
    HDC dc_;
};

// Selects a pen, brush, font or bitmap into a DC and puts back the object it
// displaced. Not for regions: SelectObject answers those with a region type.
class SelectedObject {
public:
    SelectedObject() = default;
    SelectedObject(HDC dc, HGDIOBJ object) : dc_(dc), displaced_(dc && object ? ::SelectObject(dc, object) : nullptr) {
        if (displaced_ == HGDI_ERROR) displaced_ = nullptr;
    }
    ~SelectedObject() { reset(); }
    SelectedObject(const SelectedObject&) = delete;
    SelectedObject& operator=(const SelectedObject&) = delete;
    SelectedObject(SelectedObject&& o) noexcept : dc_(o.dc_), displaced_(std::exchange(o.displaced_, nullptr)) {}
    SelectedObject& operator=(SelectedObject&& o) noexcept {
        if (this != &o) {
            reset();
            dc_ = o.dc_;
            displaced_ = std::exchange(o.displaced_, nullptr);
        }
        return *this;
    }
    // False when the selection failed.
    explicit operator bool() const { return displaced_ != nullptr; }
    HGDIOBJ displaced() const { return displaced_; }
    void reset() {
        if (displaced_) ::SelectObject(dc_, std::exchange(displaced_, nullptr));
    }

private:
    HDC dc_ = nullptr;
    HGDIOBJ displaced_ = nullptr;
};

// Holds one reference to a COM object; moves, never copies.
template <class T>
class ComRef {
public:
    ComRef() = default;
    explicit ComRef(T* p) : p_(p) {}  // takes over a reference
    ~ComRef() { reset(); }
    ComRef(const ComRef&) = delete;
    ComRef& operator=(const ComRef&) = delete;
    ComRef(ComRef&& o) noexcept : p_(std::exchange(o.p_, nullptr)) {}
    ComRef& operator=(ComRef&& o) noexcept {
        if (this != &o) {
            reset();
            p_ = std::exchange(o.p_, nullptr);
        }
        return *this;
    }
    T* get() const { return p_; }
    T** receive() {
        reset();
        return &p_;
    }
    explicit operator bool() const { return p_ != nullptr; }
    void reset() {
        if (p_) std::exchange(p_, nullptr)->Release();
    }

private:
    T* p_ = nullptr;
};

// OLE for the calling thread while the object lives. Every successful
// OleInitialize, S_FALSE included, needs its OleUninitialize; a failed one
// (COM already set up in another apartment) must have none.
class OleInit {
public:
    OleInit() : result_(::OleInitialize(nullptr)) {}
    ~OleInit() { reset(); }
    OleInit(const OleInit&) = delete;
    OleInit& operator=(const OleInit&) = delete;
    OleInit(OleInit&& o) noexcept : result_(std::exchange(o.result_, E_FAIL)) {}
    OleInit& operator=(OleInit&& o) noexcept {
        if (this != &o) {
            reset();
            result_ = std::exchange(o.result_, E_FAIL);
        }
        return *this;
    }
    HRESULT result() const { return result_; }
    explicit operator bool() const { return SUCCEEDED(result_); }
    void reset() {
        if (SUCCEEDED(std::exchange(result_, E_FAIL))) ::OleUninitialize();
    }

private:
    HRESULT result_;
};

class CriticalSection {
public:
    CriticalSection() { ::InitializeCriticalSection(&cs_); }
    ~CriticalSection() { ::DeleteCriticalSection(&cs_); }
    CriticalSection(const CriticalSection&) = delete;
    CriticalSection& operator=(const CriticalSection&) = delete;
    void lock() { ::EnterCriticalSection(&cs_); }
    void unlock() { ::LeaveCriticalSection(&cs_); }

private:
    CRITICAL_SECTION cs_;
};

// The wait cursor while the object lives; the previous cursor comes back.
class WaitCursor {
public:
    WaitCursor() : previous_(::SetCursor(::LoadCursorW(nullptr, IDC_WAIT))) {}
    ~WaitCursor() { ::SetCursor(previous_); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;

private:
    HCURSOR previous_;
};

}  // namespace fw
