#pragma once
#include <windows.h>

#include <functional>
#include <string>
#include <utility>

#include "settings/SettingsStore.h"
#include "settings/TempFolder.h"

namespace Vorlune::Test {

// Sets a stored value for one test and puts the old one back afterwards.
template <class T>
class StoredValueGuard {
public:
    StoredValueGuard(const std::function<T()>& get, std::function<void(const T&)> set, const T& value)
        : set_(std::move(set)) {
        CreateDirectoryW(GetTempFolderPath().c_str(), nullptr);  // the INI file's folder
        old_ = get();
        set_(value);
    }
    ~StoredValueGuard() { set_(old_); }
    StoredValueGuard(const StoredValueGuard&) = delete;
    StoredValueGuard& operator=(const StoredValueGuard&) = delete;

private:
    std::function<void(const T&)> set_;
    T old_{};
};

// An integer setting.
class SettingGuard : public StoredValueGuard<int> {
public:
    SettingGuard(SettingSection section, SettingKey key, int value)
        : StoredValueGuard<int>([=] { return Settings().GetInt(section, key); },
                                [=](const int& old) { Settings().SetInt(section, key, old); }, value) {}
};

// A string setting of section "Settings".
class StringSettingGuard : public StoredValueGuard<std::wstring> {
public:
    StringSettingGuard(SettingKey key, const std::wstring& value)
        : StoredValueGuard<std::wstring>([=] { return Settings().GetString(key); },
                                         [=](const std::wstring& old) { Settings().SetString(key, old); }, value) {}
};

// A toggle button's state.
class ToggleGuard : public StoredValueGuard<int> {
public:
    ToggleGuard(TextId id, int value)
        : StoredValueGuard<int>([=] { return Settings().GetToggle(id); },
                                [=](const int& old) { Settings().SetToggle(id, old); }, value) {}
};

}  // namespace Vorlune::Test
