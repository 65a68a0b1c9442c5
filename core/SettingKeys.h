#pragma once

namespace Vorlune {

enum SettingSection { SectionApp = 0, SectionGui = 1, SectionSettings = 2 };

enum SettingKey {
    KeyPositionX = 0,
    KeyPositionY,
    KeyTreeViewSelectedItemString,
    KeyViewer,
    KeySaveFolder,
    KeyDeleteImage,
    KeyClipBoard,
    KeyAuxiliaryLineColor,
    KeyAppTopMost,
    KeyButtonToolTip,
    KeyMouseToolTip,
    KeyMouseToolTipHidden,
    KeyAlwaysAuxiliaryLine,
    KeyZoomWindowMagnification,
    KeyDelaySeconds,
    KeyImageFormat,
    KeyHotKeyRectangle,
    KeyHotKeyWindow,
    KeyHotKeyHiddenWindow,
    KeyHotKeyDesktop,
    KeyHotKeyLastRegion,
    KeyHotKeyScrolling,
    KeyScrollMaxHeight,
    SettingKeyCount
};

struct SettingKeyInfo {
    const wchar_t* name;
    const wchar_t* defaultText;
};

// The names in the INI file.
const wchar_t* SectionName(SettingSection section);
const SettingKeyInfo& KeyInfo(SettingKey key);

}  // namespace Vorlune
