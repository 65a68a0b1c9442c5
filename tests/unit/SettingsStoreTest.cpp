#include <gtest/gtest.h>

#include "GlimraApp.h"
#include "settings/HotKeySetting.h"
#include "settings/SettingsStore.h"
#include "settings/TempFolder.h"

namespace Vorlune::Test {
namespace {

class SettingsStoreTest : public ::testing::Test {
protected:
    ScratchDir folder;
    SettingsStore store{folder / L"Glimra.ini"};
    std::wstring File() const { return ReadUtf16File(store.Path()); }
};

// Every key's name, section and default, read without a file and then written.
TEST_F(SettingsStoreTest, EveryKeyIsReadFromItsPlaceWithItsDefault) {
    struct Key {
        SettingKey key;
        const wchar_t *section, *name, *fallback;
    } keys[] = {{KeyPositionX, L"App", L"PositionX", L"100"},
                {KeyPositionY, L"App", L"PositionY", L"100"},
                {KeyTreeViewSelectedItemString, L"Settings", L"TreeViewSelectedItemString", L""},
                {KeyViewer, L"Settings", L"Viewer", L"mspaint"},
                {KeySaveFolder, L"Settings", L"SaveFolder", L""},
                {KeyDeleteImage, L"Settings", L"DeleteImage", L"0"},
                {KeyClipBoard, L"Settings", L"ClipBoard", L"0"},
                {KeyAuxiliaryLineColor, L"Settings", L"AuxiliaryLineColor", L"9"},
                {KeyAppTopMost, L"Settings", L"AppTopMost", L"0"},
                {KeyButtonToolTip, L"Settings", L"ButtonToolTip", L"1"},
                {KeyMouseToolTip, L"Settings", L"MouseToolTip", L"0"},
                {KeyMouseToolTipHidden, L"Settings", L"MouseToolTipHidden", L"0"},
                {KeyAlwaysAuxiliaryLine, L"Settings", L"AlwaysAuxiliaryLine", L"0"},
                {KeyZoomWindowMagnification, L"Settings", L"ZoomWindowMagnification", L"10"},
                {KeyDelaySeconds, L"Settings", L"DelaySeconds", L"3"},
                {KeyImageFormat, L"Settings", L"ImageFormat", L"0"},
                {KeyHotKeyRectangle, L"Settings", L"HotKeyRectangle", L"0"},
                {KeyHotKeyWindow, L"Settings", L"HotKeyWindow", L"0"},
                {KeyHotKeyHiddenWindow, L"Settings", L"HotKeyHiddenWindow", L"0"},
                {KeyHotKeyDesktop, L"Settings", L"HotKeyDesktop", L"0"}};
    for (const Key& k : keys) {
        SCOPED_TRACE(Narrow(k.name));
        const SettingSection section = k.section[0] == L'A' ? SectionApp : SectionSettings;
        EXPECT_EQ(store.GetString(k.key), k.fallback);
        if (k.key == KeyViewer || !*k.fallback)
            EXPECT_THROW(store.GetInt(section, k.key), std::invalid_argument);  // not an integer key
        else
            EXPECT_EQ(store.GetInt(section, k.key), std::stoi(k.fallback));
    }
    for (const Key& k : keys) store.SetInt(k.section[0] == L'A' ? SectionApp : SectionSettings, k.key, -7);
    for (const Key& k : keys) EXPECT_EQ(IniValue(store.Path(), k.section, k.name), L"-7") << Narrow(k.name);
}

TEST_F(SettingsStoreTest, TogglesAreKeyedByTheirButtonsIdInGui) {
    EXPECT_EQ(store.GetToggle(TextCursorToggle), 0);
    store.SetToggle(TextZoomToggle, 1);
    store.SetToggle(TextLanguageToggle, 0);
    EXPECT_NE(File().find(L"[Gui]\r\n5=1\r\n9=0\r\n"), std::wstring::npos) << Narrow(File());
}

TEST_F(SettingsStoreTest, StringsAreReadUpTo998Characters) {
    store.SetString(KeyViewer, std::wstring(998, L'v'));
    EXPECT_EQ(store.GetString(KeyViewer), std::wstring(998, L'v'));
    store.SetString(KeyViewer, std::wstring(1500, L'w'));
    EXPECT_EQ(store.GetString(KeyViewer), std::wstring(998, L'w'));
}

// The profile functions would make an ANSI file, turning Japanese into '?'.
TEST_F(SettingsStoreTest, ANewFileIsUtf16SoJapaneseSurvives) {
    store.SetString(KeyViewer, L"C:\\ツール\\表示.exe");
    EXPECT_EQ(ReadBytes(store.Path()).at(0), 0xFF);
    EXPECT_EQ(store.GetString(KeyViewer), L"C:\\ツール\\表示.exe");
}

TEST_F(SettingsStoreTest, AnAnsiFileStaysAnsi) {
    WriteBytes(store.Path(),
               {'[', 'A', 'p', 'p', ']', '\r', '\n', 'P', 'o', 's', 'i', 't', 'i', 'o', 'n', 'X', '=', '7'});
    EXPECT_EQ(store.GetInt(SectionApp, KeyPositionX), 7);
    store.SetInt(SectionApp, KeyPositionY, 8);
    EXPECT_EQ(ReadBytes(store.Path()).at(0), '[') << "no byte-order mark in front of an existing file";
    EXPECT_EQ(store.GetInt(SectionApp, KeyPositionX), 7);
    EXPECT_EQ(store.GetInt(SectionApp, KeyPositionY), 8);
}

TEST_F(SettingsStoreTest, AWriteIntoAMissingFolderFailsWithoutMakingIt) {
    SettingsStore lost(folder / L"missing\\Glimra.ini");
    EXPECT_FALSE(lost.SetString(KeyViewer, L"x"));
    EXPECT_FALSE(IsFolder(folder / L"missing"));
}

// A key in the low byte, nothing but Shift, Ctrl, Alt and the extended-key flag above it, and Ctrl or
// Alt unless the key is F1-F24, Print Screen or Pause: any other key alone is taken from every program.
TEST(HotKeySetting, OnlyDecimalDigitsOfAKeyThatMayBeAHotKeyAreAHotKey) {
    struct Stored {
        const wchar_t* text;
        HotKeyCode code;
    } stored[] = {{L"850", 0x352},      {L"2642", 0xA52},   {L"1089", 0x441}, {L"0", 0},        {L"", 0},
                  {L"850x", 0},         {L" 850", 0},       {L"-850", 0},     {L"+850", 0},     {L"768", 0},
                  {L"4178", 0},         {L"4294968146", 0}, {L"112", VK_F1},  {L"135", VK_F24}, {L"372", 0x174},
                  {L"44", VK_SNAPSHOT}, {L"19", VK_PAUSE},  {L"27", 0},       {L"13", 0},       {L"9", 0},
                  {L"2085", 0},         {L"65", 0},         {L"321", 0}};
    for (const Stored& s : stored) EXPECT_EQ(ParseHotKey(s.text), s.code) << Narrow(s.text);
}

}  // namespace
}  // namespace Vorlune::Test
