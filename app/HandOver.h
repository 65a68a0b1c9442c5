#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "Capture/CaptureRequest.h"
#include "core/CommandReply.h"
#include "ui/MessageMap.h"

namespace Vorlune {

// The toolbar's claim to be the one of the user's session, held until the process ends; false
// when another toolbar holds it.
bool ClaimSingleInstance();
// The toolbar of the session's running instance, or null when there is none.
HWND RunningToolbar();
// Asks it to come to the front, restored if minimised; false when it did not answer.
bool CallToFront(HWND toolbar);

// What a start with a command tells whoever started it, once the command has ended.
CommandReply ReplyOf(const CaptureResult& result);
// A path of the command line, as meant in the folder the command was given in.
std::wstring FullPathIn(const std::wstring& folder, const std::wstring& path);
std::wstring CurrentFolder();

// A later start's side: hands args (those after the program's name) to toolbar, waits until the
// command has ended there and returns what it hands back; an error when the toolbar refuses
// it or goes away first.
CommandReply HandOver(HWND toolbar, const std::vector<std::wstring>& args);

// The toolbar's side: a later start's call to the front, and its command, run as
// RunCommandLine runs it, the reply sent back to it.
void RegisterHandOverHandlers(MessageMap& map, HWND toolbar);

}  // namespace Vorlune
