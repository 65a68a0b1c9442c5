#include "app/CommandDispatch.h"

#include <exception>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "Capture/DesktopCapture.h"
#include "Capture/DwmQueries.h"
#include "Capture/HiddenWindowCapture.h"
#include "Capture/ImageFileNamer.h"
#include "Capture/RegionCapture.h"
#include "Capture/RectangleCapture.h"
#include "Capture/ScrollableWindow.h"
#include "Capture/ScrollingCapture.h"
#include "Capture/WindowCapture.h"
#include "app/AppContext.h"
#include "app/CommandLineRequest.h"
#include "app/HotKeys.h"
#include "draw/ToolTip.h"
#include "pin/Pins.h"
#include "settings/ImageFolder.h"
#include "core/ImageNames.h"
#include "core/LastRegion.h"
#include "core/ScrollMaxHeight.h"
#include "settings/SettingsStore.h"
#include "settings_dialog/SettingsWindow.h"
#include "ui/Clipboard.h"
#include "ui/DoubleClicks.h"
#include "ui/Geometry.h"
#include "ui/ScreenLeave.h"
#include "scrolling/ScrollSession.h"
#include "ui/TextConversion.h"
#include "ui/VirtualScreen.h"
#include "ui/WindowVisibility.h"

namespace Vorlune {

namespace {

// The command in progress. Clicks queued meanwhile, or dispatched by the settings dialog's
// own loop, must not start a second one; and a command that fails while it starts brings
// the toolbar back only after its error box, not behind it.
struct Run {
    HWND toolbar = nullptr;  // none in a process that runs one command
    HWND keyboardOwner = nullptr;  // given the keyboard back at the end; none: the toolbar takes it
    bool running = false;
    bool starting = false;
    bool ended = false;
    // A command of the command line: told of the end, after the toolbar is back.
    std::function<void(CaptureResult)> onEnded;
    CaptureResult result;
};
Run run;
std::optional<DWORD> lastEnd;  // the tick of the last command's end
// How long the toolbar and its hint may take to leave the screen before it is frozen.
constexpr DWORD kLeaveMilliseconds = 100;

void BringToolbarBack() {
    if (run.keyboardOwner == nullptr || !IsWindow(run.keyboardOwner)) {
        if (run.toolbar != nullptr) ShowWindow(run.toolbar, SW_SHOW);
        return;
    }
    // Back as it was, minimised or not, leaving the keyboard to the program that had it.
    if (run.toolbar != nullptr) ShowWindow(run.toolbar, SW_SHOWNA);
    SetForegroundWindow(run.keyboardOwner);
}

void ShowToolbar() {
    run.running = false;
    lastEnd = GetTickCount();
    // Ended by the user's own key or click: the next click is a new one, however soon it comes.
    if (run.result.outcome == CaptureOutcome::Cancelled) ToolbarSecondClicks().Watch(std::nullopt);
    BringToolbarBack();
    if (auto onEnded = std::exchange(run.onEnded, nullptr)) onEnded(std::exchange(run.result, {}));
}

void OnCommandEnded() {
    if (run.starting)
        run.ended = true;
    else
        ShowToolbar();
}

void OnCaptureEnded(CaptureResult result) {
    run.result = std::move(result);
    OnCommandEnded();
}

CaptureResult Refusal(const std::wstring& text) {
    CaptureResult result;
    result.outcome = CaptureOutcome::Failed;
    result.report = text + L"\r\n";
    return result;
}

// Hides the toolbar and its hint, then runs start. check runs first and ends the command
// itself when it refuses. The toolbar comes back when the command has ended, or after an
// error box (for the command line, in the result) when it failed to start. The second click of
// a double click whose first is click is dropped wherever it falls until start has returned.
void RunAway(HWND toolbar, HWND keyboardOwner, std::function<void(CaptureResult)> onEnded,
             const std::function<bool()>& check, const std::function<void()>& start,
             std::optional<ClickStamp> click = {}) {
    run = {};
    run.toolbar = toolbar;
    run.keyboardOwner = keyboardOwner;
    run.running = run.starting = true;
    run.onEnded = std::move(onEnded);
    // The dialog and the boxes that follow need the mouse.
    ReleaseCapture();
    // A hint left up, or shown later by its worker, would be frozen into the image.
    ScreenLeave leaving;
    leaving.Note(TheToolTip().Window());
    TheToolTip().Hide();
    try {
        if (check()) {
            // Glimra keeps the activation until the overlay takes it: no other program may
            // repaint itself as active into the frozen screen, nor raise itself above the overlay.
            leaving.Note(run.toolbar);
            std::optional<SecondClickShield> shield;
            if (click) shield.emplace(*click);
            HideKeepingActivation(run.toolbar);
            SystemDwm().Flush();  // where the screen is composed, the next composition is without them
            leaving.Await(kLeaveMilliseconds);  // the toolbar and its hint leave the screen before it is frozen
            start();
        }
    } catch (const std::exception& error) {
        if (run.onEnded)
            run.result = Refusal(FromThreadAnsi(error.what()));
        else
            MessageBoxA(nullptr, error.what(), App().GetTitleNarrow().c_str(), MB_ICONEXCLAMATION);
        run.ended = true;
    }
    run.starting = false;
    if (run.ended) ShowToolbar();
}

// The settings dialog. Its hotkey fields must see every key, so the toolbar lets its hotkeys
// go while it is open, and takes them as then stored when it closes.
class SettingsCommand : public ButtonActor {
public:
    // The keys are back before the toolbar is, so that none pressed as it shows is lost; at the
    // end only for a dialog that never opened.
    explicit SettingsCommand(HWND toolbar)
        : toolbar_(toolbar), dialog_(toolbar, ShellDialogServices(), [this] { TakeHotKeysBack(); }) {}

