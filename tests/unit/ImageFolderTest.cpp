#include <gtest/gtest.h>

#include <filesystem>
#include <map>

#include "Output.h"
#include "Process.h"
#include "Wait.h"
#include "settings/ImageFolder.h"

namespace Vorlune::Test {
namespace {

using Names = std::vector<std::wstring>;

// A folder of the user's own that also holds images: only what the program wrote goes (with
// what a crash left of an image being written), and never the settings file, here named by a
// path that differs in case.
TEST(ClearFolder, RemovesOnlyWhatTheProgramWroteInDayFolders) {
    ScratchDir root;
    for (const wchar_t* file :
         {L"00001.bmp", L"00002.png", L"20240101\\00001.bmp", L"20240101\\100000.bmp", L"20240101\\00003.tmp",
          L"20240101\\00004.bmp.1234.tmp", L"20240102\\notes.tmp", L"20240102\\00007.bmp.x.tmp", L"20240101\\00002.png",
          L"20240102\\00003.bmp", L"20240102\\00004.png", L"20240102\\00002.bmp", L"20240102\\00001.BMP",
          L"20240102\\00005.PNG", L"20240102\\00006.png.tmp", L"20240102\\1234.bmp", L"20240102\\00000.bmp",
          L"20240103\\sub\\00001.bmp", L"2024010\\00001.bmp"}) {
        std::filesystem::create_directories(std::filesystem::path(root / file).parent_path());
        WriteBytes(root / file, {'x'});
    }
    // Without the trailing backslash.
    ClearFolder(root.Path().substr(0, root.Path().size() - 1), L"Glimra.ini", root / L"20240102\\00002.BMP",
                RealFolderOperations());
    EXPECT_EQ(NamesIn(root.Path()), (Names{L"00001.bmp", L"00002.png", L"2024010", L"20240102", L"20240103"}));
    EXPECT_EQ(NamesIn(root / L"20240102"), (Names{L"00000.bmp", L"00001.BMP", L"00002.bmp", L"00005.PNG",
                                                  L"00006.png.tmp", L"00007.bmp.x.tmp", L"1234.bmp", L"notes.tmp"}));
    for (const wchar_t* folder : {L"20240103\\sub", L"2024010"}) EXPECT_EQ(NamesIn(root / folder), Names{L"00001.bmp"});
}

// Records what ClearFolder asks of the file system; serves a fixed tree.
struct FakeFolders : FolderOperations {
    std::map<std::wstring, std::vector<FolderEntry>> tree;
    Names calls;
    std::vector<FolderEntry> List(const std::wstring& folder) override {
        calls.push_back(L"list " + folder);
        return tree[folder];
    }
    void DeleteFileAt(const std::wstring& path) override { calls.push_back(L"delete " + path); }
    void RemoveFolderAt(const std::wstring& path) override { calls.push_back(L"rmdir " + path); }
};

TEST(ClearFolderSafety, ClearsOnlyAbsoluteFoldersBelowARoot) {
    const std::pair<const wchar_t*, bool> folders[] = {
        {L"C:images", false},
        {L"c:/", false},
        {L"C:\\images\\..", false},
        {L"\\\\server\\share\\", false},
        {L"\\\\?\\C:\\", false},
        {L"\\\\?\\UNC\\server\\share", false},
        {L"\\\\?\\Volume{01234567-89ab-cdef-0123-456789abcdef}\\", false},  // a root that does not look like one
        {L"C:\\images\\", true},
        {L"\\\\server\\share\\images", true},
        {L"\\\\?\\C:\\images", true}};
    for (const auto& [folder, clearable] : folders) {
        SCOPED_TRACE(Narrow(folder));
        FakeFolders fake;
        ClearFolder(folder, L"Glimra.ini", L"", fake);
        EXPECT_EQ(fake.calls.size(), clearable ? 1u : 0u);
        EXPECT_EQ(IsClearableFolder(folder), clearable);
    }
}

TEST(ClearFolderSafety, NeverFollowsALink) {
    FakeFolders fake;
    fake.tree[L"C:\\images\\"] = {{L"20240101", true, true}, {L"20240102", false, true}, {L"20240103", true, false}};
    fake.tree[L"C:\\images\\20240101\\"] = {{L"00001.bmp", false, false}};
    fake.tree[L"C:\\images\\20240103\\"] = {{L"00001.bmp", false, false}, {L"00002.bmp", false, true}};
    ClearFolder(L"C:\\images", L"Glimra.ini", L"", fake);
    EXPECT_EQ(fake.calls, (Names{L"list C:\\images\\", L"list C:\\images\\20240103\\",
                                 L"delete C:\\images\\20240103\\00001.bmp", L"rmdir C:\\images\\20240103"}));
}

// Wine cannot make a junction or a Windows link, but shows a Unix link to a folder as a reparse point.
TEST(ClearFolderSafety, UnixLinkToAFolderIsNotFollowed) {
    using UnixName = char*(__cdecl*)(const wchar_t*);
    const auto unixName = reinterpret_cast<UnixName>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "wine_get_unix_file_name")));
    if (unixName == nullptr) GTEST_SKIP() << "not under Wine";
    ScratchDir cleared, outside;
    WriteBytes(outside / L"00001.bmp", {'x'});
    const std::wstring link = cleared / L"20240101";
    const auto shell = [](const std::string& command) {  // the paths are the scratch folder's, ASCII
        return StartUnix(L"/bin/sh -c \"" + std::wstring(command.begin(), command.end()) + L"\"");
    };
    const auto unixPath = [&](const std::wstring& path) {
        char* name = unixName(path.c_str());
        const std::string text = name;
        HeapFree(GetProcessHeap(), 0, name);
        return text;
    };
    const std::string unixLink = unixPath(link);
    if (!shell("ln -s '" + unixPath(outside.Path()) + "' '" + unixLink + "'")) GTEST_SKIP() << "no Unix shell";
    const bool linked = WaitUntil([&] { return FileExists(link + L"\\00001.bmp"); });  // seen through the link
    if (linked) ClearFolder(cleared.Path(), L"Glimra.ini");
    EXPECT_EQ(NamesIn(outside.Path()), Names{L"00001.bmp"});
    shell("rm -f '" + unixLink + "'");  // Wine cannot remove such a link itself
    EXPECT_TRUE(linked);
}

}  // namespace
}  // namespace Vorlune::Test
