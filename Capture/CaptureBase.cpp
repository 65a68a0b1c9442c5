#include "Capture/CaptureBase.h"

#include <exception>
#include <utility>
#include <vector>

#include "Capture/CaptureErrors.h"
#include "Capture/PickHandOff.h"
#include "app/AppContext.h"
#include "ui/GdiOwners.h"
#include "ui/Geometry.h"
#include "ui/Regions.h"
#include "ui/TextConversion.h"
#include "ui/WindowClass.h"
#include "ui/WindowVisibility.h"

namespace Vorlune {

POINT MessagePoint(LPARAM lParam) { return {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))}; }

CaptureBase::CaptureBase(HWND owner, std::wstring className) : owner(owner), className(std::move(className)) {}

CaptureBase::~CaptureBase() {
    // Handlers first: destroying the window sends messages that must not reach a dying object.
    if (messageMap_ != nullptr) messageMap_->Clear();
    if (overlay == nullptr) return;
    overlay.reset();
    UnregisterClassW(className.c_str(), GetModuleHandleW(nullptr));
}

void CaptureBase::CreateOverlay(WNDPROC windowProcedure, MessageMap& messageMap) {
    RegisterPlainWindowClass(className.c_str(), windowProcedure);

    HWND created = CreateWindowExW(WS_EX_TOPMOST, className.c_str(), nullptr, WS_POPUP, 0, 0, 1, 1, owner, nullptr,
                                   nullptr, nullptr);
    if (created == nullptr) throw CaptureException(__FILE__, __LINE__, GetLastError());
    overlay.reset(created);
    // Only now: a failed creation must leave no handler bound to an object about to be discarded.
    RegisterHandlers(messageMap);
}

void CaptureBase::RegisterHandlers(MessageMap& map) {
    messageMap_ = &map;
    // A failure inside a capture ends that capture, never the program.
    auto add = [this, &map](UINT message, std::function<void(WPARAM, LPARAM)> handler) {
        map.AddHandler(message, [this, handler = std::move(handler)](WPARAM w, LPARAM l) {
            try {
                handler(w, l);
            } catch (const std::exception& error) {
                FailCapture(error);
            }
        });
    };
    add(WM_MOUSEMOVE, [this](WPARAM, LPARAM l) { HandleMouseMove(l); });
    add(WM_LBUTTONUP, [this](WPARAM, LPARAM l) {
        if (!secondClicks_.DropsRelease() && Capturing()) OnLButtonUp(MessagePoint(l));
    });
    add(WM_LBUTTONDOWN, [this](WPARAM, LPARAM l) {
        if (Capturing() && !secondClicks_.DropsPress(MessageClick(overlay.get(), MessagePoint(l))))
            OnLButtonDown(MessagePoint(l));
    });
    add(WM_RBUTTONUP, [this](WPARAM, LPARAM l) {
        if (Capturing()) OnRButtonUp(MessagePoint(l));
    });
    add(WM_KEYDOWN, [this](WPARAM w, LPARAM l) { HandleKeyDown(w, l); });
    add(WM_KEYUP, [this](WPARAM w, LPARAM) {
        if (Capturing()) OnKeyUp(w);
    });
    add(WM_SETFOCUS, [this](WPARAM, LPARAM) { ShowOverlay(); });
    add(WM_KILLFOCUS, [this](WPARAM, LPARAM) { HandleKillFocus(); });
    add(WM_PAINT, [this](WPARAM, LPARAM) { HandlePaint(); });
    // It spans every monitor: a new DPI on one of them changes nothing of its place or size.
    add(WM_DPICHANGED, [](WPARAM, LPARAM) {});
    // Alt+F4 or the system menu: the capture ends as Escape ends it, and the overlay stays
    // for the next one.
    add(WM_CLOSE, [this](WPARAM, LPARAM) {
        if (Capturing()) EndCapture();
    });
}

void CaptureBase::FailCapture(const std::exception& error) {
    // Hidden first, so the box is not trapped under the overlay; the toolbar only after it.
    HideKeepingActivation(overlay.get());
    result_.outcome = CaptureOutcome::Failed;
    if (request_.reportInResult)
        result_.report += FromThreadAnsi(error.what()) + L"\r\n";
    else
        MessageBoxA(nullptr, error.what(), App().GetTitleNarrow().c_str(), MB_ICONEXCLAMATION);
    EndCapture();
}

void CaptureBase::Act(std::function<void()> callback) {
    ActWith({}, [callback = std::move(callback)](const CaptureResult&) {
        if (callback) callback();
    });
}

void CaptureBase::ActWith(CaptureRequest request, std::function<void(CaptureResult)> onEnded) {
    request_ = std::move(request);
    secondClicks_.Watch(request_.startingClick);
    result_ = {};
    onEnded_ = std::move(onEnded);
    try {
        Prepare();
        Start();
    } catch (...) {
        // The callback is what brings the toolbar back: a failed capture must end too.
        EndCapture();
        throw;
    }
}

void CaptureBase::HandleMouseMove(LPARAM lParam) {
    if (!Capturing()) return;
    ShowOverlay();
    OnMouseMove(MessagePoint(lParam));
}

void CaptureBase::HandleKeyDown(WPARAM key, LPARAM flags) {
    if (!Capturing()) return;
    keyRepeat_ = (flags & (LPARAM{1} << 30)) != 0;  // previous key state: already down
    if (OnKeyDown(key) || key != VK_ESCAPE) return;
    EndCapture();
}

void CaptureBase::HandleKillFocus() {
    if (IsWindowVisible(overlay.get())) ShowOverlay();
}

