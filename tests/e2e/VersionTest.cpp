#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "Scratch.h"
#include "app/AppContext.h"
#include "settings/VersionInfo.h"

namespace Vorlune::Test {
namespace {

constexpr wchar_t kNotice[] = L"Copyright (C) 2026 The Glimra authors";

TEST(Version, ResourceOfTheExecutable) {
    const std::wstring exe = GlimraExePath();
    const DWORD size = GetFileVersionInfoSizeW(exe.c_str(), nullptr);
    ASSERT_GT(size, 0u);
    std::vector<unsigned char> block(size);
    ASSERT_TRUE(GetFileVersionInfoW(exe.c_str(), 0, size, block.data()));
    void* value = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueW(block.data(), L"\\", &value, &length));
    const auto* fixed = static_cast<const VS_FIXEDFILEINFO*>(value);
    EXPECT_EQ(fixed->dwFileVersionMS, MAKELONG(0, 1));
    EXPECT_EQ(fixed->dwFileVersionLS, 0u);
    ASSERT_TRUE(VerQueryValueW(block.data(), L"\\VarFileInfo\\Translation", &value, &length));
    ASSERT_EQ(length, 4u);
    EXPECT_EQ(static_cast<const WORD*>(value)[0], 0x0411);
    EXPECT_EQ(static_cast<const WORD*>(value)[1], 1200);
    ASSERT_TRUE(VerQueryValueW(block.data(), L"\\StringFileInfo\\041104B0\\LegalCopyright", &value, &length));
    EXPECT_STREQ(static_cast<const wchar_t*>(value), kNotice);
}

TEST(Version, VersionLineAsTheProgramBuildsIt) {
    AppContext context(GlimraExePath());
    EXPECT_EQ(context.GetText(TextVersion), L" \u30D0\u30FC\u30B8\u30E7\u30F3 1.0.0.0");
    EXPECT_EQ(context.GetText(TextLegalNotice), kNotice);
    context.Language = 1;
    EXPECT_EQ(context.GetText(TextVersion), L" Version 1.0.0.0");
    EXPECT_EQ(context.GetText(TextLegalNotice), kNotice);
    EXPECT_EQ(context.GetText(TextWebPage).rfind(L"https://", 0), 0u);
}

// A version resource node: length, value length, type, key, value and children, each
// part aligned to four bytes from the start of the block.
struct Node {
    std::wstring key;
    std::vector<unsigned char> value;
    WORD valueLength = 0;  // bytes for binary values, characters for text
    bool text = false;
    std::vector<Node> children;
};

void Align(std::vector<unsigned char>& bytes) {
    while (bytes.size() % 4 != 0) bytes.push_back(0);
}

void PutWord(std::vector<unsigned char>& bytes, size_t at, WORD word) {
    bytes[at] = static_cast<unsigned char>(word & 0xFF);
    bytes[at + 1] = static_cast<unsigned char>(word >> 8);
}

std::vector<unsigned char> Serialize(const Node& node) {
    std::vector<unsigned char> bytes(6, 0);
    for (wchar_t c : node.key + L'\0') {
        bytes.push_back(static_cast<unsigned char>(c & 0xFF));
        bytes.push_back(static_cast<unsigned char>(c >> 8));
    }
    Align(bytes);
    bytes.insert(bytes.end(), node.value.begin(), node.value.end());
    for (const Node& child : node.children) {
        Align(bytes);
        const std::vector<unsigned char> inner = Serialize(child);
        bytes.insert(bytes.end(), inner.begin(), inner.end());
    }
    PutWord(bytes, 0, static_cast<WORD>(bytes.size()));
    PutWord(bytes, 2, node.valueLength);
    PutWord(bytes, 4, node.text ? 1 : 0);
    return bytes;
}

template <class T>
std::vector<unsigned char> BytesOf(const T& value, size_t size = sizeof(T)) {
    std::vector<unsigned char> bytes(size);
    std::memcpy(bytes.data(), &value, size);
    return bytes;
}

Node TextValue(const std::wstring& key, const std::wstring& text) {
    const std::wstring withZero = text + L'\0';
    return {key, BytesOf(withZero[0], withZero.size() * 2), static_cast<WORD>(withZero.size()), true, {}};
}

Node Root(WORD fixedLength, bool withTranslation, WORD translationLength = 4, WORD language = 0x0411) {
    VS_FIXEDFILEINFO fixed = {};
    fixed.dwSignature = VS_FFI_SIGNATURE;
    fixed.dwStrucVersion = 0x00010000;
    fixed.dwFileVersionMS = MAKELONG(2, 1);
    fixed.dwFileVersionLS = MAKELONG(4, 3);
    Node root{L"VS_VERSION_INFO", BytesOf(fixed, fixedLength), fixedLength, false, {}};
    Node strings{L"StringFileInfo", {}, 0, true, {{L"041104B0", {}, 0, true, {TextValue(L"LegalCopyright", L"(C) test")}}}};
    root.children.push_back(strings);
    if (withTranslation) {
        // A short length still has the code page behind it, where a careless reader finds it.
        const WORD pair[2] = {language, 1200};
        Node translation{L"Translation", BytesOf(pair), translationLength, false, {}};
        root.children.push_back({L"VarFileInfo", {}, 0, true, {translation}});
    }
    return root;
}

// A copy of Glimra.exe whose only resource is the version block, or none when it is empty.
std::wstring ExeWithVersion(const ScratchDir& folder, const std::wstring& name,
                            const std::vector<unsigned char>& block) {
    const std::wstring path = folder / name;
    EXPECT_TRUE(CopyFileW(GlimraExePath().c_str(), path.c_str(), FALSE));
    HANDLE update = BeginUpdateResourceW(path.c_str(), TRUE);
    EXPECT_NE(update, nullptr);
    if (!block.empty()) {
        EXPECT_TRUE(UpdateResourceW(update, RT_VERSION, MAKEINTRESOURCEW(VS_VERSION_INFO), 0,
                                    const_cast<unsigned char*>(block.data()), static_cast<DWORD>(block.size())));
    }
    EXPECT_TRUE(EndUpdateResourceW(update, FALSE));
    return path;
}

TEST(Version, DamagedOrMissingResourceGivesEmptyTexts) {
    ScratchDir folder;
    struct Case {
        const wchar_t* name;
        std::vector<unsigned char> block;
        const wchar_t* version;
        const wchar_t* notice;
    };
    const Case cases[] = {
        {L"whole.exe", Serialize(Root(sizeof(VS_FIXEDFILEINFO), true)), L"1.2.3.4", L"(C) test"},
        {L"none.exe", {}, L"", L""},
        {L"notranslation.exe", Serialize(Root(sizeof(VS_FIXEDFILEINFO), false)), L"1.2.3.4", L""},
        {L"shortfixed.exe", Serialize(Root(8, true)), L"", L"(C) test"},
        {L"shorttranslation.exe", Serialize(Root(sizeof(VS_FIXEDFILEINFO), true, 2)), L"1.2.3.4", L""},
        {L"othertranslation.exe", Serialize(Root(sizeof(VS_FIXEDFILEINFO), true, 4, 0x0409)), L"1.2.3.4", L""},
    };
    for (const Case& item : cases) {
        SCOPED_TRACE(Narrow(item.name));
        const std::wstring exe = ExeWithVersion(folder, item.name, item.block);
        const VersionTexts texts = ReadVersionTexts(exe);
        EXPECT_EQ(texts.fileVersion, item.version);
        EXPECT_EQ(texts.legalNotice, item.notice);
        AppContext context(exe);
        EXPECT_EQ(context.GetText(TextVersion), std::wstring(L" \u30D0\u30FC\u30B8\u30E7\u30F3 ") + item.version);
        context.Language = 1;
        EXPECT_EQ(context.GetText(TextVersion), std::wstring(L" Version ") + item.version);
        EXPECT_EQ(context.GetText(TextLegalNotice), item.notice);
    }
}

}  // namespace
}  // namespace Vorlune::Test
