#pragma once
#include <objbase.h>

#include <utility>

namespace Vorlune {

// Owns one reference to a COM object.
template <class T>
class ComRef {
public:
    ComRef() = default;
    ~ComRef() { Reset(); }
    ComRef(const ComRef&) = delete;
    ComRef& operator=(const ComRef&) = delete;
    ComRef(ComRef&& other) noexcept : object_(std::exchange(other.object_, nullptr)) {}
    ComRef& operator=(ComRef&& other) noexcept {
        if (this != &other) {
            Reset();
            object_ = std::exchange(other.object_, nullptr);
        }
        return *this;
    }

    // The slot for a call that hands out a new reference; use it once, on an empty owner.
    T** Out() { return &object_; }
    void** OutVoid() { return reinterpret_cast<void**>(&object_); }
    T* Get() const { return object_; }
    T* operator->() const { return object_; }
    // Gives the reference back now.
    void Reset() {
        if (object_ != nullptr) std::exchange(object_, nullptr)->Release();
    }
    // The object's interface iid as a reference of its own; empty when it has none.
    template <class Other>
    ComRef<Other> Query(REFIID iid) const {
        ComRef<Other> other;
        if (object_ != nullptr) object_->QueryInterface(iid, other.OutVoid());  // null on failure
        return other;
    }

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
