#include "core/SettingKeys.h"

namespace Vorlune {

namespace {

constexpr const wchar_t* kSections[] = {L"App", L"Gui", L"Settings"};

constexpr SettingKeyInfo kKeys[SettingKeyCount] = {
    {L"PositionX", L"100"},
    {L"PositionY", L"100"},
    {L"TreeViewSelectedItemString", L""},
    {L"Viewer", L"mspaint"},
    {L"SaveFolder", L""},
    {L"DeleteImage", L"0"},
    {L"ClipBoard", L"0"},
    {L"AuxiliaryLineColor", L"9"},
    {L"AppTopMost", L"0"},
    {L"ButtonToolTip", L"1"},
    {L"MouseToolTip", L"0"},
    {L"MouseToolTipHidden", L"0"},
    {L"AlwaysAuxiliaryLine", L"0"},
    {L"ZoomWindowMagnification", L"10"},
    {L"DelaySeconds", L"3"},
    {L"ImageFormat", L"0"},
    {L"HotKeyRectangle", L"0"},
    {L"HotKeyWindow", L"0"},
    {L"HotKeyHiddenWindow", L"0"},
    {L"HotKeyDesktop", L"0"},
    {L"HotKeyLastRegion", L"0"},
    {L"HotKeyScrolling", L"0"},
    {L"ScrollMaxHeight", L"30000"},
};

}  // namespace

const wchar_t* SectionName(SettingSection section) { return kSections[section]; }

const SettingKeyInfo& KeyInfo(SettingKey key) { return kKeys[key]; }

}  // namespace Vorlune
