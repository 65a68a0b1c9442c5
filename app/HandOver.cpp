#include "app/HandOver.h"

#include <cstdint>
#include <deque>
#include <optional>
#include <span>

#include <shlwapi.h>

#include "app/AppContext.h"
#include "app/CommandDispatch.h"
#include "core/ArgumentQuoting.h"
#include "core/CommandLine.h"
#include "resources/resource.h"
#include "ui/GdiOwners.h"
#include "ui/WindowClass.h"

namespace Vorlune {

namespace {

// What a WM_COPYDATA between two starts carries.
constexpr ULONG_PTR kCommandData = 0x474C0001;  // a command line, after the folder it was given in
constexpr ULONG_PTR kToFrontData = 0x474C0002;
constexpr ULONG_PTR kReplyData = 0x474C0003;  // a packed CommandReply
constexpr wchar_t kInstanceMutex[] = L"Local\\Glimra.Toolbar";
constexpr wchar_t kReplyClass[] = L"GlimraCommandReply";
// A toolbar that holds the claim may still be making its window.
constexpr DWORD kToolbarWaitMs = 5000;
constexpr DWORD kToolbarPollMs = 50;
// A toolbar busy longer than this (a countdown holds its thread) does not take the command.
constexpr UINT kSendTimeoutMs = 5000;
constexpr UINT kHandedOverDue = WM_APP + 21;

struct ReplyWindow {};

struct HandedOver {
    HWND replyTo;
    std::wstring line;
};
std::deque<HandedOver> handedOver;
std::optional<CommandReply> handedBack;

bool Send(HWND to, HWND from, ULONG_PTR kind, const void* data, std::size_t size) {
    COPYDATASTRUCT copy = {kind, static_cast<DWORD>(size), const_cast<void*>(data)};
    DWORD_PTR answer = FALSE;
    return SendMessageTimeoutW(to, WM_COPYDATA, reinterpret_cast<WPARAM>(from), reinterpret_cast<LPARAM>(&copy),
                               SMTO_NORMAL, kSendTimeoutMs, &answer) != 0 &&
           answer != FALSE;
}

std::span<const std::uint8_t> BytesOf(const COPYDATASTRUCT& copy) {
    return {static_cast<const std::uint8_t*>(copy.lpData), copy.cbData};
}

CommandReply ErrorReply(const std::wstring& text) { return {kExitError, text + L"\r\n", {}}; }

void Reply(HWND toolbar, HWND replyTo, const CommandReply& reply) {
    const std::vector<std::uint8_t> bytes = PackReply(reply);
    Send(replyTo, toolbar, kReplyData, bytes.data(), bytes.size());
}

void RunHandedOver(HWND toolbar) {
    if (handedOver.empty()) return;
    const HandedOver next = handedOver.front();
    handedOver.pop_front();
    std::vector<std::wstring> words = SplitArguments(next.line);
    const std::wstring folder = words.empty() ? std::wstring() : words.front();
    if (!words.empty()) words.erase(words.begin());
    ParseResult parsed = ParseCommandLine(words);
    if (!parsed.Ok() || parsed.options.command == Command::None)
        return Reply(toolbar, next.replyTo, ErrorReply(ErrorText(parsed) + L"\n" + UsageLine()));
    if (!parsed.options.file.empty()) parsed.options.file = FullPathIn(folder, parsed.options.file);
    RunCommandLine(parsed.options, toolbar, [toolbar, replyTo = next.replyTo](const CaptureResult& result) {
        Reply(toolbar, replyTo, ReplyOf(result));
    });
}

void ComeToFront(HWND toolbar) {
    if (CommandRunning()) return;  // it comes back by itself when the command ends
    ShowWindow(toolbar, IsIconic(toolbar) ? SW_RESTORE : SW_SHOW);
    SetForegroundWindow(toolbar);
}

std::wstring ResourceText(UINT id) {
    wchar_t text[100] = {};
    LoadStringW(GetModuleHandleW(nullptr), id, text, 100);
    return text;
}

}  // namespace

bool ClaimSingleInstance() {
    static KernelHandle claim;  // until the process ends
    claim = KernelHandle(CreateMutexW(nullptr, FALSE, kInstanceMutex));
    return claim.Valid() && GetLastError() != ERROR_ALREADY_EXISTS;
}

HWND RunningToolbar() {
    const KernelHandle claim(OpenMutexW(SYNCHRONIZE, FALSE, kInstanceMutex));
    if (!claim.Valid()) return nullptr;
    const std::wstring className = ResourceText(IDS_WINDOW_CLASS), title = ResourceText(IDS_APP_TITLE);
    const ULONGLONG start = GetTickCount64();
    for (;;) {
        if (HWND toolbar = FindWindowW(className.c_str(), title.c_str())) return toolbar;
        if (GetTickCount64() - start >= kToolbarWaitMs) return nullptr;
        Sleep(kToolbarPollMs);
    }
}

bool CallToFront(HWND toolbar) {
    DWORD process = 0;
    GetWindowThreadProcessId(toolbar, &process);
    AllowSetForegroundWindow(process);
    return Send(toolbar, nullptr, kToFrontData, nullptr, 0);
}

CommandReply ReplyOf(const CaptureResult& result) {
    const int code = result.outcome == CaptureOutcome::Written     ? kExitWritten
                     : result.outcome == CaptureOutcome::Cancelled ? kExitCancelled
                                                                   : kExitError;
    return {code, result.report, result.png};
}

std::wstring FullPathIn(const std::wstring& folder, const std::wstring& path) {
    const std::wstring joined = PathIsRelativeW(path.c_str()) ? folder + L"\\" + path : path;
    const DWORD size = GetFullPathNameW(joined.c_str(), 0, nullptr, nullptr);
    if (size == 0) return joined;
    std::wstring full(size, L'\0');
    const DWORD length = GetFullPathNameW(joined.c_str(), size, full.data(), nullptr);
    if (length == 0 || length >= size) return joined;
    full.resize(length);
    return full;
}

std::wstring CurrentFolder() {
    std::wstring folder(GetCurrentDirectoryW(0, nullptr), L'\0');
    folder.resize(GetCurrentDirectoryW(static_cast<DWORD>(folder.size()), folder.data()));
    return folder;
}

CommandReply HandOver(HWND toolbar, const std::vector<std::wstring>& args) {
    RegisterPlainWindowClass(kReplyClass, ClassWindowProcedure<ReplyWindow>);
    ClassMessageMap<ReplyWindow>().AddResultHandler(WM_COPYDATA, [](WPARAM, LPARAM l) -> INT_PTR {
        const auto& copy = *reinterpret_cast<const COPYDATASTRUCT*>(l);
        if (copy.dwData != kReplyData) return FALSE;
        handedBack = UnpackReply(BytesOf(copy));
        if (!handedBack) handedBack = ErrorReply(App().GetText(TextInstanceEnded));
        return TRUE;
    });
    const OwnedWindow window(CreateWindowExW(0, kReplyClass, nullptr, 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                             GetModuleHandleW(nullptr), nullptr));
    DWORD id = 0;
    GetWindowThreadProcessId(toolbar, &id);
    const KernelHandle process(OpenProcess(SYNCHRONIZE, FALSE, id));
    // The overlay of the capture must be let to the front.
    AllowSetForegroundWindow(id);

    std::vector<std::wstring> words = {CurrentFolder()};
    words.insert(words.end(), args.begin(), args.end());
    const std::wstring line = JoinArguments(words);
    if (!Send(toolbar, window.get(), kCommandData, line.data(), line.size() * sizeof(wchar_t)))
        return ErrorReply(App().GetText(TextCaptureUnderWay));
    const HANDLE gone = process.get();
    while (!handedBack) {
        if (MsgWaitForMultipleObjects(1, &gone, FALSE, INFINITE, QS_ALLINPUT) == WAIT_OBJECT_0)
            return ErrorReply(App().GetText(TextInstanceEnded));
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
    }
    return *handedBack;
}

void RegisterHandOverHandlers(MessageMap& map, HWND toolbar) {
    map.AddResultHandler(WM_COPYDATA, [toolbar](WPARAM from, LPARAM l) -> INT_PTR {
        const auto& copy = *reinterpret_cast<const COPYDATASTRUCT*>(l);
        if (copy.dwData == kToFrontData) {
            ComeToFront(toolbar);
            return TRUE;
        }
        if (copy.dwData != kCommandData) return FALSE;
        // Run from the toolbar's own loop: the sender waits only until the command is taken.
        handedOver.push_back({reinterpret_cast<HWND>(from),
                              std::wstring(static_cast<const wchar_t*>(copy.lpData), copy.cbData / sizeof(wchar_t))});
        PostMessageW(toolbar, kHandedOverDue, 0, 0);
        return TRUE;
    });
    map.AddHandler(kHandedOverDue, [toolbar](WPARAM, LPARAM) { RunHandedOver(toolbar); });
}

}  // namespace Vorlune
