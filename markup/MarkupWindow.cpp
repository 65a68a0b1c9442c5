#include "markup/MarkupWindow.h"

#include <windowsx.h>

#include <algorithm>
#include <exception>
#include <utility>

#include "Capture/CaptureErrors.h"
#include "app/AppContext.h"
#include "core/MarkupView.h"
#include "markup/MarkupOutput.h"
#include "resources/resource.h"
#include "ui/Dpi.h"
#include "ui/Geometry.h"

namespace Vorlune {

namespace {
constexpr DWORD kStyle = WS_OVERLAPPEDWINDOW;
constexpr COLORREF kBackdrop = 0x505050;  // around an image smaller than the window

bool ControlDown() { return GetKeyState(VK_CONTROL) < 0; }
bool ShiftDown() { return GetKeyState(VK_SHIFT) < 0; }

void RegisterMarkupClass() {
    WNDCLASSEXW wc = {};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = ClassWindowProcedure<MarkupWindow>;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hIcon = LoadIconW(wc.hInstance, MAKEINTRESOURCEW(IDI_GLIMRA));
    wc.hIconSm = LoadIconW(wc.hInstance, MAKEINTRESOURCEW(IDI_GLIMRA_SMALL));
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

std::vector<const Mark*> MarksOf(const MarkupDocument& document, const Mark* drawing) {
    std::vector<const Mark*> marks;
    marks.reserve(document.marks.size() + 1);
    for (const Mark& mark : document.marks) marks.push_back(&mark);
    if (drawing != nullptr) marks.push_back(drawing);
    return marks;
}
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
    map.AddHandler(WM_MOUSEMOVE, this, &MarkupWindow::OnMouseMove);
    map.AddHandler(WM_LBUTTONUP, this, &MarkupWindow::OnLButtonUp);
    map.AddHandler(WM_CAPTURECHANGED, this, &MarkupWindow::OnCaptureLost);
    map.AddHandler(WM_CLOSE, this, &MarkupWindow::OnClose);
}

void MarkupWindow::Open(const CapturedImage& image, const RECT& screenArea, std::function<void()> done) {
    auto canvas = std::make_unique<MarkupCanvas>(image);
    HWND created = CreateWindowExW(0, kClassName, App().title.c_str(), kStyle, 0, 0, 1, 1, nullptr, nullptr,
                                   GetModuleHandleW(nullptr), nullptr);
    if (created == nullptr) throw CaptureException(__FILE__, __LINE__, GetLastError());
    window_.reset(created);
    canvas_ = std::move(canvas);
    history_.emplace(MarkupDocument{canvas_->ImageSize()});
    done_ = std::move(done);
    Place(screenArea);
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
    zoom_ = FitZoom(image, room);
    const Size shown = ZoomedSize(image, zoom_);
    const Size view = {std::max(shown.cx, ToolStripWidth(dpi)), shown.cy};
    scroll_ = ClampScroll({}, shown, view);
    strip_ = std::make_unique<ToolStrip>(window_.get(), dpi, view.cx);
    const LONG width = std::min<LONG>(view.cx + frame.right - frame.left, work.right - work.left);
    const LONG height = std::min<LONG>(view.cy + stripHeight + frame.bottom - frame.top, work.bottom - work.top);
    const LONG left = PlaceAlong((screenArea.left + screenArea.right) / 2, width, work.left, work.right);
    const LONG top = PlaceAlong((screenArea.top + screenArea.bottom) / 2, height, work.top, work.bottom);
    SetWindowPos(window_.get(), nullptr, left, top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

RECT MarkupWindow::ImageRect() const {
    const Size image = canvas_->ImageSize();
    const Point low = ToClient({0, 0}, zoom_, scroll_), high = ToClient({image.cx, image.cy}, zoom_, scroll_);
    const int top = strip_->Height();
    return {low.x, low.y + top, high.x, high.y + top};
}

POINT MarkupWindow::ScreenPointOf(Point image) const {
    const Point client = ToClient(image, zoom_, scroll_);
    POINT screen = {client.x, client.y + strip_->Height()};
    ClientToScreen(window_.get(), &screen);
    return screen;
}

Point MarkupWindow::ImagePoint(LPARAM lParam) const {
    return ToImage({GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam) - strip_->Height()}, zoom_, scroll_);
}

void MarkupWindow::OnPaint() {
    PAINTSTRUCT ps = {};
    HDC paint = BeginPaint(window_.get(), &ps);
    if (canvas_ != nullptr) {
        strip_->Draw(paint, tool_, colourIndex_, width_);
        PaintImage(paint, ps.rcPaint);
    }
    EndPaint(window_.get(), &ps);
}

void MarkupWindow::PaintImage(HDC paint, const RECT& update) const {
    const RECT image = ImageRect();
    const int top = strip_->Height();
    RECT shown = {};
    if (IntersectRect(&shown, &update, &image)) {
        // Only the image pixels under the paint, so a small change never stretches the whole image.
        const Point low = ToImage({shown.left, shown.top - top}, zoom_, scroll_);
        const Point high = ToImage({shown.right - 1, shown.bottom - 1 - top}, zoom_, scroll_);
        const Rect source = ClampToSize({low.x, low.y, high.x + 1, high.y + 1}, canvas_->ImageSize());
        const Point to = ToClient(TopLeft(source), zoom_, scroll_);
        const Point end = ToClient({source.right, source.bottom}, zoom_, scroll_);
        SetStretchBltMode(paint, zoom_ < 100 ? HALFTONE : COLORONCOLOR);
        SetBrushOrgEx(paint, 0, 0, nullptr);
        StretchBlt(paint, to.x, to.y + top, end.x - to.x, end.y - to.y, canvas_->Composed(), source.left, source.top,
                   source.right - source.left, source.bottom - source.top, SRCCOPY);
    }
    const int saved = SaveDC(paint);
    ExcludeClipRect(paint, image.left, image.top, image.right, image.bottom);
    ExcludeClipRect(paint, 0, 0, update.right, top);  // the strip's
    const OwnedBrush backdrop(CreateSolidBrush(kBackdrop));
    FillRect(paint, &update, backdrop.get());
    RestoreDC(paint, saved);
}

void MarkupWindow::Recompose(const Rect& area) {
    const Rect composed = canvas_->Compose(MarksOf(history_->Current(), drag_ ? &drag_->Drawn() : nullptr), area);
    if (!HasArea(composed)) return;
    // A pixel more on each side: a scaled picture's edge pixels blend with their neighbours.
    const Point low = ToClient({composed.left - 1, composed.top - 1}, zoom_, scroll_);
    const Point high = ToClient({composed.right + 1, composed.bottom + 1}, zoom_, scroll_);
    const RECT client = {low.x, low.y + strip_->Height(), high.x, high.y + strip_->Height()};
    InvalidateRect(window_.get(), &client, FALSE);
}

void MarkupWindow::RecomposeAll() {
    const Size image = canvas_->ImageSize();
    Recompose({0, 0, image.cx, image.cy});
}

void MarkupWindow::OnLButtonDown(WPARAM, LPARAM lParam) {
    if (canvas_ == nullptr || drag_) return;
    if (GET_Y_LPARAM(lParam) < strip_->Height()) {
        Pick(strip_->At({GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}));
        return;
    }
    const std::optional<MarkKind> kind = DrawnKind(tool_);
    if (!kind) return;
    drag_.emplace(*kind, MarkStyle{PaletteColour(colourIndex_), width_}, ImagePoint(lParam));
    SetCapture(window_.get());
    Recompose(BoundsOf(drag_->Drawn()));
}

void MarkupWindow::OnMouseMove(WPARAM, LPARAM lParam) {
    if (canvas_ == nullptr || !drag_) return;
    const Rect before = BoundsOf(drag_->Drawn());
    drag_->MoveTo(ImagePoint(lParam));
    Recompose(Union(before, BoundsOf(drag_->Drawn())));
}

void MarkupWindow::OnLButtonUp(WPARAM, LPARAM lParam) {
    if (canvas_ == nullptr || !drag_) return;
    drag_->MoveTo(ImagePoint(lParam));
    const Mark drawn = drag_->Drawn();
    const bool kept = drag_->Kept();
    drag_.reset();
    ReleaseCapture();  // its WM_CAPTURECHANGED finds no drag left
    if (kept) {
        MarkupDocument document = history_->Current();
        document.marks.push_back(drawn);
        history_->Commit(std::move(document));
    }
    Recompose(BoundsOf(drawn));
}

void MarkupWindow::OnCaptureLost() {
    if (canvas_ == nullptr || !drag_) return;
    const Rect drawn = BoundsOf(drag_->Drawn());
    drag_.reset();
    Recompose(drawn);
}

void MarkupWindow::Pick(const ToolStrip::Pick& pick) {
    if (pick.tool) tool_ = *pick.tool;
    if (pick.colourIndex) colourIndex_ = *pick.colourIndex;
    if (pick.width) width_ = *pick.width;
    RECT strip = {};
    GetClientRect(window_.get(), &strip);
    strip.bottom = strip_->Height();
    InvalidateRect(window_.get(), &strip, FALSE);
}

void MarkupWindow::OnChar(WPARAM character) {
    if (canvas_ == nullptr || drag_) return;
    const auto key = static_cast<wchar_t>(character);
    if (const auto tool = ToolForKey(key)) Pick({tool, {}, {}});
    if (const auto colour = PaletteIndexForKey(key)) Pick({{}, colour, {}});
    if (key == L'[') Pick({{}, {}, PreviousWidth(width_)});
    if (key == L']') Pick({{}, {}, NextWidth(width_)});
}

void MarkupWindow::OnKeyDown(WPARAM key) {
    if (canvas_ == nullptr || drag_) return;
    if (key == VK_RETURN || (key == 'S' && ControlDown())) {
        Output();
    } else if (key == 'C' && ControlDown()) {
        Copy();
    } else if (key == 'Z' && ControlDown()) {
        ShiftDown() ? Redo() : Undo();
    } else if (key == 'Y' && ControlDown()) {
        Redo();
    } else if (key == VK_ESCAPE) {
        OnClose();
    }
}

void MarkupWindow::Undo() {
    if (!history_->CanUndo()) return;
    history_->Undo();
    RecomposeAll();
}

void MarkupWindow::Redo() {
    if (!history_->CanRedo()) return;
    history_->Redo();
    RecomposeAll();
}

void MarkupWindow::OnClose() {
    if (canvas_ == nullptr) return;
    if (!history_->Current().marks.empty() && MessageBoxW(window_.get(), App().GetText(TextDiscardMarks).c_str(),
                                                          App().title.c_str(), MB_YESNO | MB_ICONQUESTION) != IDYES)
        return;
    Close();
}

void MarkupWindow::Output() {
    try {
        if (!OutputMarkedUp(namer_, canvas_->Composed(), window_.get(), OutputArea(history_->Current()))) return;
    } catch (const std::exception& error) {
        Report(error);
        return;
    }
    Close();
}

void MarkupWindow::Copy() const {
    try {
        CopyMarkedUp(canvas_->Composed(), window_.get(), OutputArea(history_->Current()));
    } catch (const std::exception& error) {
        Report(error);
    }
}

void MarkupWindow::Report(const std::exception& error) const {
    MessageBoxA(window_.get(), error.what(), App().GetTitleNarrow().c_str(), MB_ICONEXCLAMATION);
}

void MarkupWindow::Close() {
    drag_.reset();
    window_.reset();
    strip_.reset();
    canvas_.reset();
    history_.reset();
    std::function<void()> done = std::exchange(done_, nullptr);
    if (done) done();
}

MarkupWindow& TheMarkupWindow() {
    static MarkupWindow window;
    return window;
}

}  // namespace Vorlune
