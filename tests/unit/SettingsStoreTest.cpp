#include <gtest/gtest.h>

#include <stdexcept>

#include "GlimraApp.h"
#include "Scratch.h"
#include "settings/SettingsStore.h"
#include "settings/TempFolder.h"

namespace Vorlune {
namespace {

using Test::IniValue;
using Test::ReadBytes;
using Test::ReadUtf16File;
using Test::ScratchDir;

class SettingsStoreTest : public ::testing::Test {
protected:
    ScratchDir folder;
    SettingsStore store{folder / L"Glimra.ini"};
    std::wstring File() const { return ReadUtf16File(store.Path()); }
};

TEST_F(SettingsStoreTest, FreshProfileReadsEveryDefault) {
    struct Expected {
        SettingSection section;
        SettingKey key;
        int value;
    };
    for (const Expected& e : {Expected{SectionApp, KeyPositionX, 100}, Expected{SectionApp, KeyPositionY, 100},
                              Expected{SectionSettings, KeyDeleteImage, 0}, Expected{SectionSettings, KeyClipBoard, 0},
                              Expected{SectionSettings, KeyAuxiliaryLineColor, 9},
                              Expected{SectionSettings, KeyAppTopMost, 0},
                              Expected{SectionSettings, KeyButtonToolTip, 1},
                              Expected{SectionSettings, KeyMouseToolTip, 0},
                              Expected{SectionSettings, KeyMouseToolTipHidden, 0},
                              Expected{SectionSettings, KeyAlwaysAuxiliaryLine, 0},
                              Expected{SectionSettings, KeyZoomWindowMagnification, 10},
                              Expected{SectionSettings, KeyDelaySeconds, 3}})
        EXPECT_EQ(store.GetInt(e.section, e.key), e.value) << Vorlune::Test::Narrow(KeyInfo(e.key).name);
    EXPECT_EQ(store.GetString(KeyViewer), L"mspaint");
    EXPECT_EQ(store.GetString(KeySaveFolder), L"");
    EXPECT_EQ(store.GetString(KeyTreeViewSelectedItemString), L"");
    EXPECT_EQ(store.GetString(KeyZoomWindowMagnification), L"10");
    EXPECT_EQ(store.GetString(KeyDelaySeconds), L"3");
    for (TextId toggle : {TextZoomToggle, TextWindowToggle, TextHiddenWindowToggle, TextDelayToggle, TextLanguageToggle, TextCursorToggle}) EXPECT_EQ(store.GetToggle(toggle), 0);
    // A key whose default is not a number is not an integer key.
    EXPECT_THROW(store.GetInt(SectionSettings, KeySaveFolder), std::invalid_argument);
    EXPECT_FALSE(Vorlune::Test::FileExists(store.Path())) << "reads never create the file";
}

TEST_F(SettingsStoreTest, KeyNamesAndSections) {
    const wchar_t* names[] = {L"PositionX", L"PositionY", L"TreeViewSelectedItemString", L"Viewer", L"SaveFolder",
                              L"DeleteImage", L"ClipBoard", L"AuxiliaryLineColor", L"AppTopMost", L"ButtonToolTip",
                              L"MouseToolTip", L"MouseToolTipHidden", L"AlwaysAuxiliaryLine",
                              L"ZoomWindowMagnification", L"DelaySeconds"};
    for (int key = 0; key < SettingKeyCount; ++key)
        EXPECT_STREQ(KeyInfo(static_cast<SettingKey>(key)).name, names[key]);
    EXPECT_STREQ(SectionName(SectionApp), L"App");
    EXPECT_STREQ(SectionName(SectionGui), L"Gui");
    EXPECT_STREQ(SectionName(SectionSettings), L"Settings");
}

TEST_F(SettingsStoreTest, WritesLandUnderTheirSectionsInAUnicodeFile) {
    store.SetInt(SectionApp, KeyPositionX, -1200);
    store.SetInt(SectionApp, KeyPositionY, 96);
    store.SetToggle(TextZoomToggle, 1);
    store.SetToggle(TextLanguageToggle, 0);
    store.SetInt(SectionSettings, KeyClipBoard, 2);
    EXPECT_TRUE(store.SetString(KeyViewer, L"notepad"));

    const auto bytes = ReadBytes(store.Path());
    ASSERT_GE(bytes.size(), 2u);
    EXPECT_EQ(bytes[0], 0xFF);
    EXPECT_EQ(bytes[1], 0xFE);
    const std::wstring text = File();
    EXPECT_NE(text.find(L"[App]\r\nPositionX=-1200\r\nPositionY=96\r\n"), std::wstring::npos) << Vorlune::Test::Narrow(text);
    EXPECT_NE(text.find(L"[Gui]\r\n5=1\r\n9=0\r\n"), std::wstring::npos);
    EXPECT_EQ(IniValue(text, L"Settings", L"ClipBoard"), L"2");
    EXPECT_EQ(IniValue(text, L"Settings", L"Viewer"), L"notepad");

    EXPECT_EQ(store.GetInt(SectionApp, KeyPositionX), -1200);
    EXPECT_EQ(store.GetToggle(TextZoomToggle), 1);
    EXPECT_EQ(store.GetInt(SectionSettings, KeyClipBoard), 2);
    EXPECT_EQ(store.GetString(KeyViewer), L"notepad");
}

TEST_F(SettingsStoreTest, LongStringsAreCutAt998Characters) {
    const std::wstring exact(998, L'v');
    store.SetString(KeyViewer, exact);
    EXPECT_EQ(store.GetString(KeyViewer), exact);
    store.SetString(KeyViewer, std::wstring(1500, L'w'));
    EXPECT_EQ(store.GetString(KeyViewer), std::wstring(998, L'w'));
}

TEST_F(SettingsStoreTest, BadIntegerTextsReadAsTheirLeadingDigits) {
    Vorlune::Test::WriteUtf16File(store.Path(),
                         L"[Settings]\r\nAppTopMost=abc\r\nDeleteImage=12abc\r\nClipBoard=-7\r\nDelaySeconds=\r\n");
    EXPECT_EQ(store.GetInt(SectionSettings, KeyAppTopMost), 0);
    EXPECT_EQ(store.GetInt(SectionSettings, KeyDeleteImage), 12);
    EXPECT_EQ(store.GetInt(SectionSettings, KeyClipBoard), -7);
    EXPECT_EQ(store.GetString(KeyDelaySeconds), L"");
}

TEST_F(SettingsStoreTest, DeletingTheFileRestoresDefaults) {
    store.SetInt(SectionApp, KeyPositionX, 5);
    store.SetString(KeyViewer, L"x");
    ASSERT_EQ(store.GetInt(SectionApp, KeyPositionX), 5);
    ASSERT_TRUE(DeleteFileW(store.Path().c_str()));
    EXPECT_EQ(store.GetInt(SectionApp, KeyPositionX), 100);
    EXPECT_EQ(store.GetString(KeyViewer), L"mspaint");
}

TEST_F(SettingsStoreTest, JapaneseSurvivesARoundTrip) {
    const std::wstring path = L"C:\\画像\\ビューア表示.exe";
    ASSERT_TRUE(store.SetString(KeySaveFolder, path));
    EXPECT_EQ(store.GetString(KeySaveFolder), path);
    EXPECT_EQ(IniValue(File(), L"Settings", L"SaveFolder"), path);
}

TEST_F(SettingsStoreTest, AnExistingAnsiFileIsKeptAsItIs) {
    Vorlune::Test::WriteBytes(store.Path(), {'[', 'A', 'p', 'p', ']', '\r', '\n', 'P', 'o', 's', 'i', 't', 'i', 'o', 'n', 'X',
                                     '=', '7', '\r', '\n'});
    EXPECT_EQ(store.GetInt(SectionApp, KeyPositionX), 7);
    store.SetInt(SectionApp, KeyPositionY, 8);
    const auto bytes = ReadBytes(store.Path());
    ASSERT_FALSE(bytes.empty());
    EXPECT_EQ(bytes[0], '[') << "no byte-order mark is put in front of an existing file";
    EXPECT_EQ(store.GetInt(SectionApp, KeyPositionX), 7);
    EXPECT_EQ(store.GetInt(SectionApp, KeyPositionY), 8);
}

TEST_F(SettingsStoreTest, AWriteIntoAMissingFolderFailsQuietly) {
    SettingsStore lost(folder / L"missing\\Glimra.ini");
    EXPECT_FALSE(lost.SetString(KeyViewer, L"x"));
    lost.SetInt(SectionApp, KeyPositionX, 3);
    EXPECT_EQ(lost.GetInt(SectionApp, KeyPositionX), 100);
    EXPECT_FALSE(Vorlune::Test::FolderExists(folder / L"missing"));
}

TEST(TempFolder, PathsEndInTheProgramsFolderOfTheTempFolder) {
    wchar_t temp[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, temp);
    const std::wstring folder = GetTempFolderPath();
    EXPECT_EQ(folder, std::wstring(temp) + L"__GLIMRA__\\");
    EXPECT_EQ(GetModuleBaseName(), L"unit_tests");
    EXPECT_EQ(IniPath(), folder + L"unit_tests.ini");
    EXPECT_EQ(Settings().Path(), IniPath());
}

}  // namespace
}  // namespace Vorlune
