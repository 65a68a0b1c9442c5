#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "core/CommandLine.h"

namespace Vorlune {

// The program's arguments after its name, split as CommandLineToArgvW splits them.
std::vector<std::wstring> ProgramArguments();

// A start with arguments: a refused one told on standard error with the usage, --help and
// --version answered on standard output, a command handed to the running instance or else
// run in this process without a toolbar. The exit code: kExitWritten, kExitCancelled or
// kExitError.
int RunArguments(HINSTANCE instance, const std::vector<std::wstring>& args);

}  // namespace Vorlune
