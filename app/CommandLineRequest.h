#pragma once
#include <windows.h>

#include <optional>
#include <string>

#include "Capture/CaptureRequest.h"
#include "app/CommandDispatch.h"
#include "core/CommandLine.h"

namespace Vorlune {

// What the command line asks of a command's output.
CaptureRequest RequestOf(const CommandOptions& options);

// The mode of a command of the command line: its options pick the variant, not the toggles.
CommandIndex CommandIndexOf(const CommandOptions& options);

// The rectangle picked last, as it lies on today's monitors, in area; else why there is none.
std::wstring PlaceLastRegion(std::optional<RECT>& area);

// The area of the screen a command captures at once, in area: its --region, or for last-region
// the rectangle picked last, each as far as it lies on the monitors. Empty when the command can
// go on, else what stops it: a file that is there already, no area on a monitor, a day folder
// that cannot take the image.
std::wstring CommandLineRefusal(const CommandOptions& options, std::optional<RECT>& area);

}  // namespace Vorlune
