#include "markup/MarkupWindow.h"

#include <windowsx.h>

#include <algorithm>
#include <exception>
#include <utility>

#include "Capture/CaptureErrors.h"
#include "Capture/CaptureOutput.h"
#include "app/AppContext.h"
#include "core/MarkupView.h"
#include "markup/EditorKeys.h"
#include "markup/MarkupOutput.h"
#include "resources/resource.h"
#include "ui/Dpi.h"
#include "ui/Geometry.h"
#include "ui/WindowVisibility.h"

namespace Vorlune {

namespace {
constexpr DWORD kStyle = WS_OVERLAPPEDWINDOW;

void RegisterMarkupClass() {
    WNDCLASSEXW wc = {};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = ClassWindowProcedure<MarkupWindow>;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hIcon = LoadIconW(wc.hInstance, MAKEINTRESOURCEW(IDI_GLIMRA));
    wc.hIconSm = LoadIconW(wc.hInstance, MAKEINTRESOURCEW(IDI_GLIMRA_SMALL));
    wc.style = CS_DBLCLKS;  // a double click on a text edits it again
    wc.hCursor = LoadCursorW(nullptr, IDC_CROSS);
    wc.lpszClassName = MarkupWindow::kClassName;
    RegisterClassExW(&wc);  // a second registration fails harmlessly
}

RECT WorkAreaOf(const RECT& screenArea) {
    MONITORINFO monitor = {};
    monitor.cbSize = sizeof monitor;
    GetMonitorInfoW(MonitorFromRect(&screenArea, MONITOR_DEFAULTTONEAREST), &monitor);
    return monitor.rcWork;
}

// Centred on centre, moved as little as it takes to lie inside area where it fits.
LONG PlaceAlong(LONG centre, LONG length, LONG low, LONG high) {
    return std::max(low, std::min(centre - length / 2, high - length));
}

constexpr int kWheelStep = 48;  // client pixels a notch scrolls
constexpr LPARAM kPreviousKeyState = LPARAM{1} << 30;  // of WM_KEYDOWN: the key was down already

POINT ClientPointOf(LPARAM lParam) { return {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}; }
}  // namespace

MarkupWindow::MarkupWindow() {
    RegisterMarkupClass();
    RegisterHandlers(ClassMessageMap<MarkupWindow>());
}

MarkupWindow::~MarkupWindow() {
    // Handlers first: destroying the window sends messages that must not reach a dying object.
    ClassMessageMap<MarkupWindow>().Clear();
    window_.reset();
}

void MarkupWindow::RegisterHandlers(MessageMap& map) {
    map.AddHandler(WM_PAINT, this, &MarkupWindow::OnPaint);
    map.AddHandler(WM_KEYDOWN, this, &MarkupWindow::OnKeyDown);
    map.AddHandler(WM_CHAR, this, &MarkupWindow::OnChar);
    map.AddHandler(WM_LBUTTONDOWN, this, &MarkupWindow::OnLButtonDown);
    map.AddHandler(WM_LBUTTONDBLCLK, this, &MarkupWindow::OnLButtonDoubleClick);
    map.AddHandler(WM_MOUSEMOVE, this, &MarkupWindow::OnMouseMove);
    map.AddHandler(WM_LBUTTONUP, this, &MarkupWindow::OnLButtonUp);
    map.AddHandler(WM_CAPTURECHANGED, this, &MarkupWindow::OnCaptureLost);
    map.AddHandler(WM_MOUSEWHEEL, this, &MarkupWindow::OnMouseWheel);
    map.AddHandler(WM_MBUTTONDOWN, this, &MarkupWindow::OnMButtonDown);
    map.AddHandler(WM_MBUTTONUP, this, &MarkupWindow::OnMButtonUp);
    map.AddHandler(WM_SIZE, this, &MarkupWindow::OnSize);
    map.AddResultHandler(WM_IME_STARTCOMPOSITION, this, &MarkupWindow::OnImeStartComposition);
    map.AddResultHandler(WM_IME_ENDCOMPOSITION, this, &MarkupWindow::OnImeEndComposition);
    map.AddHandler(WM_CLOSE, this, &MarkupWindow::OnClose);
}

void MarkupWindow::Open(const CapturedImage& image, const RECT& screenArea, std::function<void()> done) {
    auto canvas = std::make_unique<MarkupCanvas>(image);
    HWND created = CreateWindowExW(0, kClassName, App().title.c_str(), kStyle, 0, 0, 1, 1, nullptr, nullptr,
                                   GetModuleHandleW(nullptr), nullptr);
    if (created == nullptr) throw CaptureException(__FILE__, __LINE__, GetLastError());
    window_.reset(created);
    canvas_ = std::move(canvas);
    editor_.emplace(canvas_->ImageSize(), font_);
    done_ = std::move(done);
    Place(screenArea);
    pickedAt_ = TopLeft(screenArea);
    ShowWindow(created, SW_SHOW);
    SetForegroundWindow(created);
    UpdateWindow(created);
}

void MarkupWindow::Place(const RECT& screenArea) {
    const int dpi = DpiOfRect(screenArea);
    const RECT work = WorkAreaOf(screenArea);
    RECT frame = {0, 0, 0, 0};
    AdjustWindowRectEx(&frame, kStyle, FALSE, 0);
    const Size image = canvas_->ImageSize();
    const int stripHeight = LayOutToolStrip(dpi, 0).strip.bottom;
    const Size room = {work.right - work.left - (frame.right - frame.left),
                       work.bottom - work.top - (frame.bottom - frame.top) - stripHeight};
    const int zoom = FitZoom(image, room);
    const Size shown = ZoomedSize(image, zoom);
    const Size view = {std::max(shown.cx, ToolStripWidth(dpi)), shown.cy};
    view_.Set(zoom, {}, image, view);
    strip_ = std::make_unique<ToolStrip>(window_.get(), dpi, view.cx);
    view_.SetTop(strip_->Height());
    const LONG width = std::min<LONG>(view.cx + frame.right - frame.left, work.right - work.left);
    const LONG height = std::min<LONG>(view.cy + stripHeight + frame.bottom - frame.top, work.bottom - work.top);
    const LONG left = PlaceAlong((screenArea.left + screenArea.right) / 2, width, work.left, work.right);
    const LONG top = PlaceAlong((screenArea.top + screenArea.bottom) / 2, height, work.top, work.bottom);
    SetWindowPos(window_.get(), nullptr, left, top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

Size MarkupWindow::ViewSize() const {
    RECT client = {};
    GetClientRect(window_.get(), &client);
    return {client.right, std::max<LONG>(client.bottom - strip_->Height(), 0)};
}

void MarkupWindow::View(int zoom, Point scroll) {
    view_.Set(zoom, scroll, canvas_->ImageSize(), ViewSize());
    InvalidateRect(window_.get(), nullptr, FALSE);
}

void MarkupWindow::OnMouseWheel(WPARAM wParam, LPARAM lParam) {
    if (canvas_ == nullptr) return;
    const int notches = GET_WHEEL_DELTA_WPARAM(wParam) / WHEEL_DELTA;
    if (notches == 0) return;
    if (GET_KEYSTATE_WPARAM(wParam) & MK_CONTROL) {
        POINT cursor = {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
        ScreenToClient(window_.get(), &cursor);
        const Point at = view_.ViewPoint(cursor);
        const Point image = view_.ImagePoint(cursor);
        int zoom = view_.Zoom();
        for (int i = 0; i < std::abs(notches); ++i) zoom = notches > 0 ? ZoomIn(zoom) : ZoomOut(zoom);
        View(zoom, ScrollToKeep(image, at, zoom));
    } else if (GET_KEYSTATE_WPARAM(wParam) & MK_SHIFT) {
        View(view_.Zoom(), {view_.Scroll().x - notches * kWheelStep, view_.Scroll().y});
    } else {
        View(view_.Zoom(), {view_.Scroll().x, view_.Scroll().y - notches * kWheelStep});
    }
}

void MarkupWindow::OnMButtonDown(WPARAM, LPARAM lParam) {
    if (canvas_ == nullptr || editor_->Dragging()) return;
    panFrom_ = view_.ViewPoint(ClientPointOf(lParam));
    panScroll_ = view_.Scroll();
    SetCapture(window_.get());
}

void MarkupWindow::OnMButtonUp() {
    if (!panFrom_) return;
    panFrom_.reset();
    ReleaseCapture();
}

void MarkupWindow::OnSize(WPARAM, LPARAM lParam) {
    if (canvas_ == nullptr) return;
    strip_->Stretch(LOWORD(lParam));
    View(view_.Zoom(), view_.Scroll());
}

Rect MarkupWindow::ShownArea() const { return OutputArea(editor_->Document()); }

POINT MarkupWindow::ScreenPointOf(Point image) const {
    POINT screen = view_.ClientPoint(image);
    ClientToScreen(window_.get(), &screen);
    return screen;
}

Point MarkupWindow::ImagePoint(LPARAM lParam) const { return view_.ImagePoint(ClientPointOf(lParam)); }

void MarkupWindow::OnPaint() {
    PAINTSTRUCT ps = {};
    HDC paint = BeginPaint(window_.get(), &ps);
    if (canvas_ != nullptr) {
        strip_->Draw(paint, editor_->Tool(), editor_->ColourIndex(), editor_->Width(), editor_->Filled());
        view_.PaintImage(paint, ps.rcPaint, canvas_->Composed(), ShownArea());
        if (const Mark* selected = editor_->Selected()) view_.PaintHandles(paint, *selected);
        if (editor_->PendingCrop()) view_.PaintFrame(paint, *editor_->PendingCrop());
        if (const TextTyping* typing = editor_->Typing()) {
            view_.PaintFrame(paint, Grown(typing->Typed().textBounds, 2));
            view_.PaintCaret(paint, typing->Caret());
        }
    }
    EndPaint(window_.get(), &ps);
}

void MarkupWindow::Show(const EditorChanges& changes) {
    if (changes.everything) {
        const Size image = canvas_->ImageSize();
        canvas_->Compose(editor_->Shown(), {0, 0, image.cx, image.cy});
        InvalidateRect(window_.get(), nullptr, FALSE);
        return;
    }
    if (HasArea(changes.composed)) InvalidateImage(canvas_->Compose(editor_->Shown(), changes.composed));
    InvalidateImage(changes.overlaid);
    if (changes.strip) {
        RECT strip = {};
        GetClientRect(window_.get(), &strip);
        strip.bottom = strip_->Height();
        InvalidateRect(window_.get(), &strip, FALSE);
    }
}

void MarkupWindow::Follow(EditorCommand command) {
    Show(editor_->TakeChanges());
    if (editor_->Dragging() && GetCapture() != window_.get()) SetCapture(window_.get());
    // Its WM_CAPTURECHANGED finds no drag left.
    if (!editor_->Dragging() && !panFrom_ && GetCapture() == window_.get()) ReleaseCapture();
    switch (command) {
        case EditorCommand::Output: Output(); return;
        case EditorCommand::Copy: Copy(); return;
        case EditorCommand::Pin: Pin(); return;
        case EditorCommand::Close: OnClose(); return;
        case EditorCommand::None: return;
    }
}

void MarkupWindow::InvalidateImage(const Rect& area) {
    if (!HasArea(area)) return;
    // The handles around it, and a pixel more: a scaled picture's edge pixels blend with their neighbours.
    RECT client = view_.ClientRect(Grown(area, view_.HandleSize() + 1));
    client.top = std::max<LONG>(client.top, view_.Top());
    InvalidateRect(window_.get(), &client, FALSE);
}

void MarkupWindow::OnLButtonDown(WPARAM, LPARAM lParam) {
    if (canvas_ == nullptr) return;
    const POINT at = ClientPointOf(lParam);
    if (at.y >= strip_->Height()) {
        editor_->Press(ImagePoint(lParam), view_.HandleSize());
    } else if (strip_->PinAt(at)) {
        Pin();
        return;
    } else {
        editor_->Pick(strip_->At(at));
    }
    Follow(EditorCommand::None);
}

void MarkupWindow::OnLButtonDoubleClick(WPARAM wParam, LPARAM lParam) {
    if (canvas_ == nullptr || GET_Y_LPARAM(lParam) < strip_->Height()) {
        OnLButtonDown(wParam, lParam);
        return;
    }
    editor_->DoublePress(ImagePoint(lParam), view_.HandleSize());
    Follow(EditorCommand::None);
}

LRESULT MarkupWindow::OnImeStartComposition(WPARAM wParam, LPARAM lParam) {
    if (const TextTyping* typing = canvas_ != nullptr ? editor_->Typing() : nullptr)
        input_.StartComposition(window_.get(), view_.ClientPoint(TopLeft(typing->Caret())));
    return DefWindowProcW(window_.get(), WM_IME_STARTCOMPOSITION, wParam, lParam);
}

LRESULT MarkupWindow::OnImeEndComposition(WPARAM wParam, LPARAM lParam) {
    input_.EndComposition();
    return DefWindowProcW(window_.get(), WM_IME_ENDCOMPOSITION, wParam, lParam);
}

void MarkupWindow::OnMouseMove(WPARAM, LPARAM lParam) {
    if (canvas_ == nullptr) return;
    if (panFrom_) {
        const Point at = view_.ViewPoint(ClientPointOf(lParam));
        View(view_.Zoom(), {panScroll_.x - (at.x - panFrom_->x), panScroll_.y - (at.y - panFrom_->y)});
        return;
    }
    editor_->MoveTo(ImagePoint(lParam));
    Show(editor_->TakeChanges());
}

void MarkupWindow::OnLButtonUp(WPARAM, LPARAM lParam) {
    if (canvas_ == nullptr) return;
    editor_->Release(ImagePoint(lParam));
    Follow(EditorCommand::None);
}

void MarkupWindow::OnCaptureLost() {
    panFrom_.reset();
    if (canvas_ == nullptr) return;
    editor_->DropDrag();
    Show(editor_->TakeChanges());
}

void MarkupWindow::OnChar(WPARAM character) {
    if (canvas_ == nullptr) return;
    const auto key = static_cast<wchar_t>(character);
    // What an input method composed comes as characters; its keys are its own.
    if (input_.Composing() && key < L' ') return;
    Follow(editor_->Character(key, GetKeyState(VK_SHIFT) < 0));
}

void MarkupWindow::OnKeyDown(WPARAM key, LPARAM flags) {
    // Held, they would end the window the moment it opens; Ctrl+Z held goes on undoing.
    const bool heldEnd = (flags & kPreviousKeyState) != 0 && (key == VK_RETURN || key == VK_ESCAPE);
    if (canvas_ == nullptr || heldEnd || key == VK_PROCESSKEY || input_.Composing()) return;
    if (const std::optional<EditorKey> pressed = EditorKeyOf(key))
        Follow(editor_->Key(*pressed, GetKeyState(VK_SHIFT) < 0));
}

void MarkupWindow::OnClose() {
    if (canvas_ == nullptr) return;
    if (editor_->HasChanges() && MessageBoxW(window_.get(), App().GetText(TextDiscardMarks).c_str(),
                                             App().title.c_str(), MB_YESNO | MB_ICONQUESTION) != IDYES)
        return;
    Close();
}

void MarkupWindow::Output() {
    try {
        if (!OutputMarkedUp(namer_, canvas_->Composed(), window_.get(), OutputArea(editor_->Document()))) return;
    } catch (const std::exception& error) {
        Report(error);
        return;
    }
    Close();
}

void MarkupWindow::Copy() const {
    try {
        CopyMarkedUp(canvas_->Composed(), window_.get(), OutputArea(editor_->Document()));
    } catch (const std::exception& error) {
        Report(error);
    }
}

void MarkupWindow::Pin() {
    if (!pin_) return;
    const Rect area = OutputArea(editor_->Document());
    try {
        pin_(CaptureArea(canvas_->Composed(), ToWin(TopLeft(area)), ToWin(SizeOf(area))),
             {pickedAt_.x + area.left, pickedAt_.y + area.top});
    } catch (const std::exception& error) {
        Report(error);
        return;
    }
    Close();
}

void MarkupWindow::Report(const std::exception& error) const {
    MessageBoxA(window_.get(), error.what(), App().GetTitleNarrow().c_str(), MB_ICONEXCLAMATION);
}

void MarkupWindow::Close() {
    panFrom_.reset();
    input_.EndComposition();
    // Off the screen with the activation kept, so that the toolbar takes it back before the window
    // goes: destroyed while active, it would hand the activation to the program behind it, which
    // would rise above the toolbar.
    HideKeepingActivation(window_.get());
    std::function<void()> done = std::exchange(done_, nullptr);
    if (done) done();
    window_.reset();
    strip_.reset();
    editor_.reset();
    canvas_.reset();
}

MarkupWindow& TheMarkupWindow() {
    static MarkupWindow window;
    return window;
}

}  // namespace Vorlune
