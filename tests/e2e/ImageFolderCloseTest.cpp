#include <gtest/gtest.h>

#include <algorithm>

#include "GlimraApp.h"
#include "settings/ImageFolder.h"

namespace Vorlune::Test {
namespace {

std::vector<std::wstring> Names(const std::wstring& folder) {
    std::vector<std::wstring> names;
    ListFolder(folder, names);
    std::sort(names.begin(), names.end());
    return names;
}

// Closing removes the images only with DeleteImage=1, from the program's folder or the user's own.
TEST(ImageFolderOnClose, DeleteImageOneRemovesTheImagesOnly) {
    for (const auto& [value, ownFolder] : {std::pair{1, false}, std::pair{2, true}, std::pair{1, true}}) {
        SCOPED_TRACE(testing::Message() << "DeleteImage=" << value << (ownFolder ? " in SaveFolder" : ""));
        GlimraApp app;
        ScratchDir own;
        const std::wstring folder = ownFolder ? own.Path() : app.AppFolder();
        std::wstring ini = L"[Settings]\r\nDeleteImage=" + std::to_wstring(value) + L"\r\n";
        if (ownFolder) ini += L"SaveFolder=" + folder.substr(0, folder.size() - 1) + L"\r\n";
        app.WriteIni(ini);
        CreateDirectoryW((folder + L"20240102").c_str(), nullptr);
        WriteBytes(folder + L"20240102\\00001.bmp", {'B', 'M'});
        WriteBytes(folder + L"20240102\\Glimra.ini", {'k'});
        WriteBytes(folder + L"notes.txt", {'n'});
        ASSERT_TRUE(app.Start());
        EXPECT_EQ(app.Close(), 0u);
        const std::vector<std::wstring> kept = {L"00001.bmp", L"Glimra.ini"}, cleared = {L"Glimra.ini"};
        EXPECT_EQ(Names(folder + L"20240102\\"), value == 1 ? cleared : kept);
        EXPECT_TRUE(FileExists(folder + L"notes.txt"));
        EXPECT_NE(app.ReadIni().find(L"DeleteImage=" + std::to_wstring(value)), std::wstring::npos);
    }
}

}  // namespace
}  // namespace Vorlune::Test
