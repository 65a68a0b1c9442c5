#pragma once
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/Geometry.h"
#include "core/ImageFormat.h"

namespace Vorlune {

// What the program tells whoever started it.
constexpr int kExitWritten = 0;
constexpr int kExitCancelled = 1;
constexpr int kExitError = 2;

// None: no arguments, the toolbar starts as it always has.
enum class Command { None, Rectangle, Window, HiddenWindow, Desktop, LastRegion, Scrolling, Settings, Help, Version };

struct CommandOptions {
    Command command = Command::None;
    bool zoom = false;
    bool children = false;
    int delaySeconds = 0;  // 0: at once
    std::optional<Rect> region;
    std::wstring file;
    bool raw = false;
    bool noClipboard = false;
    bool noViewer = false;
    std::optional<bool> cursor;  // nothing: as the settings have it
    bool pin = false;
    bool manual = false;  // the user scrolls; nothing is scrolled for them
    bool horizontal = false;
    std::optional<int> maxHeight;  // nothing: as the settings have it
};

enum class ArgumentError {
    None,
    UnknownCommand,
    UnknownOption,
    NotForCommand,
    NotAlone,
    RepeatedOption,
    MissingValue,
    UnexpectedValue,
    BadDelay,
    BadRegion,
    BadMaxHeight,
    BadFileType,
    RawWithFile,
    CursorWithNoCursor,
};

struct ParseResult {
    CommandOptions options;
    ArgumentError error = ArgumentError::None;
    std::wstring argument;  // the offending option, or the value it was given
    bool Ok() const { return error == ArgumentError::None; }
};

// args without the program's name. The first is the command, or --help or --version alone;
// option values follow as the next argument or after "=".
ParseResult ParseCommandLine(const std::vector<std::wstring>& args);

// The format a path's extension names, .png or .bmp in any case; nothing for any other.
std::optional<ImageFormat> FileFormatOf(std::wstring_view path);

// English, for the console.
std::wstring UsageLine();
std::wstring HelpText();
// One line saying what was wrong with a result that is not Ok().
std::wstring ErrorText(const ParseResult& result);

}  // namespace Vorlune
