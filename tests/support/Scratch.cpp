#include "Scratch.h"

#include <atomic>
#include <cwchar>
#include <fstream>
#include <iterator>
#include <stdexcept>

#include "ui/GdiOwners.h"

namespace Vorlune::Test {

std::wstring ExeFolder() {
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    return std::wstring(path, wcsrchr(path, L'\\') + 1);
}

std::wstring GlimraExePath() { return ExeFolder() + L"Glimra.exe"; }

namespace {
// Links are removed, never entered.
void RemoveTree(std::wstring path) {
    if (!path.empty() && path.back() == L'\\') path.pop_back();
    const DWORD attributes = GetFileAttributesW(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) return;
    if ((attributes & FILE_ATTRIBUTE_DIRECTORY) && !(attributes & FILE_ATTRIBUTE_REPARSE_POINT)) {
        WIN32_FIND_DATAW data;
        const FindHandle find(FindFirstFileW((path + L"\\*").c_str(), &data));
        for (BOOL more = find.Valid(); more; more = FindNextFileW(find.get(), &data))
            if (wcscmp(data.cFileName, L".") != 0 && wcscmp(data.cFileName, L"..") != 0)
                RemoveTree(path + L"\\" + data.cFileName);
    }
    SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    if (!DeleteFileW(path.c_str())) RemoveDirectoryW(path.c_str());
}
}  // namespace

ScratchDir::ScratchDir() {
    // One root per test process, emptied at its first use.
    static const std::wstring root = [] {
        std::wstring path = ExeFolder() + L"scratch\\";
        CreateDirectoryW(path.c_str(), nullptr);
        path += std::to_wstring(GetCurrentProcessId()) + L"\\";
        RemoveTree(path);
        CreateDirectoryW(path.c_str(), nullptr);
        return path;
    }();
    static std::atomic<int> counter{0};
    path_ = root + std::to_wstring(++counter) + L"\\";
    if (!CreateDirectoryW(path_.c_str(), nullptr)) throw std::runtime_error("cannot create scratch folder");
}

ScratchDir::~ScratchDir() { RemoveTree(path_); }

bool FileExists(const std::wstring& path) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::vector<unsigned char> ReadBytes(const std::wstring& path) {
    std::ifstream in(path.c_str(), std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void WriteBytes(const std::wstring& path, const std::vector<unsigned char>& bytes) {
    std::ofstream out(path.c_str(), std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    if (!out) throw std::runtime_error("cannot write " + Narrow(path));
}

// wchar_t is UTF-16LE on Windows: the bytes are the text's own.
std::wstring ReadUtf16File(const std::wstring& path) {
    const auto bytes = ReadBytes(path);
    const size_t start = (bytes.size() >= 2 && bytes[0] == 0xFF && bytes[1] == 0xFE) ? 2 : 0;
    return std::wstring(reinterpret_cast<const wchar_t*>(bytes.data() + start), (bytes.size() - start) / 2);
}

void WriteUtf16File(const std::wstring& path, const std::wstring& text) {
    std::vector<unsigned char> bytes = {0xFF, 0xFE};
    const auto* data = reinterpret_cast<const unsigned char*>(text.data());
    bytes.insert(bytes.end(), data, data + text.size() * 2);
    WriteBytes(path, bytes);
}

}  // namespace Vorlune::Test
