#pragma once
// One owner for every Windows handle: each of these releases its handle exactly once.

#include <windows.h>
#include <objbase.h>

#include <utility>

namespace forms {

template <typename Handle, typename Release>
class Scoped {
public:
    Scoped() = default;
    explicit Scoped(Handle handle) : handle_(handle) {}
    ~Scoped() { reset(); }
    Scoped(Scoped&& other) noexcept : handle_(std::exchange(other.handle_, nullptr)) {}
    Scoped& operator=(Scoped&& other) noexcept {
        if (this != &other) reset(std::exchange(other.handle_, nullptr));
        return *this;
    }
    Scoped(const Scoped&) = delete;
    Scoped& operator=(const Scoped&) = delete;

    Handle get() const { return handle_; }
    explicit operator bool() const { return handle_ != nullptr; }
    void reset(Handle handle = nullptr) {
        if (Handle old = std::exchange(handle_, handle)) Release{}(old);
    }

private:
    Handle handle_ = nullptr;
};

struct DeleteGdiObject {
    void operator()(HGDIOBJ h) const { DeleteObject(h); }
};
struct DeleteDc {
    void operator()(HDC h) const { DeleteDC(h); }
};
struct DestroyWindowHandle {
    void operator()(HWND h) const { DestroyWindow(h); }
};
struct FreeModuleHandle {
    void operator()(HMODULE h) const { FreeLibrary(h); }
};
struct DestroyIconHandle {
    void operator()(HICON h) const { DestroyIcon(h); }
};
struct DestroyCursorHandle {  // a cursor of LoadImage's without LR_SHARED
    void operator()(HCURSOR h) const { DestroyCursor(h); }
};

using ScopedFont = Scoped<HFONT, DeleteGdiObject>;
using ScopedBitmap = Scoped<HBITMAP, DeleteGdiObject>;
using ScopedDc = Scoped<HDC, DeleteDc>;
using ScopedWindow = Scoped<HWND, DestroyWindowHandle>;
using ScopedIcon = Scoped<HICON, DestroyIconHandle>;
using ScopedCursor = Scoped<HCURSOR, DestroyCursorHandle>;
using ScopedModule = Scoped<HMODULE, FreeModuleHandle>;

// A function of a module that this Windows may lack; null then, or without the module.
template <typename Function>
Function Procedure(HMODULE module, const char* name) {
    return module ? reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name))) : nullptr;
}

// A GDI object selected into a DC for one scope.
class Selection {
public:
    Selection(HDC dc, HGDIOBJ object) : dc_(dc), old_(SelectObject(dc, object)) {}
    ~Selection() { SelectObject(dc_, old_); }
    Selection(const Selection&) = delete;
    Selection& operator=(const Selection&) = delete;

private:
    HDC dc_;
    HGDIOBJ old_;
};

// A COM interface pointer, released once.
template <typename T>
class ComRef {
public:
    ComRef() = default;
    ~ComRef() {
        if (p_) p_->Release();
    }
    ComRef(const ComRef&) = delete;
    ComRef& operator=(const ComRef&) = delete;
    T* operator->() const { return p_; }
    T* get() const { return p_; }
    T** put() { return &p_; }

private:
    T* p_ = nullptr;
};

// COM for this thread, from ole32 loaded when first needed: a run that never needs it
// never loads it. Kept for as long as the program needs it.
class ComApartment {
public:
    ComApartment() : ole32_(LoadLibraryW(L"ole32.dll")) {
        const auto initialize = Procedure<HRESULT(WINAPI*)(LPVOID, DWORD)>(ole32_.get(), "CoInitializeEx");
        ok_ = initialize && SUCCEEDED(initialize(nullptr, COINIT_APARTMENTTHREADED));
    }
    ~ComApartment() {
        if (ok_) Procedure<void(WINAPI*)()>(ole32_.get(), "CoUninitialize")();
    }
    ComApartment(const ComApartment&) = delete;
    ComApartment& operator=(const ComApartment&) = delete;

    // Works also where COM was already set up on this thread in another way.
    HRESULT Create(REFCLSID type, REFIID iid, void** object) const {
        using CreateInstance = HRESULT(WINAPI*)(REFCLSID, LPUNKNOWN, DWORD, REFIID, LPVOID*);
        const auto create = Procedure<CreateInstance>(ole32_.get(), "CoCreateInstance");
        return create ? create(type, nullptr, CLSCTX_INPROC_SERVER, iid, object) : CO_E_NOTINITIALIZED;
    }

private:
    ScopedModule ole32_;
    bool ok_ = false;
};

}  // namespace forms