    void Act(std::function<void()> onFinished) override {
        UnregisterHotKeys();
        keysBack_ = false;
        dialog_.Act([&] {
            if (!keysBack_) TakeHotKeysBack();
            if (onFinished) onFinished();
        });
    }

private:
    void TakeHotKeysBack() {
        if (toolbar_ != nullptr) RegisterStoredHotKeys(toolbar_);  // none without a toolbar
        keysBack_ = true;
    }

    HWND toolbar_;
    bool keysBack_ = false;
    SettingsWindow dialog_;
};

// A scrolling capture of a job's window and area, as options say.
ScrollJob JobOf(const CommandOptions& options) {
    ScrollJob job;
    job.axis = options.horizontal ? ScrollAxis::Across : ScrollAxis::Down;
    job.byHand = options.manual;
    job.maxLength = options.maxHeight.value_or(ParseScrollMaxHeight(Store().GetString(KeyScrollMaxHeight)));
    return job;
}

// Where a window picked on an overlay to be scrolled goes: a scrolling capture as options say.
ScrollHandOff ScrollingOf(HWND owner, const CommandOptions& options) {
    return [owner, options](const ScrollPick& pick, const CaptureRequest& request,
                            std::function<void(CaptureResult)> onEnded) {
        ScrollJob job = JobOf(options);
        job.area = pick.area;
        job.target = pick.target;
        StartScrollingCapture(job, owner, request, std::move(onEnded));
    };
}

std::unique_ptr<ButtonActor> MakeActor(CommandIndex index, HWND owner) {
    switch (index) {
        case CommandRectangle: return MakeCaptureMode<RectangleCapture>(owner);
        case CommandRectangleWithMagnifier: return MakeCaptureMode<RectangleCaptureWithMagnifier>(owner);
        case CommandWindowTop: return MakeCaptureMode<WindowCaptureTop>(owner, SystemDwm(), ScrollingOf(owner, {}));
        case CommandWindowAll: return MakeCaptureMode<WindowCaptureAll>(owner, SystemDwm(), ScrollingOf(owner, {}));
        case CommandHiddenWindowTop: return MakeCaptureMode<HiddenWindowCaptureTop>(owner);
        case CommandHiddenWindowAll: return MakeCaptureMode<HiddenWindowCaptureAll>(owner);
        case CommandDesktop: return MakeCaptureMode<DesktopCapture>(owner);
        case CommandDelayedDesktop: return std::make_unique<DelayedDesktopCapture>(owner);  // no overlay of its own
        case CommandSettings: break;
    }
    return std::make_unique<SettingsCommand>(owner);
}

// False when today's folder is not there to take the images, or its path leaves no room for
// their names: the user is told so now, not after the pick, and sent to the page that sets it.
bool CheckSaveFolder(CommandIndex index, HWND toolbar, const std::wstring& dayFolder) {
    if (index == CommandSettings) return true;
    const bool fits = HoldsEveryImageName(dayFolder);
    if (fits && IsFolder(dayFolder)) return true;
    const std::wstring text =
        App().GetText(fits ? TextSaveFolderNotFound : TextSaveFolderTooLong) + L"\r\n\r\n" + GetSaveFolder();
    MessageBoxW(toolbar, text.c_str(), App().title.c_str(), MB_ICONEXCLAMATION);
    Store().SetString(KeyTreeViewSelectedItemString, App().GetText(TextCapturePage));
    static SettingsCommand folderSettings(toolbar);
    ShowWindow(toolbar, SW_HIDE);
    folderSettings.Act(OnCommandEnded);
    return false;
}

// The last region's hotkey: that area again at once, output by the settings; a box when
// there is none on the screen.
void RunLastRegion(HWND toolbar, HWND keyboardOwner) {
    std::optional<RECT> area;
    RunAway(
        toolbar, keyboardOwner, nullptr,
        [&] {
            const std::wstring refusal = PlaceLastRegion(area);
            if (refusal.empty())
                return CheckSaveFolder(CommandRectangle, toolbar, MakeDayFolder(GetSaveFolder(), LocalDateNow()));
            MessageBoxW(toolbar, refusal.c_str(), App().title.c_str(), MB_ICONEXCLAMATION);
            OnCommandEnded();
            return false;
        },
        [&] { OnCaptureEnded(CaptureScreenArea(*area, toolbar, {})); });
}

// A scrolling capture of area, of the window that scrolls under its middle, as options say.
void StartScrolling(const CommandOptions& options, const RECT& area, HWND toolbar, const CaptureRequest& request) {
    ScrollJob job = JobOf(options);
    job.area = area;
    job.target = ScrollableWindowAt({(area.left + area.right) / 2, (area.top + area.bottom) / 2}, job.axis);
    if (job.target == nullptr) throw std::runtime_error(ToThreadAnsi(App().GetText(TextScrollNoWindow)));
    StartScrollingCapture(job, toolbar, request, OnCaptureEnded);
}

// The overlay that picks what to scroll, made for options: they decide the window it finds.
void PickToScroll(const CommandOptions& options, HWND toolbar, CaptureRequest request) {
    // Kept until the next one: the scrolling capture it started outlives its pick.
    static std::unique_ptr<ScrollingCapture> mode;
    mode.reset();
    mode = MakeCaptureMode<ScrollingCapture>(toolbar, JobOf(options).axis, ScrollingOf(toolbar, options));
    mode->ActWith(std::move(request), OnCaptureEnded);
}

// The scrolling capture's hotkey: its overlay, output by the settings.
void RunScrollingPick(HWND toolbar, HWND keyboardOwner) {
    RunAway(
        toolbar, keyboardOwner, nullptr,
        [&] { return CheckSaveFolder(CommandRectangle, toolbar, MakeDayFolder(GetSaveFolder(), LocalDateNow())); },
        [&] { PickToScroll({}, toolbar, {}); });
}

// An image kept to be pinned goes up once the toolbar is back. A pin that cannot be shown fails
// the command, although its image was written.
void PinKeptImage(CaptureResult& result, const PinShower& pin) {
    if (!result.image) return;
    try {
        pin(std::move(*result.image), result.screenPlace);
    } catch (const std::exception& error) {
        result.report += FromThreadAnsi(error.what()) + L"\r\n";
        result.outcome = CaptureOutcome::Failed;
    }
    result.image.reset();
}

// A command of the toolbar or a hotkey, by the settings; a click that started it is kept, so
// that its double click is not taken for a pick.
void StartCommand(CommandIndex index, HWND toolbar, std::optional<ClickStamp> click) {
    if (index == CommandSettings) return Commands().Action(index, toolbar).Act(OnCommandEnded);
    CaptureRequest request;
    request.startingClick = click;
    Commands().Capture(index, toolbar).ActWith(std::move(request), OnCaptureEnded);
}

}  // namespace

CommandIndex GetCommandIndex(TextId buttonId) {
    auto variant = [](TextId toggle, CommandIndex first) {
        return static_cast<CommandIndex>(first + (Store().GetToggle(toggle) != 0 ? 1 : 0));
    };
    switch (buttonId) {
        case TextRectangleButton: return variant(TextZoomToggle, CommandRectangle);
        case TextWindowButton: return variant(TextWindowToggle, CommandWindowTop);
        case TextHiddenWindowButton: return variant(TextHiddenWindowToggle, CommandHiddenWindowTop);
        case TextDesktopButton: return variant(TextDelayToggle, CommandDesktop);
        case TextSettingsButton: return CommandSettings;
        default: return CommandRectangle;
    }
}

ButtonActor& CommandTable::Action(CommandIndex index, HWND owner) {
    std::unique_ptr<ButtonActor>& actor = actors_[index];
    if (!actor) actor = MakeActor(index, owner);
    return *actor;
}

CaptureBase& CommandTable::Capture(CommandIndex index, HWND owner) {
    // Every command but the settings is a capture mode.
    return static_cast<CaptureBase&>(Action(index, owner));
}

CommandTable& Commands() {
    static CommandTable table;
    return table;
}

void RunCommand(const Button& button, POINT releasedAt) {
    RunCommand(button.Id(), button.Owner(), nullptr, MessageClick(button.Owner(), releasedAt));
}

void RunHotKeyCommand(TextId buttonId, HWND toolbar, DWORD pressedAt) {
    if (lastEnd && static_cast<LONG>(pressedAt - *lastEnd) < 0) return;
    RunCommand(buttonId, toolbar, GetForegroundWindow());
}

void RunCommand(TextId buttonId, HWND toolbar, HWND keyboardOwner, std::optional<ClickStamp> click) {
    if (run.running) return;
    ToolbarSecondClicks().Watch(click);
    if (buttonId == TextHotKeyLastRegion) return RunLastRegion(toolbar, keyboardOwner);
    if (buttonId == TextHotKeyScrolling) return RunScrollingPick(toolbar, keyboardOwner);
    CommandIndex index = CommandRectangle;
    RunAway(
        toolbar, keyboardOwner, nullptr,
        [&] {
            index = GetCommandIndex(buttonId);
            return CheckSaveFolder(index, toolbar, MakeDayFolder(GetSaveFolder(), LocalDateNow()));
        },
        // The settings' dialog runs within start: the shield, short by need, is no part of it.
        [&] { StartCommand(index, toolbar, click); }, buttonId == TextSettingsButton ? std::nullopt : click);
}

bool CommandRunning() { return run.running; }

SecondClickFilter& ToolbarSecondClicks() {
    static SecondClickFilter clicks;
    return clicks;
}

void RunCommandLine(const CommandOptions& options, HWND toolbar, std::function<void(CaptureResult)> onEnded,
                    PinShower pin) {
    if (run.running) return onEnded(Refusal(App().GetText(TextCaptureUnderWay)));
    std::optional<RECT> area;
    const CaptureRequest request = RequestOf(options);
    RunAway(
        toolbar, GetForegroundWindow(),
        [onEnded = std::move(onEnded), pin = std::move(pin)](CaptureResult result) {
            PinKeptImage(result, pin);
            // The reply waits for the clipboard: a put that had to wait may yet be refused.
            auto ended = std::make_shared<CaptureResult>(std::move(result));
            AfterClipboardPuts([ended, onEnded] {
                if (ended->outputReport) ended->report += *ended->outputReport;
                onEnded(std::move(*ended));
            });
        },
        [&] {
            const std::wstring refusal = CommandLineRefusal(options, area);
            if (refusal.empty()) return true;
            run.result = Refusal(refusal);
            OnCommandEnded();
            return false;
        },
        [&] {
            if (options.command == Command::Scrolling && area) {
                StartScrolling(options, *area, toolbar, request);
            } else if (options.command == Command::Scrolling) {
                PickToScroll(options, toolbar, request);
            } else if (area) {
                OnCaptureEnded(CaptureScreenArea(*area, toolbar, request));
            } else if (options.command == Command::Settings) {
                Commands().Action(CommandSettings, toolbar).Act([] {
                    CaptureResult closed;
                    closed.outcome = CaptureOutcome::Written;
                    OnCaptureEnded(std::move(closed));
                });
            } else {
                Commands().Capture(CommandIndexOf(options), toolbar).ActWith(request, OnCaptureEnded);
            }
        });
}

}  // namespace Vorlune
