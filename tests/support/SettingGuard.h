#pragma once
#include <windows.h>

#include <string>

#include "settings/SettingsStore.h"
#include "settings/TempFolder.h"

namespace Vorlune::Test {

// Sets an integer setting for one test and puts the old value back afterwards.
class SettingGuard {
public:
    SettingGuard(SettingSection section, SettingKey key, int value) : section_(section), key_(key) {
        CreateDirectoryW(GetTempFolderPath().c_str(), nullptr);  // the INI file's folder
        old_ = Settings().GetInt(section, key);
        Settings().SetInt(section, key, value);
    }
    ~SettingGuard() { Settings().SetInt(section_, key_, old_); }
    SettingGuard(const SettingGuard&) = delete;
    SettingGuard& operator=(const SettingGuard&) = delete;

private:
    SettingSection section_;
    SettingKey key_;
    int old_ = 0;
};

// The same for a string setting of section "Settings".
class StringSettingGuard {
public:
    StringSettingGuard(SettingKey key, const std::wstring& value) : key_(key) {
        CreateDirectoryW(GetTempFolderPath().c_str(), nullptr);
        old_ = Settings().GetString(key);
        Settings().SetString(key, value);
    }
    ~StringSettingGuard() { Settings().SetString(key_, old_); }
    StringSettingGuard(const StringSettingGuard&) = delete;
    StringSettingGuard& operator=(const StringSettingGuard&) = delete;

private:
    SettingKey key_;
    std::wstring old_;
};

// The same for a toggle button's state.
class ToggleGuard {
public:
    ToggleGuard(int id, int value) : id_(id) {
        CreateDirectoryW(GetTempFolderPath().c_str(), nullptr);
        old_ = Settings().GetToggle(id);
        Settings().SetToggle(id, value);
    }
    ~ToggleGuard() { Settings().SetToggle(id_, old_); }
    ToggleGuard(const ToggleGuard&) = delete;
    ToggleGuard& operator=(const ToggleGuard&) = delete;

private:
    int id_;
    int old_ = 0;
};

}  // namespace Vorlune::Test
