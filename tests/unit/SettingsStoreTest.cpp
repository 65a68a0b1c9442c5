#include <gtest/gtest.h>

#include "GlimraApp.h"
#include "settings/SettingsStore.h"

namespace Vorlune::Test {
namespace {

class SettingsStoreTest : public ::testing::Test {
protected:
    ScratchDir folder;
    SettingsStore store{folder / L"Glimra.ini"};
    std::wstring File() const { return ReadUtf16File(store.Path()); }
};

// Every key read without a file, then written: its default, then the value under its name.
TEST_F(SettingsStoreTest, EveryKeyIsReadFromItsPlaceWithItsDefault) {
    for (int i = 0; i < SettingKeyCount; ++i) {
        const auto key = static_cast<SettingKey>(i);
        const std::wstring fallback = KeyInfo(key).defaultText;
        SCOPED_TRACE(Narrow(KeyInfo(key).name));
        EXPECT_EQ(store.GetString(key), fallback);
        if (key == KeyViewer || fallback.empty())
            EXPECT_THROW(store.GetInt(SectionSettings, key), std::invalid_argument);  // not an integer key
        else
            EXPECT_EQ(store.GetInt(SectionSettings, key), std::stoi(fallback));
    }
    for (int i = 0; i < SettingKeyCount; ++i) store.SetInt(SectionApp, static_cast<SettingKey>(i), -7);
    for (int i = 0; i < SettingKeyCount; ++i)
        EXPECT_EQ(IniValue(store.Path(), L"App", KeyInfo(static_cast<SettingKey>(i)).name), L"-7") << i;
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

}  // namespace
}  // namespace Vorlune::Test
