#pragma once
#include <string>

#include "core/SettingKeys.h"
#include "core/TextId.h"

namespace Vorlune {

// The INI file, read and written on every access; nothing is cached.
class SettingsStore {
public:
    explicit SettingsStore(std::wstring iniPath);

    // Throws std::invalid_argument for a key whose default is not a number.
    int GetInt(SettingSection section, SettingKey key) const;
    // At most 998 characters, from section "Settings".
    std::wstring GetString(SettingKey key) const;
    void SetInt(SettingSection section, SettingKey key, int value) const;
    // Written to section "Settings", as the string editors do.
    bool SetString(SettingKey key, const std::wstring& text) const;
    // Any key of any section by its name: empty when missing.
    std::wstring GetText(SettingSection section, const wchar_t* key) const;
    bool SetText(SettingSection section, const wchar_t* key, const std::wstring& text) const;
    int GetToggle(TextId id) const;
    void SetToggle(TextId id, int value) const;

    const std::wstring& Path() const { return path_; }

private:
    std::wstring Read(const wchar_t* section, const wchar_t* key, const wchar_t* fallback) const;
    bool Write(const wchar_t* section, const wchar_t* key, const std::wstring& text) const;

    std::wstring path_;
};

// The store of the process, on IniPath().
SettingsStore& Store();

}  // namespace Vorlune
