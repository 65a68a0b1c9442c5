#include "core/SettingKeys.h"

#include <gtest/gtest.h>

#include <iterator>

namespace Vorlune {
namespace {

// Every key's name and default, as the INI file holds them.
TEST(SettingKeys, EveryKeyHasItsNameAndDefault) {
    struct Key {
        SettingKey key;
        const wchar_t *name, *fallback;
    } keys[] = {{KeyPositionX, L"PositionX", L"100"},
                {KeyPositionY, L"PositionY", L"100"},
                {KeyTreeViewSelectedItemString, L"TreeViewSelectedItemString", L""},
                {KeyViewer, L"Viewer", L"mspaint"},
                {KeySaveFolder, L"SaveFolder", L""},
                {KeyDeleteImage, L"DeleteImage", L"0"},
                {KeyClipBoard, L"ClipBoard", L"0"},
                {KeyAuxiliaryLineColor, L"AuxiliaryLineColor", L"9"},
                {KeyAppTopMost, L"AppTopMost", L"0"},
                {KeyButtonToolTip, L"ButtonToolTip", L"1"},
                {KeyMouseToolTip, L"MouseToolTip", L"0"},
                {KeyMouseToolTipHidden, L"MouseToolTipHidden", L"0"},
                {KeyAlwaysAuxiliaryLine, L"AlwaysAuxiliaryLine", L"0"},
                {KeyZoomWindowMagnification, L"ZoomWindowMagnification", L"10"},
                {KeyDelaySeconds, L"DelaySeconds", L"3"},
                {KeyImageFormat, L"ImageFormat", L"0"},
                {KeyHotKeyRectangle, L"HotKeyRectangle", L"0"},
                {KeyHotKeyWindow, L"HotKeyWindow", L"0"},
                {KeyHotKeyHiddenWindow, L"HotKeyHiddenWindow", L"0"},
                {KeyHotKeyDesktop, L"HotKeyDesktop", L"0"},
                {KeyHotKeyLastRegion, L"HotKeyLastRegion", L"0"},
                {KeyHotKeyScrolling, L"HotKeyScrolling", L"0"},
                {KeyScrollMaxHeight, L"ScrollMaxHeight", L"30000"}};
    static_assert(std::size(keys) == SettingKeyCount);
    for (const Key& k : keys) {
        EXPECT_STREQ(KeyInfo(k.key).name, k.name);
        EXPECT_STREQ(KeyInfo(k.key).defaultText, k.fallback) << k.name;
    }
}

}  // namespace
}  // namespace Vorlune
