#pragma once
#include <windows.h>

namespace Vorlune::Test {

// Sets a registry value, or removes it for REG_NONE, for the programs started while it lives.
class RegistryGuard {
public:
    RegistryGuard(HKEY root, const wchar_t* path, const wchar_t* name, DWORD type, const void* data, DWORD size)
        : root_(root), path_(path), name_(name) {
        if (RegGetValueW(root, path, name, RRF_RT_ANY, &oldType_, old_, &oldSize_) != ERROR_SUCCESS)
            oldType_ = REG_NONE;
        Put(type, data, size);
    }
    ~RegistryGuard() { Put(oldType_, old_, oldSize_); }
    RegistryGuard(const RegistryGuard&) = delete;
    RegistryGuard& operator=(const RegistryGuard&) = delete;

private:
    void Put(DWORD type, const void* data, DWORD size) const {
        if (type == REG_NONE)
            RegDeleteKeyValueW(root_, path_, name_);
        else
            RegSetKeyValueW(root_, path_, name_, type, data, size);
    }
    HKEY root_;
    const wchar_t *path_, *name_;
    DWORD oldType_ = REG_NONE, oldSize_ = sizeof old_;
    BYTE old_[512] = {};
};

// The display scale Wine reads as a program starts, for the programs started while it lives.
struct LogPixelsGuard : RegistryGuard {
    explicit LogPixelsGuard(const DWORD& dpi)
        : RegistryGuard(HKEY_CURRENT_USER, L"Control Panel\\Desktop", L"LogPixels", REG_DWORD, &dpi, sizeof dpi) {}
};

}  // namespace Vorlune::Test
