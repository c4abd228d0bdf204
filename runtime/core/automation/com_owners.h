// Single owners for the automation resources the object commands juggle:
// interface pointers, BSTRs, VARIANTs and safe arrays. Early returns in the
// member access must never leak a reference or a string.
#pragma once

#include <windows.h>
#include <oaidl.h>
#include <oleauto.h>

#include <utility>

namespace tessaly::automation {

template <class T>
class ComPtr {
public:
    ComPtr() = default;
    ComPtr(const ComPtr&) = delete;
    ComPtr& operator=(const ComPtr&) = delete;
    ComPtr(ComPtr&& other) noexcept : p_(std::exchange(other.p_, nullptr)) {}
    ComPtr& operator=(ComPtr&& other) noexcept
    {
        reset(std::exchange(other.p_, nullptr));
        return *this;
    }
    ~ComPtr() { reset(); }

    // Takes over a reference the caller already holds.
    static ComPtr adopt(T* p)
    {
        ComPtr owner;
        owner.p_ = p;
        return owner;
    }
    void reset(T* p = nullptr)
    {
        if (p_ != nullptr) p_->Release();
        p_ = p;
    }
    T* get() const { return p_; }
    T* operator->() const { return p_; }
    T& operator*() const { return *p_; }
    explicit operator bool() const { return p_ != nullptr; }
    T** out()
    {
        reset();
        return &p_;
    }
    T* detach() { return std::exchange(p_, nullptr); }

private:
    T* p_ = nullptr;
};

class Bstr {
public:
    Bstr() = default;
    explicit Bstr(BSTR s) : s_(s) {}
    Bstr(const Bstr&) = delete;
    Bstr& operator=(const Bstr&) = delete;
    Bstr(Bstr&& other) noexcept : s_(std::exchange(other.s_, nullptr)) {}
    ~Bstr() { SysFreeString(s_); }
    BSTR get() const { return s_; }
    BSTR* out()
    {
        SysFreeString(s_);
        s_ = nullptr;
        return &s_;
    }
    BSTR detach() { return std::exchange(s_, nullptr); }

private:
    BSTR s_ = nullptr;
};

// A VARIANT that is cleared when it goes out of scope.
struct VariantOwner {
    VARIANT v;
    VariantOwner() { VariantInit(&v); }
    VariantOwner(const VariantOwner&) = delete;
    VariantOwner& operator=(const VariantOwner&) = delete;
    VariantOwner(VariantOwner&& other) noexcept : v(other.v) { VariantInit(&other.v); }
    ~VariantOwner() { VariantClear(&v); }
    VARIANT* get() { return &v; }
    void clear() { VariantClear(&v); }
};

class SafeArrayOwner {
public:
    explicit SafeArrayOwner(SAFEARRAY* a = nullptr) : a_(a) {}
    SafeArrayOwner(const SafeArrayOwner&) = delete;
    SafeArrayOwner& operator=(const SafeArrayOwner&) = delete;
    ~SafeArrayOwner()
    {
        if (a_ != nullptr) SafeArrayDestroy(a_);
    }
    SAFEARRAY* get() const { return a_; }
    SAFEARRAY* detach() { return std::exchange(a_, nullptr); }

private:
    SAFEARRAY* a_;
};

// The ANSI texts of the program and the wide strings of automation.
Bstr toBstr(const char* ansi);
// A new result text (null when empty) from a wide string.
char* toResultText(const wchar_t* wide, int length);

}  // namespace tessaly::automation
