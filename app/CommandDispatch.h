#pragma once
#include <windows.h>

#include <functional>
#include <memory>
#include <optional>
#include <unordered_map>

#include "Capture/ButtonActor.h"
#include "Capture/CaptureBase.h"
#include "Capture/CaptureRequest.h"
#include "core/CommandLine.h"
#include "pin/Pins.h"
#include "core/DoubleClick.h"
#include "ui/DoubleClicks.h"
#include "core/TextId.h"
#include "widgets/Button.h"

namespace Vorlune {

// The commands, in the order of their indexes.
enum CommandIndex : int {
    CommandRectangle,
    CommandRectangleWithMagnifier,
    CommandWindowTop,
    CommandWindowAll,
    CommandHiddenWindowTop,
    CommandHiddenWindowAll,
    CommandDesktop,
    CommandDelayedDesktop,
    CommandSettings,
};

// A command button's command: its id, and for the four capture buttons the toggle below it
// (any value but 0 picks the second variant).
CommandIndex GetCommandIndex(TextId buttonId);

// The actors of the commands, made on a command's first use and kept until exit.
class CommandTable {
public:
    ButtonActor& Action(CommandIndex index, HWND owner);
    // The same for a capture command, any but CommandSettings.
    CaptureBase& Capture(CommandIndex index, HWND owner);

private:
    std::unordered_map<int, std::unique_ptr<ButtonActor>> actors_;
};

CommandTable& Commands();

// What a command button's click runs: hides the toolbar and its hint and starts the command,
// unless one is running already; the toolbar comes back when the command has ended or failed,
// active, or with keyboardOwner given the keyboard back if it is still there. The second click
// of a double click whose first is click clicks nothing.
void RunCommand(TextId buttonId, HWND toolbar, HWND keyboardOwner, std::optional<ClickStamp> click = {});
void RunCommand(const Button& button, POINT releasedAt);

// What a hotkey pressed at pressedAt (its message time) runs: the button's command, unless a
// command ran at that moment; afterwards the keyboard goes back to the window that had it. A
// countdown holds up the queue, so its keys arrive after it.
void RunHotKeyCommand(TextId buttonId, HWND toolbar, DWORD pressedAt);

// A command is under way: its toolbar is away until it ends.
bool CommandRunning();

// The toolbar's clicks: one back before a double click's time is over (a desktop captured at
// once) must not take the second click for a new command.
SecondClickFilter& ToolbarSecondClicks();

// A command of the command line, with its options for this one capture: run as a hotkey's is,
// the toolbar (none in a process of its own) away meanwhile. onEnded gets the result once the
// toolbar is back, with --pin the image written is pinned, and the clipboard has taken or
// refused the image (the result's report says so then); a refusal (a capture under way,
// a file there already, a region on no monitor, no day folder) is a Failed result with its
// report, nothing captured.
// pin shows the image kept for --pin.
using PinShower = std::function<void(CapturedImage image, POINT topLeft)>;
void RunCommandLine(const CommandOptions& options, HWND toolbar, std::function<void(CaptureResult)> onEnded,
                    PinShower pin = ShowPin);

}  // namespace Vorlune
