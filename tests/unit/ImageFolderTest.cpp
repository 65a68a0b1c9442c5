#include <gtest/gtest.h>

#include <functional>
#include <map>

#include "OutputTestSupport.h"
#include "Process.h"
#include "settings/ImageFolder.h"
#include "settings/SettingsStore.h"
#include "settings/TempFolder.h"

namespace Vorlune::Test {
namespace {

using Names = std::vector<std::wstring>;

TEST(ImageFolder, SaveFolderSettingOrTempFolder) {
    OutputSettings settings(L"", 0, L"mspaint");
    EXPECT_EQ(GetSaveFolder(), GetTempFolderPath());
    EXPECT_EQ(GetSaveFolder().substr(GetSaveFolder().size() - 11), L"__GLIMRA__\\");
    Settings().SetString(KeySaveFolder, L"D:\\Pictures\\caps");
    EXPECT_EQ(GetSaveFolder(), L"D:\\Pictures\\caps");
}

TEST(ImageFolder, ListFolderGivesEveryEntryOnce) {
    ScratchDir folder;
    TouchFile(folder / L"a.bmp");
    TouchFile(folder / L"b.txt");
    CreateDirectoryW((folder / L"sub").c_str(), nullptr);
    TouchFile(folder / L"sub\\inner.bmp");
    Names names = {L"stale"};
    ListFolder(folder.Path(), names);
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (Names{L"a.bmp", L"b.txt", L"sub"}));
    ListFolder(folder / L"missing\\", names);
    EXPECT_TRUE(names.empty());
}

class ClearFolderTest : public ::testing::Test {
protected:
    void SetUp() override {
        TouchFile(root_ / L"Glimra.ini");
        TouchFile(root_ / L"GLIMRA.INI.bak");
        TouchFile(root_ / L"loose.txt");
        for (const wchar_t* day : {L"20240101", L"20240102"}) {
            CreateDirectoryW((root_ / day).c_str(), nullptr);
            TouchFile(root_ / day + L"\\00001.bmp");
            TouchFile(root_ / day + L"\\00002.bmp");
        }
        CreateDirectoryW((root_ / L"deep").c_str(), nullptr);
        CreateDirectoryW((root_ / L"deep\\er").c_str(), nullptr);
        TouchFile(root_ / L"deep\\er\\Glimra.ini");
        TouchFile(root_ / L"deep\\er\\other.bmp");
        TouchFile(root_ / L"deep\\glimra.ini");  // differs in case only: goes
        TouchFile(root_ / L"locked.bmp");
        SetFileAttributesW((root_ / L"locked.bmp").c_str(), FILE_ATTRIBUTE_READONLY);
    }
    void TearDown() override { SetFileAttributesW((root_ / L"locked.bmp").c_str(), FILE_ATTRIBUTE_NORMAL); }

    ScratchDir root_;
};

TEST_F(ClearFolderTest, KeepsOnlyTheIniAtAnyDepthAndWhatCannotBeDeleted) {
    std::wstring folder = root_.Path();
    folder.pop_back();  // without the trailing backslash
    ClearFolder(folder, L"Glimra.ini");
    EXPECT_TRUE(FolderExists(folder));
    EXPECT_EQ(NamesIn(root_.Path()), (Names{L"Glimra.ini", L"deep", L"locked.bmp"}));
    EXPECT_EQ(NamesIn(root_ / L"deep"), Names{L"er"});
    EXPECT_EQ(NamesIn(root_ / L"deep\\er"), Names{L"Glimra.ini"});
}

TEST_F(ClearFolderTest, SparesTheSettingsFileByPath) {
    CreateDirectoryW((root_ / L"settings").c_str(), nullptr);
    TouchFile(root_ / L"settings\\Store.INI");
    ClearFolder(root_.Path(), L"Glimra.ini", root_ / L"SETTINGS\\store.ini", RealFolderOperations());
    EXPECT_EQ(NamesIn(root_ / L"settings"), Names{L"Store.INI"});
    // The process's own store: its file stays even when the keep name does not match it.
    Settings().SetInt(SectionSettings, KeyDeleteImage, 0);
    ASSERT_TRUE(FileExists(Settings().Path()));
    TouchFile(GetTempFolderPath() + L"stray.bmp");
    ClearFolder(GetTempFolderPath(), L"nothing.ini");
    EXPECT_TRUE(FileExists(Settings().Path()));
    EXPECT_FALSE(FileExists(GetTempFolderPath() + L"stray.bmp"));
}

// Records what ClearFolder asks of the file system; serves a fixed tree.
class FakeFolders : public FolderOperations {
public:
    std::map<std::wstring, std::vector<FolderEntry>> tree;
    std::vector<std::wstring> calls;

