#pragma once
#include <windows.h>

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

}  // namespace Vorlune::Test
