#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "Capture/CapturedImage.h"

// A pin shown by a process of Glimra of its own, for a command whose standard output a reader
// waits to see end: under Wine nothing but the end of the process that was given that output
// ends it, whatever the process closes.
namespace Vorlune {

// Writes image to a file in the temp folder and starts Glimra without this process's standard
// handles to pin it with its top-left pixel at topLeft. Throws AnExceptionImpl when the file
// cannot be written, CaptureException when the process cannot be started.
void ShowPinInOwnProcess(const CapturedImage& image, POINT topLeft);

// The arguments of such a start.
bool IsPinProcess(const std::vector<std::wstring>& args);
// Shows the pin from its file, which goes, until it is closed; returns the exit code.
int RunPinProcess(const std::vector<std::wstring>& args);

}  // namespace Vorlune