    std::vector<FolderEntry> List(const std::wstring& folder) override {
        calls.push_back(L"list " + folder);
        return tree[folder];
    }
    void DeleteFileAt(const std::wstring& path) override { calls.push_back(L"delete " + path); }
    void RemoveFolderAt(const std::wstring& path) override { calls.push_back(L"rmdir " + path); }
};

TEST(ClearFolderSafety, RefusesEmptyRelativeAndRootFolders) {
    for (const wchar_t* folder : {L"", L"images", L".\\images", L"..", L"C:", L"C:images", L"\\", L"\\images", L"C:\\",
                                  L"c:/", L"C:\\images\\..", L"C:\\images\\..\\.", L"\\\\server\\share",
                                  L"\\\\server\\share\\", L"\\\\server", L"\\\\?\\C:\\", L"\\\\?\\UNC\\server\\share",
                                  // Roots that do not look like one: a volume by its name, a device.
                                  L"\\\\?\\Volume{01234567-89ab-cdef-0123-456789abcdef}\\",
                                  L"\\\\?\\GLOBALROOT\\Device\\HarddiskVolume1\\"}) {
        SCOPED_TRACE(Narrow(folder));
        FakeFolders fake;
        fake.tree[L"C:\\"] = {{L"windows", true, false}};
        ClearFolder(folder, L"Glimra.ini", L"", fake);
        EXPECT_TRUE(fake.calls.empty());
        EXPECT_FALSE(IsClearableFolder(folder));
    }
    for (const wchar_t* folder :
         {L"C:\\images", L"C:\\images\\", L"\\\\server\\share\\images", L"\\\\?\\C:\\images"}) {
        SCOPED_TRACE(Narrow(folder));
        FakeFolders fake;
        ClearFolder(folder, L"Glimra.ini", L"", fake);
        EXPECT_EQ(fake.calls.size(), 1u);
    }
}

TEST(ClearFolderSafety, RemovesLinksWithoutEnteringThem) {
    FakeFolders fake;
    fake.tree[L"C:\\images\\"] = {{L"junction", true, true}, {L"file link", false, true}, {L"day", true, false}};
    fake.tree[L"C:\\images\\junction\\"] = {{L"precious.txt", false, false}};
    fake.tree[L"C:\\images\\day\\"] = {{L"00001.bmp", false, false}};
    ClearFolder(L"C:\\images", L"Glimra.ini", L"", fake);
    EXPECT_EQ(fake.calls, (Names{L"list C:\\images\\", L"rmdir C:\\images\\junction", L"delete C:\\images\\file link",
                                 L"list C:\\images\\day\\", L"delete C:\\images\\day\\00001.bmp",
                                 L"rmdir C:\\images\\day"}));
}

// Starts a Unix program through Wine; false when it cannot be started.
bool RunUnix(const std::wstring& program, std::wstring commandLine) {
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    if (!CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &process))
        return false;
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return true;
}

// Wine cannot make a junction or a Windows symbolic link (CreateSymbolicLinkW reports
// success and makes nothing; FSCTL_SET_REPARSE_POINT is not supported), but it shows a
// Unix link to a folder as a reparse point. Such a link is made with the Unix ln.
TEST(ClearFolderSafety, UnixLinkToAFolderIsNotFollowed) {
    using UnixName = char*(__cdecl*)(const wchar_t*);
    const auto unixName =
        reinterpret_cast<UnixName>(reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"kernel32.dll"),
                                                                           "wine_get_unix_file_name")));
    if (unixName == nullptr) GTEST_SKIP() << "not under Wine";
    ScratchDir cleared;
    ScratchDir outside;
    TouchFile(outside / L"precious.txt");
    auto unixPath = [&](const std::wstring& path) {
        char* name = unixName(path.c_str());
        std::string result = name;
        HeapFree(GetProcessHeap(), 0, name);
        return result;
    };
    auto wide = [](const std::string& text) { return std::wstring(text.begin(), text.end()); };
    const std::string target = unixPath(outside.Path());
    const std::string link = unixPath(cleared / L"link");
    if (!RunUnix(L"Z:\\bin\\ln", L"/bin/ln -s " + wide(target) + L" " + wide(link))) GTEST_SKIP() << "no Unix ln";
    // Wine cannot remove such a link itself; whatever happens below, it goes again.
    struct RemoveLink {
        std::function<void()> run;
        ~RemoveLink() { run(); }
    } removeLink{[&] {
        RunUnix(L"Z:\\bin\\rm", L"/bin/rm -f " + wide(link));
        WaitUntil([&] { return GetFileAttributesW((cleared / L"link").c_str()) == INVALID_FILE_ATTRIBUTES; });
    }};
    // Wine's handle of a Unix process does not wait for its end: wait for the link.
    DWORD attributes = INVALID_FILE_ATTRIBUTES;
    ASSERT_TRUE(WaitUntil([&] {
        return (attributes = GetFileAttributesW((cleared / L"link").c_str())) != INVALID_FILE_ATTRIBUTES;
    }));
    ASSERT_TRUE(attributes & FILE_ATTRIBUTE_REPARSE_POINT);
    ASSERT_TRUE(FileExists(cleared / L"link\\precious.txt"));  // seen through the link

    ClearFolder(cleared.Path(), L"Glimra.ini");
    EXPECT_TRUE(FileExists(outside / L"precious.txt"));
    EXPECT_EQ(NamesIn(outside.Path()), Names{L"precious.txt"});
}

}  // namespace
}  // namespace Vorlune::Test
