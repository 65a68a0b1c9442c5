#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "ui/TextConversion.h"

namespace Vorlune::Test {

// A fresh, empty folder under the test run's scratch root; removed again on destruction.
class ScratchDir {
public:
    ScratchDir();
    ~ScratchDir();
    ScratchDir(const ScratchDir&) = delete;
    ScratchDir& operator=(const ScratchDir&) = delete;
    const std::wstring& Path() const { return path_; }  // ends with a backslash
    std::wstring operator/(const std::wstring& name) const { return path_ + name; }

private:
    std::wstring path_;
};

// The folder of the running test executable, with a trailing backslash.
std::wstring ExeFolder();
std::wstring GlimraExePath();

bool FileExists(const std::wstring& path);
std::vector<unsigned char> ReadBytes(const std::wstring& path);
void WriteBytes(const std::wstring& path, const std::vector<unsigned char>& bytes);
// A UTF-16LE file with a byte-order mark, as the program writes its INI file.
std::wstring ReadUtf16File(const std::wstring& path);
void WriteUtf16File(const std::wstring& path, const std::wstring& text);

inline std::string Narrow(const std::wstring& text) { return ToCodePage(text, CP_UTF8); }

}  // namespace Vorlune::Test
