#pragma once
#include <windows.h>

#include <functional>
#include <string>

#include "settings/SettingsStore.h"
#include "settings/TempFolder.h"

namespace Vorlune::Test {

// Sets a stored value for one test and puts the old one back afterwards.
class StoredValueGuard {
public:
    template <class T, class Set>
    StoredValueGuard(const T& old, const T& value, Set set) : restore_([=] { set(old); }) {
        CreateDirectoryW(GetTempFolderPath().c_str(), nullptr);  // the INI file's folder
        set(value);
    }
    ~StoredValueGuard() { restore_(); }
    StoredValueGuard(const StoredValueGuard&) = delete;
    StoredValueGuard& operator=(const StoredValueGuard&) = delete;

private:
    std::function<void()> restore_;
};

struct SettingGuard : StoredValueGuard {
    SettingGuard(SettingSection section, SettingKey key, int value)
        : StoredValueGuard(Store().GetInt(section, key), value, [=](int v) { Store().SetInt(section, key, v); }) {}
};
struct StringSettingGuard : StoredValueGuard {  // of section "Settings"
    StringSettingGuard(SettingKey key, const std::wstring& value)
        : StoredValueGuard(Store().GetString(key), value, [=](const std::wstring& v) { Store().SetString(key, v); }) {}
};
struct ToggleGuard : StoredValueGuard {
    ToggleGuard(TextId id, int value)
        : StoredValueGuard(Store().GetToggle(id), value, [=](int v) { Store().SetToggle(id, v); }) {}
};

}  // namespace Vorlune::Test
