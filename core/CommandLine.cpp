#include "core/CommandLine.h"

#include <bitset>
#include <iterator>

#include "core/DelaySeconds.h"
#include "core/Decimal.h"
#include "core/LastRegion.h"
#include "core/ScrollMaxHeight.h"

namespace Vorlune {

namespace {

struct CommandName {
    std::wstring_view name;
    Command command;
};

constexpr CommandName kCommands[] = {
    {L"rectangle", Command::Rectangle},        {L"window", Command::Window},
    {L"hidden-window", Command::HiddenWindow}, {L"desktop", Command::Desktop},
    {L"last-region", Command::LastRegion},     {L"scrolling", Command::Scrolling},
    {L"settings", Command::Settings},
};

constexpr std::wstring_view kHelp = L"--help";
constexpr std::wstring_view kVersion = L"--version";

enum class Option {
    Zoom,
    Children,
    Delay,
    Region,
    File,
    Raw,
    NoClipboard,
    NoViewer,
    Cursor,
    NoCursor,
    Pin,
    Manual,
    Horizontal,
    MaxHeight
};

struct OptionName {
    std::wstring_view name;
    Option option;
    bool takesValue;
};

constexpr OptionName kOptions[] = {
    {L"--zoom", Option::Zoom, false},
    {L"--children", Option::Children, false},
    {L"--delay", Option::Delay, true},
    {L"--region", Option::Region, true},
    {L"--file", Option::File, true},
    {L"--raw", Option::Raw, false},
    {L"--no-clipboard", Option::NoClipboard, false},
    {L"--no-viewer", Option::NoViewer, false},
    {L"--cursor", Option::Cursor, false},
    {L"--no-cursor", Option::NoCursor, false},
    {L"--pin", Option::Pin, false},
    {L"--manual", Option::Manual, false},
    {L"--horizontal", Option::Horizontal, false},
    {L"--max-height", Option::MaxHeight, true},
};

const OptionName* FindOption(std::wstring_view name) {
    for (const OptionName& option : kOptions)
        if (option.name == name) return &option;
    return nullptr;
}

std::wstring_view NameOf(Command command) {
    for (const CommandName& entry : kCommands)
        if (entry.command == command) return entry.name;
    return {};
}

bool AppliesTo(Option option, Command command) {
    switch (option) {
        case Option::Zoom: return command == Command::Rectangle;
        case Option::Children: return command == Command::Window || command == Command::HiddenWindow;
        case Option::Delay: return command == Command::Desktop;
        case Option::Manual:
        case Option::Horizontal:
        case Option::MaxHeight: return command == Command::Scrolling;
        default: return command != Command::Settings;
    }
}

ParseResult Fail(ParseResult result, ArgumentError error, std::wstring_view argument) {
    result.error = error;
    result.argument = argument;
    return result;
}

// Stores one option's value; the error it is refused with, else None.
ArgumentError Apply(CommandOptions& options, Option option, std::wstring_view value) {
    switch (option) {
        case Option::Zoom: options.zoom = true; break;
        case Option::Children: options.children = true; break;
        case Option::Raw: options.raw = true; break;
        case Option::NoClipboard: options.noClipboard = true; break;
        case Option::NoViewer: options.noViewer = true; break;
        case Option::Pin: options.pin = true; break;
        case Option::Manual: options.manual = true; break;
        case Option::Horizontal: options.horizontal = true; break;
        case Option::Cursor:
        case Option::NoCursor:
            // Neither repeats, so a cursor already chosen is the other option's.
            if (options.cursor) return ArgumentError::CursorWithNoCursor;
            options.cursor = option == Option::Cursor;
            break;
        case Option::Delay: {
            const auto seconds = ParseDecimal(value, Sign::NotAllowed);
            if (!seconds || *seconds < 1 || *seconds > kLongestDelaySeconds) return ArgumentError::BadDelay;
            options.delaySeconds = *seconds;
            break;
        }
        case Option::MaxHeight:
            options.maxHeight = ParseDecimal(value, Sign::NotAllowed);
            if (!options.maxHeight || *options.maxHeight < 1 || *options.maxHeight > kTallestScroll)
                return ArgumentError::BadMaxHeight;
            break;
        case Option::Region:
            options.region = ParseRegion(value);
            if (!options.region) return ArgumentError::BadRegion;
            break;
        case Option::File:
            if (!FileFormatOf(value)) return ArgumentError::BadFileType;
            options.file = value;
            break;
    }
    return ArgumentError::None;
}

std::optional<Command> CommandNamed(std::wstring_view name) {
    for (const CommandName& entry : kCommands)
        if (entry.name == name) return entry.command;
    return std::nullopt;
}

wchar_t FoldAscii(wchar_t c) { return c >= L'A' && c <= L'Z' ? static_cast<wchar_t>(c - L'A' + L'a') : c; }

bool EndsWithFolded(std::wstring_view text, std::wstring_view lowerSuffix) {
    if (text.size() < lowerSuffix.size()) return false;
    text.remove_prefix(text.size() - lowerSuffix.size());
    for (std::size_t i = 0; i < text.size(); ++i)
        if (FoldAscii(text[i]) != lowerSuffix[i]) return false;
    return true;
}

}  // namespace

ParseResult ParseCommandLine(const std::vector<std::wstring>& args) {
    ParseResult result;
    if (args.empty()) return result;
    const std::wstring& first = args.front();
    if (first == kHelp || first == kVersion) {
        result.options.command = first == kHelp ? Command::Help : Command::Version;
        if (args.size() > 1) return Fail(result, ArgumentError::NotAlone, first);
        return result;
    }
    const auto command = CommandNamed(first);
    if (!command) return Fail(result, ArgumentError::UnknownCommand, first);
    CommandOptions& options = result.options;
    options.command = *command;

    std::bitset<std::size(kOptions)> given;
    for (std::size_t i = 1; i < args.size(); ++i) {
        const std::wstring_view arg = args[i];
        const std::size_t equals = arg.find(L'=');
        const std::wstring_view name = arg.substr(0, equals);
        if (name == kHelp || name == kVersion) return Fail(result, ArgumentError::NotAlone, name);
        const OptionName* option = FindOption(name);
        if (!option) return Fail(result, ArgumentError::UnknownOption, arg);
        if (!AppliesTo(option->option, options.command)) return Fail(result, ArgumentError::NotForCommand, name);
        if (given[option - kOptions]) return Fail(result, ArgumentError::RepeatedOption, name);
        given[option - kOptions] = true;

        std::wstring_view value;
        if (equals != std::wstring_view::npos) {
            if (!option->takesValue) return Fail(result, ArgumentError::UnexpectedValue, name);
            value = arg.substr(equals + 1);
        } else if (option->takesValue && i + 1 < args.size()) {
            value = args[++i];
        }
        if (option->takesValue && value.empty()) return Fail(result, ArgumentError::MissingValue, name);
        const ArgumentError error = Apply(options, option->option, value);
        if (error != ArgumentError::None) return Fail(result, error, option->takesValue ? value : name);
    }
    if (options.raw && !options.file.empty()) return Fail(result, ArgumentError::RawWithFile, L"--raw");
    return result;
}

std::optional<ImageFormat> FileFormatOf(std::wstring_view path) {
    const std::wstring_view name = path.substr(path.find_last_of(L"\\/") + 1);
    if (EndsWithFolded(name, L".png")) return ImageFormatPng;
    if (EndsWithFolded(name, L".bmp")) return ImageFormatBmp;
    return std::nullopt;
}

std::wstring UsageLine() {
    return L"usage: Glimra [rectangle|window|hidden-window|desktop|last-region|scrolling|settings] [options]";
}

std::wstring HelpText() {
    return UsageLine() +
           L"\n"
           L"Without a command the toolbar starts.\n"
           L"\n"
           L"Commands:\n"
           L"  rectangle         pick a rectangle; --zoom shows the magnifier\n"
           L"  window            pick a window; --children offers its child windows too\n"
           L"  hidden-window     pick a partly covered window; --children as for window\n"
           L"  desktop           the whole desktop; --delay N counts down N seconds first (1-15)\n"
           L"  last-region       the rectangle picked last, again\n"
           L"  scrolling         a long image of an area while it scrolls; --manual: you scroll it,\n"
           L"                    --horizontal: sideways, --max-height N: at most N pixels (1-" +
           std::to_wstring(kTallestScroll) +
           L")\n"
           L"  settings          open the settings\n"
           L"  --help            this text\n"
           L"  --version         the version\n"
           L"\n"
           L"Options of every command but settings:\n"
           L"  --region X,Y,W,H  capture these virtual-screen pixels at once, without the overlay\n"
           L"  --file PATH       write the image to PATH, a PNG or a BMP by its extension (.png, .bmp)\n"
           L"  --raw             write the PNG to standard output and no file (not with --file)\n"
           L"  --no-clipboard    leave the clipboard as it is\n"
           L"  --no-viewer       do not open the image in the viewer\n"
           L"  --cursor          capture the mouse cursor too\n"
           L"  --no-cursor       leave the mouse cursor out\n"
           L"  --pin             also show the image pinned on the screen where it was taken\n"
           L"Values go as --delay 5 or --delay=5.\n"
           L"\n"
           L"Exit codes: 0 written, 1 cancelled, 2 error.\n";
}

std::wstring ErrorText(const ParseResult& result) {
    const std::wstring& argument = result.argument;
    switch (result.error) {
        case ArgumentError::None: return {};
        case ArgumentError::UnknownCommand: return L"unknown command: " + argument;
        case ArgumentError::UnknownOption: return L"unknown option: " + argument;
        case ArgumentError::NotForCommand:
            return argument + L" does not go with " + std::wstring(NameOf(result.options.command));
        case ArgumentError::NotAlone: return argument + L" takes no other arguments";
        case ArgumentError::RepeatedOption: return argument + L" is given twice";
        case ArgumentError::MissingValue: return argument + L" needs a value";
        case ArgumentError::UnexpectedValue: return argument + L" takes no value";
        case ArgumentError::BadDelay:
            return L"--delay takes whole seconds from 1 to " + std::to_wstring(kLongestDelaySeconds) + L": " + argument;
        case ArgumentError::BadMaxHeight:
            return L"--max-height takes whole pixels from 1 to " + std::to_wstring(kTallestScroll) + L": " + argument;
        case ArgumentError::BadRegion: return L"--region takes X,Y,W,H with W and H above 0: " + argument;
        case ArgumentError::BadFileType: return L"--file takes a .png or .bmp path: " + argument;
        case ArgumentError::RawWithFile: return L"--raw does not go with --file";
        case ArgumentError::CursorWithNoCursor: return L"--cursor does not go with --no-cursor";
    }
    return {};
}

}  // namespace Vorlune
