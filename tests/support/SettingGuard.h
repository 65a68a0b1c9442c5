#pragma once
#include <windows.h>

#include <functional>
#include <string>

#include "settings/SettingsStore.h"
#include "settings/TempFolder.h"

namespace Vorlune::Test {

// Sets a stored value for one test and puts the old one back afterwards.
template <class T>
class StoredValueGuard {
public:
    StoredValueGuard(const std::function<T()>& get, std::function<void(const T&)> set, const T& value) : set_(set) {
        CreateDirectoryW(GetTempFolderPath().c_str(), nullptr);  // the INI file's folder
        old_ = get(), set_(value);
    }
    ~StoredValueGuard() { set_(old_); }
    StoredValueGuard(const StoredValueGuard&) = delete;
    StoredValueGuard& operator=(const StoredValueGuard&) = delete;

private:
    std::function<void(const T&)> set_;
    T old_{};
};

struct SettingGuard : StoredValueGuard<int> {
    SettingGuard(SettingSection section, SettingKey key, int value)
        : StoredValueGuard([=] { return Settings().GetInt(section, key); },
                           [=](const int& old) { Settings().SetInt(section, key, old); }, value) {}
};
// Of section "Settings".
struct StringSettingGuard : StoredValueGuard<std::wstring> {
    StringSettingGuard(SettingKey key, const std::wstring& value)
        : StoredValueGuard([=] { return Settings().GetString(key); },
                           [=](const std::wstring& old) { Settings().SetString(key, old); }, value) {}
};
struct ToggleGuard : StoredValueGuard<int> {
    ToggleGuard(TextId id, int value)
        : StoredValueGuard([=] { return Settings().GetToggle(id); },
                           [=](const int& old) { Settings().SetToggle(id, old); }, value) {}
};

}  // namespace Vorlune::Test
