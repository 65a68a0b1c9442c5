#include <gtest/gtest.h>

#include <algorithm>

#include "Process.h"
#include "Scratch.h"
#include "settings/ImageFolder.h"

namespace Vorlune::Test {
namespace {

// ListFolder has its own tests; here it only looks.
std::vector<std::wstring> Names(const std::wstring& folder) {
    std::vector<std::wstring> names;
    ListFolder(folder, names);
    std::sort(names.begin(), names.end());
    return names;
}

void Fill(const std::wstring& folder) {
    CreateDirectoryW(folder.c_str(), nullptr);
    CreateDirectoryW((folder + L"20240102").c_str(), nullptr);
    WriteBytes(folder + L"20240102\\00001.bmp", {'B', 'M'});
    WriteBytes(folder + L"20240102\\Glimra.ini", {'k'});
    WriteBytes(folder + L"notes.txt", {'n'});
}

void CloseGlimra(const std::wstring& temp) {
    Process glimra(GlimraExePath(), temp);
    HWND hwnd = glimra.WaitWindow(L"Glimra", L"Glimra");
    ASSERT_NE(hwnd, nullptr);
    PostMessageW(hwnd, WM_CLOSE, 0, 0);
    EXPECT_EQ(glimra.WaitExit(), 0u);
}

TEST(ImageFolderOnClose, DeleteImageRemovesTheImagesOnly) {
    ScratchDir temp;
    const std::wstring folder = temp / L"__GLIMRA__\\";
    Fill(folder);
    WriteUtf16File(folder + L"Glimra.ini", L"[Settings]\r\nDeleteImage=1\r\n");
    CloseGlimra(temp.Path());
    EXPECT_EQ(Names(folder), (std::vector<std::wstring>{L"20240102", L"Glimra.ini", L"notes.txt"}));
    EXPECT_EQ(Names(folder + L"20240102\\"), std::vector<std::wstring>{L"Glimra.ini"});
    EXPECT_NE(ReadUtf16File(folder + L"Glimra.ini").find(L"DeleteImage=1"), std::wstring::npos);
}

TEST(ImageFolderOnClose, SaveFolderIsClearedOnlyWhenDeleteImageIsOne) {
    ScratchDir temp;
    ScratchDir images;
    CreateDirectoryW((temp / L"__GLIMRA__").c_str(), nullptr);
    Fill(images.Path());
    std::wstring saveFolder = images.Path();
    saveFolder.pop_back();
    for (const int value : {2, 1}) {
        SCOPED_TRACE(value);
        WriteUtf16File(temp / L"__GLIMRA__\\Glimra.ini", L"[Settings]\r\nDeleteImage=" + std::to_wstring(value) +
                                                             L"\r\nSaveFolder=" + saveFolder + L"\r\n");
        CloseGlimra(temp.Path());
        if (value == 2) {
            EXPECT_EQ(Names(images / L"20240102\\"), (std::vector<std::wstring>{L"00001.bmp", L"Glimra.ini"}));
        }
    }
    EXPECT_EQ(Names(images.Path()), (std::vector<std::wstring>{L"20240102", L"notes.txt"}));
    EXPECT_EQ(Names(images / L"20240102\\"), std::vector<std::wstring>{L"Glimra.ini"});
}

}  // namespace
}  // namespace Vorlune::Test
