#pragma once
#include <objbase.h>

namespace Vorlune {

// Owns one reference to a COM object.
template <class T>
class ComRef {
public:
    ComRef() = default;
    ~ComRef() {
        if (object_ != nullptr) object_->Release();
    }
    ComRef(const ComRef&) = delete;
    ComRef& operator=(const ComRef&) = delete;

    // The slot for a call that hands out a new reference; use it once, on an empty owner.
    T** Out() { return &object_; }
    void** OutVoid() { return reinterpret_cast<void**>(&object_); }
    T* Get() const { return object_; }
    T* operator->() const { return object_; }

private:
    T* object_ = nullptr;
};

// COM on this thread while it lives: the thread's apartment if it has one, else a new
// single-threaded one that ends with this.
class ComApartment {
public:
    ComApartment() : joined_(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) {}
    ~ComApartment() {
        if (joined_) CoUninitialize();
    }
    ComApartment(const ComApartment&) = delete;
    ComApartment& operator=(const ComApartment&) = delete;

private:
    bool joined_;  // a successful call, S_FALSE included, is balanced by one CoUninitialize
};

}  // namespace Vorlune
