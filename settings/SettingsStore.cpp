#include "settings/SettingsStore.h"

#include <windows.h>

#include <stdexcept>
#include <string>

#include "settings/TempFolder.h"
#include "ui/GdiOwners.h"

namespace Vorlune {

namespace {

// The private-profile functions create a missing file in the ANSI code page, which turns
// Japanese into '?'. A file that starts as UTF-16LE with a byte-order mark stays so.
void CreateUnicodeIniIfMissing(const std::wstring& path) {
    KernelHandle file(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.Valid()) return;  // exists already, or the folder is missing
    const unsigned char bom[2] = {0xFF, 0xFE};
    DWORD written = 0;
    const BOOL ok = WriteFile(file.get(), bom, sizeof bom, &written, nullptr);
    if (!file.Close() || !ok || written != sizeof bom) DeleteFileW(path.c_str());  // closed first: not shared
}

}  // namespace

SettingsStore::SettingsStore(std::wstring iniPath) : path_(std::move(iniPath)) {}

int SettingsStore::GetInt(SettingSection section, SettingKey key) const {
    const int fallback = std::stoi(KeyInfo(key).defaultText);
    return static_cast<int>(GetPrivateProfileIntW(SectionName(section), KeyInfo(key).name, fallback, path_.c_str()));
}

std::wstring SettingsStore::GetString(SettingKey key) const {
    return Read(SectionName(SectionSettings), KeyInfo(key).name, KeyInfo(key).defaultText);
}

std::wstring SettingsStore::GetText(SettingSection section, const wchar_t* key) const {
    return Read(SectionName(section), key, L"");
}

bool SettingsStore::SetText(SettingSection section, const wchar_t* key, const std::wstring& text) const {
    return Write(SectionName(section), key, text);
}

void SettingsStore::SetInt(SettingSection section, SettingKey key, int value) const {
    Write(SectionName(section), KeyInfo(key).name, std::to_wstring(value));
}

bool SettingsStore::SetString(SettingKey key, const std::wstring& text) const {
    return Write(SectionName(SectionSettings), KeyInfo(key).name, text);
}

int SettingsStore::GetToggle(TextId id) const {
    return static_cast<int>(
        GetPrivateProfileIntW(SectionName(SectionGui), std::to_wstring(id).c_str(), 0, path_.c_str()));
}

void SettingsStore::SetToggle(TextId id, int value) const {
    Write(SectionName(SectionGui), std::to_wstring(id).c_str(), std::to_wstring(value));
}

std::wstring SettingsStore::Read(const wchar_t* section, const wchar_t* key, const wchar_t* fallback) const {
    wchar_t buffer[1000] = {};
    GetPrivateProfileStringW(section, key, fallback, buffer, 999, path_.c_str());
    return buffer;
}

bool SettingsStore::Write(const wchar_t* section, const wchar_t* key, const std::wstring& text) const {
    CreateUnicodeIniIfMissing(path_);
    return WritePrivateProfileStringW(section, key, text.c_str(), path_.c_str()) != FALSE;
}

SettingsStore& Store() {
    static SettingsStore store(IniPath());
    return store;
}

}  // namespace Vorlune
