#include "scrolling/ScrollSession.h"

#include <algorithm>
#include <string>
#include <utility>

#include "Capture/CaptureOutput.h"
#include "Capture/PickHandOff.h"
#include "Capture/ScrollableWindow.h"
#include "app/AppContext.h"
#include "scrolling/AreaGrab.h"
#include "scrolling/ScrollControl.h"

namespace Vorlune {

namespace {

constexpr UINT kSettleTickMilliseconds = 30;
constexpr UINT kByHandTickMilliseconds = 66;  // about fifteen grabs a second
// A picture that has not changed by then did not move; one that keeps changing is taken then.
constexpr DWORD kChangeWaitMilliseconds = 400;
constexpr DWORD kSettleLimitMilliseconds = 1500;
constexpr int kFirstLines = 3;

bool SamePicture(const ScrollFrame& a, const ScrollFrame& b) {
    return MatchScroll(a, b, std::nullopt).kind == ScrollMatchKind::Unmoved;
}

TextId StateText(StitchState state, bool byHand, bool notMoving) {
    if (notMoving) return TextScrollNotMoving;
    switch (state) {
        case StitchState::NoMatch: return TextScrollNoMatch;
        case StitchState::Ambiguous: return TextScrollAmbiguous;
        case StitchState::HeightLimit: return TextScrollHeightLimit;
        case StitchState::EndOfPage: return TextScrollEndOfPage;
        default: return byHand ? TextScrollByHand : TextScrollMatched;
    }
}

}  // namespace

ScrollSession::ScrollSession(ScrollJob job, HWND owner, CaptureRequest request,
                             std::function<void(CaptureResult)> onEnded)
    : job_(job), owner_(owner), request_(std::move(request)), onEnded_(std::move(onEnded)) {}

ScrollSession::~ScrollSession() = default;

void ScrollSession::Start() {
    // Grabbed before the control window comes up and takes the activation from the target.
    ScrollFrame first = GrabScreenArea(job_.area);
    control_ = std::make_unique<ScrollControl>(
        job_.area, ScrollControl::Actions{[this] { Stop(); }, [this] { End(false); }, [this] { OnTick(); },
                                          [this] { TurnToByHand(); }, [this] { TurnAcross(); }});
    control_->TickEvery(job_.byHand ? kByHandTickMilliseconds : kSettleTickMilliseconds);
    Begin(std::move(first));
}

void ScrollSession::Begin(ScrollFrame first) {
    stitcher_ = std::make_unique<ScrollStitcher>(first, job_.axis, job_.maxLength, !job_.byHand);
    beforeStep_ = std::move(first);
    way_ = ScrollWay::LineMessages;
    wayMoved_ = false;
    measured_ = false;
    lines_ = kFirstLines;
    ShowProgress();
    if (!job_.byHand) Step();
}

void ScrollSession::Stop() {
    // What the user scrolled to since the last tick is kept too.
    if (!ended_ && job_.byHand) Accept(GrabScreenArea(job_.area));
    End(true);
}

void ScrollSession::TurnToByHand() {
    if (ended_ || job_.byHand) return;
    job_.byHand = true;
    stitcher_->ScrolledByHand();
    ShowProgress();
    control_->TickEvery(kByHandTickMilliseconds);
}

void ScrollSession::TurnAcross() {
    if (ended_ || job_.axis == ScrollAxis::Across) return;
    job_.axis = ScrollAxis::Across;
    job_.target =
        ScrollableWindowAt({(job_.area.left + job_.area.right) / 2, (job_.area.top + job_.area.bottom) / 2}, job_.axis);
    Begin(GrabScreenArea(job_.area));
}

void ScrollSession::OnTick() {
    if (ended_) return;
    if (job_.byHand) return Accept(GrabScreenArea(job_.area));
    Settle();
}

void ScrollSession::Step() {
    const POINT middle = {(job_.area.left + job_.area.right) / 2, (job_.area.top + job_.area.bottom) / 2};
    ScrollOn(job_.target, middle, way_, job_.axis, lines_);
    steppedAt_ = GetTickCount();
    changed_ = false;
    lastTick_ = {};
}

// Taken once it changed and two grabs in a row agree, or when it will not change or not rest.
void ScrollSession::Settle() {
    ScrollFrame grab = GrabScreenArea(job_.area);
    const DWORD waited = GetTickCount() - steppedAt_;
    changed_ = changed_ || !SamePicture(beforeStep_, grab);
    const bool rests = changed_ && !lastTick_.pixels.empty() && SamePicture(lastTick_, grab);
    if (rests || (!changed_ && waited >= kChangeWaitMilliseconds) || waited >= kSettleLimitMilliseconds)
        return Accept(grab);
    lastTick_ = std::move(grab);
}

void ScrollSession::Accept(const ScrollFrame& grab) {
    const int before = stitcher_->Length();
    const StitchState state = stitcher_->Add(grab);
    ShowProgress();
    if (stitcher_->Ended()) return End(true);
    if (job_.byHand) return;
    beforeStep_ = grab;
    if (state == StitchState::Matched) {
        wayMoved_ = true;
        if (!measured_) {
            // About half the moving part a step, so that what came into view at one step still
            // overlaps the next by enough rows to match on.
            const int perLine = std::max(1, (stitcher_->Length() - before) / lines_);
            const int wanted = (stitcher_->MovingLength() - kMinScrollOverlap) / 2;
            lines_ = std::max(1, wanted / perLine);
            measured_ = true;
        }
    } else if (state == StitchState::Unmoved && !wayMoved_) {
        if (way_ == ScrollWay::RealWheel) {
            notMoving_ = true;
            return End(true);
        }
        way_ = static_cast<ScrollWay>(static_cast<int>(way_) + 1);
        lines_ = kFirstLines;
    }
    Step();
}

std::wstring ScrollSession::StateLine(const ScrollStitcher& stitcher) const {
    const StitchState state = stitcher.State();
    std::wstring line = App().GetText(StateText(state, job_.byHand, notMoving_));
    // Where it stopped, after the text that says so.
    if (!notMoving_ && (state == StitchState::NoMatch || state == StitchState::Ambiguous))
        line += L" " + std::to_wstring(stitcher.Length());
    return line;
}

void ScrollSession::ShowProgress() {
    const SIZE room = control_->PreviewRoom();
    control_->Show(stitcher_->Preview(room.cx, room.cy),
                   App().GetText(TextScrollHeight) + L" " + std::to_wstring(stitcher_->Length()),
                   StateLine(*stitcher_));
}

void ScrollSession::End(bool keep) {
    if (ended_) return;
    ended_ = true;
    control_->Close();
    auto ended = std::exchange(onEnded_, nullptr);
    const std::unique_ptr<ScrollStitcher> stitcher = std::move(stitcher_);
    if (!keep) return ended({});
    const StitchState state = stitcher->State();
    const std::wstring stateLine = StateLine(*stitcher);
    // The lines' own size, so the bitmap can never be wider than a line.
    const Size size = stitcher->ImageSize();
    CapturedImage captured = ImageOfLines(size.cx, size.cy, job_.axis == ScrollAxis::Across,
                                          [&](const ImageLineWriter& write) { stitcher->TakeLines(write); });
    // A script's capture is output at once: no one is there to mark it up.
    if (const PickHandOff* handOff = ActivePickHandOff(); handOff != nullptr && !request_.reportInResult)
        return (*handOff)(std::move(captured), job_.area, [ended] { ended({}); });
    ImageFileNamer namer;
    CaptureResult result = OutputImage(namer, std::move(captured), owner_, request_);
    result.screenPlace = {job_.area.left, job_.area.top};
    const bool stoppedEarly = notMoving_ || state == StitchState::NoMatch || state == StitchState::Ambiguous ||
                              state == StitchState::HeightLimit;
    // A script reads it on standard error; from the toolbar only a box can tell the image is short.
    if (stoppedEarly && request_.reportInResult) result.report += stateLine + L"\r\n";
    if (stoppedEarly && !request_.reportInResult && result.outcome == CaptureOutcome::Written)
        MessageBoxW(owner_, stateLine.c_str(), App().title.c_str(), MB_ICONINFORMATION);
    ended(std::move(result));
}

void StartScrollingCapture(ScrollJob job, HWND owner, CaptureRequest request,
                           std::function<void(CaptureResult)> onEnded) {
    // Kept until the next one starts: its window's last handler may still be running when it ends.
    static std::unique_ptr<ScrollSession> session;
    session = std::make_unique<ScrollSession>(job, owner, std::move(request), std::move(onEnded));
    session->Start();
}

}  // namespace Vorlune
