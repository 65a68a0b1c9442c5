#pragma once
#include <string>
#include <string_view>
#include <vector>

namespace Vorlune {

// A command line handed to a running instance, and back. The split follows CommandLineToArgvW
// (for the arguments after the program's name), so every argument comes back as it was:
// spaces, quotes and backslashes alike.
std::wstring JoinArguments(const std::vector<std::wstring>& args);
std::vector<std::wstring> SplitArguments(std::wstring_view line);

}  // namespace Vorlune
