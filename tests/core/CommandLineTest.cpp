#include "core/CommandLine.h"

#include <gtest/gtest.h>

namespace Vorlune {
namespace {

TEST(CommandLine, NoArgumentsStartTheToolbar) {
    const ParseResult result = ParseCommandLine({});
    EXPECT_TRUE(result.Ok());
    EXPECT_EQ(result.options.command, Command::None);
}

TEST(CommandLine, EachCommandIsNamedByItsWord) {
    struct Named {
        const wchar_t* word;
        Command command;
    } named[] = {{L"rectangle", Command::Rectangle},        {L"window", Command::Window},
                 {L"hidden-window", Command::HiddenWindow}, {L"desktop", Command::Desktop},
                 {L"last-region", Command::LastRegion},     {L"scrolling", Command::Scrolling},
                 {L"settings", Command::Settings},          {L"--help", Command::Help},
                 {L"--version", Command::Version}};
    for (const Named& n : named) {
        const ParseResult result = ParseCommandLine({n.word});
        EXPECT_TRUE(result.Ok()) << n.word;
        EXPECT_EQ(result.options.command, n.command) << n.word;
    }
}

TEST(CommandLine, FlagsSetTheirOptions) {
    const CommandOptions options =
        ParseCommandLine({L"rectangle", L"--zoom", L"--raw", L"--no-clipboard", L"--no-viewer", L"--cursor", L"--pin"})
            .options;
    EXPECT_TRUE(options.zoom);
    EXPECT_TRUE(options.raw);
    EXPECT_TRUE(options.noClipboard);
    EXPECT_TRUE(options.noViewer);
    EXPECT_EQ(options.cursor, true);
    EXPECT_TRUE(options.pin);
}

TEST(CommandLine, BothWindowCommandsOfferChildWindows) {
    for (const wchar_t* command : {L"window", L"hidden-window"})
        EXPECT_TRUE(ParseCommandLine({command, L"--children"}).options.children) << command;
}

TEST(CommandLine, ScrollingTakesItsOwnOptionsAndTheOutputOnes) {
    const CommandOptions options =
        ParseCommandLine({L"scrolling", L"--region", L"1,2,3,4", L"--manual", L"--horizontal", L"--max-height=1000000",
                          L"--file", L"long.png", L"--no-clipboard", L"--no-viewer", L"--pin", L"--cursor"})
            .options;
    EXPECT_EQ(options.command, Command::Scrolling);
    EXPECT_EQ(options.region, (Rect{1, 2, 4, 6}));
    EXPECT_TRUE(options.manual);
    EXPECT_TRUE(options.horizontal);
    EXPECT_EQ(options.maxHeight, 1000000);
    EXPECT_EQ(options.file, L"long.png");
    EXPECT_TRUE(options.noClipboard);
    EXPECT_TRUE(options.noViewer);
    EXPECT_TRUE(options.pin);
    EXPECT_EQ(options.cursor, true);
}

TEST(CommandLine, ValuesMayBeTheNextArgument) {
    const CommandOptions options = ParseCommandLine({L"desktop", L"--delay", L"15", L"--region", L"-10,20,30,40",
                                                     L"--file", L"out.bmp", L"--no-cursor"})
                                       .options;
    EXPECT_EQ(options.delaySeconds, 15);
    EXPECT_EQ(options.region, (Rect{-10, 20, 20, 60}));
    EXPECT_EQ(options.file, L"out.bmp");
    EXPECT_EQ(options.cursor, false);
}

TEST(CommandLine, ValuesMayFollowAnEqualsSign) {
    const CommandOptions options =
        ParseCommandLine({L"desktop", L"--delay=1", L"--region=0,0,5,6", LR"(--file=C:\a=b\shot.PNG)"}).options;
    EXPECT_EQ(options.delaySeconds, 1);
    EXPECT_EQ(options.region, (Rect{0, 0, 5, 6}));
    EXPECT_EQ(options.file, LR"(C:\a=b\shot.PNG)");
}

TEST(CommandLine, ABadArgumentIsRefusedWithItsFaultAndTheArgument) {
    struct Bad {
        std::vector<std::wstring> args;
        ArgumentError error;
        const wchar_t* argument;
    } bad[] = {
        {{L"snap"}, ArgumentError::UnknownCommand, L"snap"},
        {{L"--zoom"}, ArgumentError::UnknownCommand, L"--zoom"},
        {{L"rectangle", L"--colour=red"}, ArgumentError::UnknownOption, L"--colour=red"},
        {{L"rectangle", L"window"}, ArgumentError::UnknownOption, L"window"},
        {{L"window", L"--zoom"}, ArgumentError::NotForCommand, L"--zoom"},
        {{L"rectangle", L"--children"}, ArgumentError::NotForCommand, L"--children"},
        {{L"rectangle", L"--delay", L"3"}, ArgumentError::NotForCommand, L"--delay"},
        {{L"settings", L"--pin"}, ArgumentError::NotForCommand, L"--pin"},
        {{L"rectangle", L"--manual"}, ArgumentError::NotForCommand, L"--manual"},
        {{L"desktop", L"--horizontal"}, ArgumentError::NotForCommand, L"--horizontal"},
        {{L"window", L"--max-height=500"}, ArgumentError::NotForCommand, L"--max-height"},
        {{L"scrolling", L"--zoom"}, ArgumentError::NotForCommand, L"--zoom"},
        {{L"scrolling", L"--delay", L"3"}, ArgumentError::NotForCommand, L"--delay"},
        {{L"--help", L"rectangle"}, ArgumentError::NotAlone, L"--help"},
        {{L"desktop", L"--version"}, ArgumentError::NotAlone, L"--version"},
        {{L"desktop", L"--raw", L"--raw"}, ArgumentError::RepeatedOption, L"--raw"},
        {{L"desktop", L"--delay"}, ArgumentError::MissingValue, L"--delay"},
        {{L"desktop", L"--file="}, ArgumentError::MissingValue, L"--file"},
        {{L"desktop", L"--raw=1"}, ArgumentError::UnexpectedValue, L"--raw"},
        {{L"desktop", L"--delay", L"0"}, ArgumentError::BadDelay, L"0"},
        {{L"desktop", L"--delay=16"}, ArgumentError::BadDelay, L"16"},
        {{L"desktop", L"--delay", L"4294967299"}, ArgumentError::BadDelay, L"4294967299"},
        {{L"scrolling", L"--max-height", L"0"}, ArgumentError::BadMaxHeight, L"0"},
        {{L"scrolling", L"--max-height", L"-5"}, ArgumentError::BadMaxHeight, L"-5"},
        {{L"scrolling", L"--max-height=tall"}, ArgumentError::BadMaxHeight, L"tall"},
        {{L"scrolling", L"--max-height", L"1000001"}, ArgumentError::BadMaxHeight, L"1000001"},
        {{L"window", L"--region", L"1,2,0,4"}, ArgumentError::BadRegion, L"1,2,0,4"},
        {{L"window", L"--file", L"shot.jpg"}, ArgumentError::BadFileType, L"shot.jpg"},
        {{L"window", L"--file", L"shot"}, ArgumentError::BadFileType, L"shot"},
        {{L"window", L"--raw", L"--file", L"a.png"}, ArgumentError::RawWithFile, L"--raw"},
        {{L"window", L"--cursor", L"--no-cursor"}, ArgumentError::CursorWithNoCursor, L"--no-cursor"},
    };
    for (const Bad& b : bad) {
        SCOPED_TRACE(testing::PrintToString(b.args));
        const ParseResult result = ParseCommandLine(b.args);
        EXPECT_EQ(result.error, b.error);
        EXPECT_EQ(result.argument, b.argument);
    }
}

TEST(CommandLine, TheFileExtensionChoosesTheFormatInAnyCase) {
    EXPECT_EQ(FileFormatOf(L"a.PnG"), ImageFormatPng);
    EXPECT_EQ(FileFormatOf(LR"(C:\shots\a.Bmp)"), ImageFormatBmp);
    EXPECT_EQ(FileFormatOf(LR"(C:\shots.png\a)"), std::nullopt);
}

TEST(CommandLine, TheErrorTextNamesTheOptionAndTheCommand) {
    EXPECT_EQ(ErrorText(ParseCommandLine({L"rectangle", L"--children"})), L"--children does not go with rectangle");
}

TEST(CommandLine, TheMaxHeightErrorGivesTheRangeAndTheValue) {
    EXPECT_EQ(ErrorText(ParseCommandLine({L"scrolling", L"--max-height", L"0"})),
              L"--max-height takes whole pixels from 1 to 1000000: 0");
}

TEST(CommandLine, TheHelpNamesTheScrollingCommandAndItsOptions) {
    EXPECT_NE(UsageLine().find(L"|scrolling|"), std::wstring::npos);
    const std::wstring help = HelpText();
    for (const wchar_t* word : {L"\n  scrolling ", L"--manual", L"--horizontal", L"--max-height N"})
        EXPECT_NE(help.find(word), std::wstring::npos) << word;
}

}  // namespace
}  // namespace Vorlune
