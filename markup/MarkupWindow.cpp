#include "markup/MarkupWindow.h"

#include <algorithm>
#include <exception>
#include <utility>

#include "Capture/CaptureErrors.h"
#include "app/AppContext.h"
#include "core/MarkupView.h"
#include "markup/MarkupOutput.h"
#include "resources/resource.h"
#include "ui/Geometry.h"

namespace Vorlune {

namespace {
constexpr DWORD kStyle = WS_OVERLAPPEDWINDOW;
constexpr COLORREF kBackdrop = 0x505050;  // around an image smaller than the window
constexpr int kMinimumClientWidth = 320;  // room for the title and the tools

bool ControlDown() { return GetKeyState(VK_CONTROL) < 0; }

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
    const RECT work = WorkAreaOf(screenArea);
    RECT frame = {0, 0, 0, 0};
    AdjustWindowRectEx(&frame, kStyle, FALSE, 0);
    const Size room = {work.right - work.left - (frame.right - frame.left),
                       work.bottom - work.top - (frame.bottom - frame.top)};
    zoom_ = FitZoom(canvas_->ImageSize(), room);
    const Size shown = ZoomedSize(canvas_->ImageSize(), zoom_);
    const Size client = {std::max(shown.cx, kMinimumClientWidth), shown.cy};
    scroll_ = ClampScroll({}, shown, client);
    const LONG width = std::min<LONG>(client.cx + frame.right - frame.left, work.right - work.left);
    const LONG height = std::min<LONG>(client.cy + frame.bottom - frame.top, work.bottom - work.top);
    const LONG left = PlaceAlong((screenArea.left + screenArea.right) / 2, width, work.left, work.right);
    const LONG top = PlaceAlong((screenArea.top + screenArea.bottom) / 2, height, work.top, work.bottom);
    SetWindowPos(window_.get(), nullptr, left, top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

RECT MarkupWindow::ImageRect() const {
    const Size image = canvas_->ImageSize();
    const Point low = ToClient({0, 0}, zoom_, scroll_), high = ToClient({image.cx, image.cy}, zoom_, scroll_);
    return {low.x, low.y, high.x, high.y};
}

void MarkupWindow::OnPaint() {
    PAINTSTRUCT ps = {};
    HDC paint = BeginPaint(window_.get(), &ps);
    if (canvas_ != nullptr) {
        const RECT image = ImageRect();
        RECT shown = {};
        if (IntersectRect(&shown, &ps.rcPaint, &image)) {
            // Only the image pixels under the paint, so a small change never stretches the whole image.
            const Size size = canvas_->ImageSize();
            const Point low = ToImage({shown.left, shown.top}, zoom_, scroll_);
            const Point high = ToImage({shown.right - 1, shown.bottom - 1}, zoom_, scroll_);
            const Rect source = ClampToSize({low.x, low.y, high.x + 1, high.y + 1}, size);
            const Point to = ToClient(TopLeft(source), zoom_, scroll_);
            const Point end = ToClient({source.right, source.bottom}, zoom_, scroll_);
            SetStretchBltMode(paint, zoom_ < 100 ? HALFTONE : COLORONCOLOR);
            SetBrushOrgEx(paint, 0, 0, nullptr);
            StretchBlt(paint, to.x, to.y, end.x - to.x, end.y - to.y, canvas_->Composed(), source.left, source.top,
                       source.right - source.left, source.bottom - source.top, SRCCOPY);
        }
        const int saved = SaveDC(paint);
        ExcludeClipRect(paint, image.left, image.top, image.right, image.bottom);
        const OwnedBrush backdrop(CreateSolidBrush(kBackdrop));
        FillRect(paint, &ps.rcPaint, backdrop.get());
        RestoreDC(paint, saved);
    }
    EndPaint(window_.get(), &ps);
}

void MarkupWindow::OnKeyDown(WPARAM key) {
    if (canvas_ == nullptr) return;
    if (key == VK_RETURN || (key == 'S' && ControlDown())) {
        Output();
    } else if (key == 'C' && ControlDown()) {
        Copy();
    } else if (key == VK_ESCAPE) {
        OnClose();
    }
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
    window_.reset();
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