void CaptureBase::HandlePaint() {
    // Rectangle by rectangle: one copy clipped to a thin cross-hair costs as much as the
    // cross-hair's bounding box, which is the whole screen. Where the mode painted straight
    // onto the window is left out of them.
    const OwnedRegion update(CreateRectRgn(0, 0, 0, 0));
    const bool known = GetUpdateRgn(overlay.get(), update.get(), FALSE) > NULLREGION;
    PAINTSTRUCT ps = {};
    HDC paint = BeginPaint(overlay.get(), &ps);
    // Without a snapshot there is nothing to show; the paint is only validated.
    if (snapshot != nullptr) {
        if (!known) SetRectRgn(update.get(), ps.rcPaint.left, ps.rcPaint.top, ps.rcPaint.right, ps.rcPaint.bottom);
        const OwnedRegion covered(CreateRectRgn(0, 0, 0, 0));
        for (const RECT& r : PaintOverWork(paint)) {
            SetRectRgn(covered.get(), r.left, r.top, r.right, r.bottom);
            CombineRgn(update.get(), update.get(), covered.get(), RGN_DIFF);
        }
        for (const RECT& r : RegionRects(update.get()))
            BitBlt(paint, r.left, r.top, r.right - r.left, r.bottom - r.top, snapshot->workDC(), r.left, r.top,
                   kSnapshotCopy);
    }
    EndPaint(overlay.get(), &ps);
}

void CaptureBase::TakeSnapshot() {
    // Three screen-sized bitmaps: never hold two sets at once.
    snapshot.reset();
    snapshot = std::make_unique<ScreenSnapshot>();
}

void CaptureBase::ShowOverlay() {
    if (overlay == nullptr || snapshot == nullptr) return;
    SetWindowPos(overlay.get(), HWND_TOPMOST, snapshot->bounds.left, snapshot->bounds.top, snapshot->size.cx,
                 snapshot->size.cy, SWP_SHOWWINDOW);
    SetForegroundWindow(overlay.get());
}

void CaptureBase::Refresh() {
    if (overlay == nullptr) return;
    InvalidateRect(overlay.get(), nullptr, FALSE);
    ShowOverlay();
}

bool CaptureBase::CancelDrag() {
    if (!dragging) return false;
    if (snapshot != nullptr) snapshot->ResetWork();
    Refresh();
    dragging = false;
    keyboardAnchor = false;
    return true;
}

void CaptureBase::FinishWholeScreen() {
    if (snapshot == nullptr) return;
    HideKeepingActivation(overlay.get());
    Finish({0, 0, snapshot->size.cx, snapshot->size.cy});
    EndCapture();
}

bool CaptureBase::Finish(const RECT& area) {
    if (snapshot == nullptr) return false;
    // A script's capture is output at once: no one is there to mark it up.
    if (const PickHandOff* handOff = ActivePickHandOff(); handOff != nullptr && !request_.reportInResult) {
        CapturedImage image = CaptureArea(snapshot->outputDC(), TopLeft(area), SizeOf(area));
        RECT screenArea = area;
        OffsetRect(&screenArea, snapshot->bounds.left, snapshot->bounds.top);
        // Only once it has the image does the receiver end the command; until then this capture does.
        (*handOff)(std::move(image), screenArea, [ended = std::exchange(onEnded_, nullptr)] {
            if (ended) ended({});
        });
        return false;
    }
    result_ = FinishCapture(namer, snapshot->outputDC(), owner, TopLeft(area), SizeOf(area), request_);
    result_.screenPlace = {snapshot->bounds.left + area.left, snapshot->bounds.top + area.top};
    return result_.outcome == CaptureOutcome::Written;
}

void CaptureBase::HandOffScroll(const ScrollHandOff& handOff, ScrollPick pick) {
    if (snapshot == nullptr) return;
    OffsetRect(&pick.area, snapshot->bounds.left, snapshot->bounds.top);
    // Under X the overlay's last pixels stay a moment after it has gone: the frozen screen
    // without the marks, so that the first grab cannot take in the outline.
    snapshot->ResetWork();
    InvalidateRect(overlay.get(), nullptr, FALSE);
    UpdateWindow(overlay.get());
    CaptureRequest request = request_;
    std::function<void(CaptureResult)> ended = std::exchange(onEnded_, nullptr);
    EndCapture();
    try {
        handOff(pick, request, ended);
    } catch (const std::exception& error) {
        request_ = std::move(request);
        onEnded_ = std::move(ended);
        FailCapture(error);
    }
}

bool CaptureBase::NudgeCursor(WPARAM key) {
    POINT cursor = {};
    GetCursorPos(&cursor);
    switch (key) {
        case VK_LEFT: --cursor.x; break;
        case VK_RIGHT: ++cursor.x; break;
        case VK_UP: --cursor.y; break;
        case VK_DOWN: ++cursor.y; break;
        default: return false;
    }
    SetCursorPos(cursor.x, cursor.y);
    return true;
}

POINT CaptureBase::CursorPoint() const {
    POINT cursor = {};
    GetCursorPos(&cursor);
    if (snapshot != nullptr) {
        cursor.x -= snapshot->bounds.left;
        cursor.y -= snapshot->bounds.top;
    }
    return cursor;
}

void CaptureBase::EndCapture() {
    HideKeepingActivation(overlay.get());
    dragging = false;
    keyboardAnchor = false;
    snapshot.reset();
    OnCaptureEnded();
    std::function<void(CaptureResult)> callback = std::exchange(onEnded_, nullptr);
    request_ = {};
    if (callback) callback(std::exchange(result_, {}));
}

}  // namespace Vorlune
