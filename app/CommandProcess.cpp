#include "app/CommandProcess.h"

#include <shellapi.h>

#include "Capture/CaptureErrors.h"
#include "app/AppContext.h"
#include "app/CommandDispatch.h"
#include "app/ConsoleOutput.h"
#include "app/HandOver.h"
#include "app/MessageLoop.h"
#include "app/PinProcess.h"
#include "pin/Pins.h"
#include "resources/resource.h"
#include "settings/ModulePath.h"
#include "settings/SettingsStore.h"
#include "settings/TempFolder.h"
#include "settings/VersionInfo.h"
#include "ui/Dpi.h"
#include "ui/TextConversion.h"

namespace Vorlune {

namespace {

// The raw image to standard output and the report to standard error; the exit code, an error
// too when the image could not be handed out.
int Deliver(const CommandReply& reply) {
    if (!reply.report.empty()) WriteToStream(StandardStream::Error, reply.report);
    if (reply.png.empty() || WriteToStream(StandardStream::Output, reply.png)) return reply.exitCode;
    WriteToStream(StandardStream::Error, SystemReason(GetLastError()) + L"\r\n");
    return kExitError;
}

// What the toolbar's start-up sets up, but the toolbar: COM, the DPI, the title, the language.
bool PrepareProcess(HINSTANCE instance) {
    const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
    if (FAILED(com) && com != RPC_E_CHANGED_MODE) {
        WriteToStream(StandardStream::Error,
                      App().GetText(TextComStartFailed) + L"\r\n" + SystemReason(static_cast<DWORD>(com)) + L"\r\n");
        return false;
    }
    DeclareDpiAwareness();
    wchar_t title[100] = {};
    LoadStringW(instance, IDS_APP_TITLE, title, 100);
    App().title = title;
    App().instance = instance;
    App().Language = Store().GetToggle(TextLanguageToggle) == 1 ? 1 : 0;
    return true;
}

// Runs the command here, until it has ended. With --raw its pin goes to a process of its own, so
// that a reader of the image sees its end now, not when the pin closes.
int RunHere(const CommandOptions& options) {
    CreateDirectoryW(GetTempFolderPath().c_str(), nullptr);
    return RunCommandLoop([&] {
        RunCommandLine(
            options, nullptr,
            [](const CaptureResult& result) {
                // Told at once; the process stays while an image it pinned is on the screen.
                AfterLastPin([code = Deliver(ReplyOf(result))] { PostQuitMessage(code); });
            },
            options.raw ? PinShower(ShowPinInOwnProcess) : PinShower(ShowPin));
    });
}

}  // namespace

std::vector<std::wstring> ProgramArguments() {
    int count = 0;
    LPWSTR* args = CommandLineToArgvW(GetCommandLineW(), &count);
    std::vector<std::wstring> result;
    for (int i = 1; i < count; ++i) result.emplace_back(args[i]);
    LocalFree(args);
    return result;
}

int RunArguments(HINSTANCE instance, const std::vector<std::wstring>& args) {
    if (IsPinProcess(args)) return PrepareProcess(instance) ? RunPinProcess(args) : kExitError;
    const ParseResult parsed = ParseCommandLine(args);
    if (!parsed.Ok()) {
        WriteToStream(StandardStream::Error, ErrorText(parsed) + L"\n" + UsageLine() + L"\n");
        return kExitError;
    }
    CommandOptions options = parsed.options;
    switch (options.command) {
        case Command::Help: return WriteToStream(StandardStream::Output, HelpText()) ? kExitWritten : kExitError;
        case Command::Version: {
            const std::wstring line = L"Glimra " + ReadVersionTexts(RunningModulePath()).fileVersion + L"\n";
            return WriteToStream(StandardStream::Output, line) ? kExitWritten : kExitError;
        }
        default: break;
    }
    if (!PrepareProcess(instance)) return kExitError;
    if (HWND toolbar = RunningToolbar()) return Deliver(HandOver(toolbar, args));
    if (!options.file.empty()) options.file = FullPathIn(CurrentFolder(), options.file);
    return RunHere(options);
}

}  // namespace Vorlune
