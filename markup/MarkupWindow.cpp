#include "markup/MarkupWindow.h"

#include <windowsx.h>

#include <algorithm>
#include <exception>
#include <utility>

#include "Capture/CaptureErrors.h"
#include "Capture/CaptureOutput.h"
#include "app/AppContext.h"
#include "core/MarkEdits.h"
#include "core/MarkupView.h"
#include "markup/MarkRenderer.h"
#include "markup/MarkupOutput.h"
#include "resources/resource.h"
#include "ui/Dpi.h"
#include "ui/Geometry.h"
#include "ui/WindowVisibility.h"

namespace Vorlune {

namespace {
constexpr DWORD kStyle = WS_OVERLAPPEDWINDOW;

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

constexpr int kWheelStep = 48;  // client pixels a notch scrolls
constexpr LPARAM kPreviousKeyState = LPARAM{1} << 30;  // of WM_KEYDOWN: the key was down already

// The document's marks with the one being edited in its place, and the one being drawn on top.
std::vector<const Mark*> MarksOf(const MarkupDocument& document, const Mark* drawing,
                                 std::optional<std::size_t> editedIndex, const Mark* edited) {
    std::vector<const Mark*> marks;
    marks.reserve(document.marks.size() + 1);
    for (const Mark& mark : document.marks) marks.push_back(&mark);
    if (edited != nullptr && editedIndex && *editedIndex < marks.size()) marks[*editedIndex] = edited;
    if (drawing != nullptr) marks.push_back(drawing);
    return marks;
}

Rect Grown(const Rect& rect, int by) { return {rect.left - by, rect.top - by, rect.right + by, rect.bottom + by}; }

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
    history_.emplace(MarkupDocument{canvas_->ImageSize()});
    done_ = std::move(done);
    // Every window starts alike: red, the middle width, the rectangle.
    tool_ = MarkupTool::Rectangle;
    colourIndex_ = 0;
    width_ = kDefaultWidth;
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
    if (canvas_ == nullptr || drag_ || edit_ || cropAnchor_) return;
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

Rect MarkupWindow::ShownArea() const { return OutputArea(history_->Current()); }

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
        strip_->Draw(paint, tool_, colourIndex_, width_);
        view_.PaintImage(paint, ps.rcPaint, canvas_->Composed(), ShownArea());
        if (selected_ && !drag_)
            view_.PaintHandles(paint, edit_ ? edit_->Edited() : history_->Current().marks[*selected_]);
        if (pendingCrop_) view_.PaintFrame(paint, *pendingCrop_);
        if (typing_) view_.PaintFrame(paint, Grown(typing_->Typed().textBounds, 2));
    }
    EndPaint(window_.get(), &ps);
}

void MarkupWindow::Recompose(const Rect& area) {
    const Rect composed = canvas_->Compose(
        MarksOf(history_->Current(), drag_ ? &drag_->Drawn() : nullptr, selected_, edit_ ? &edit_->Edited() : nullptr),
        area);
    InvalidateImage(composed);
}

void MarkupWindow::InvalidateImage(const Rect& area) {
    if (!HasArea(area)) return;
    // The handles around it, and a pixel more: a scaled picture's edge pixels blend with their neighbours.
    RECT client = view_.ClientRect(Grown(area, view_.HandleSize() + 1));
    client.top = std::max<LONG>(client.top, view_.Top());
    InvalidateRect(window_.get(), &client, FALSE);
}

void MarkupWindow::RecomposeAll() {
    const Size image = canvas_->ImageSize();
    Recompose({0, 0, image.cx, image.cy});
}

void MarkupWindow::OnLButtonDown(WPARAM, LPARAM lParam) {
    if (canvas_ == nullptr || drag_ || edit_) return;
    if (typing_) {
        EndTyping();
        return;
    }
    if (GET_Y_LPARAM(lParam) < strip_->Height()) {
        const POINT at = ClientPointOf(lParam);
        strip_->PinAt(at) ? Pin() : Pick(strip_->At(at));
        return;
    }
    const Point press = ImagePoint(lParam);
    if (tool_ == MarkupTool::Select) {
        StartEdit(press);
        return;
    }
    if (tool_ == MarkupTool::Step) {
        PlaceStep(press);
        return;
    }
    if (tool_ == MarkupTool::Text) {
        StartTyping(press);
        return;
    }
    if (tool_ == MarkupTool::Crop) {
        if (pendingCrop_) InvalidateImage(*pendingCrop_);
        cropAnchor_ = press;
        pendingCrop_ = CropOf(press, press, canvas_->ImageSize());
        SetCapture(window_.get());
        return;
    }
    const std::optional<MarkKind> kind = DrawnKind(tool_);
    if (!kind) return;
    drag_.emplace(*kind, MarkStyle{PaletteColour(colourIndex_), width_}, press);
    SetCapture(window_.get());
    Recompose(BoundsOf(drag_->Drawn()));
}

void MarkupWindow::StartEdit(Point press) {
    const std::vector<Mark>& marks = history_->Current().marks;
    std::optional<int> handle;
    if (selected_) handle = HandleAt(marks[*selected_], press, view_.HandleSize());
    if (!handle) Select(HitTest(marks, press, view_.HandleSize() / 2 + 1));
    if (!selected_) return;
    edit_.emplace(marks[*selected_], handle, press);
    SetCapture(window_.get());
}

void MarkupWindow::PlaceStep(Point centre) {
    MarkupDocument document = history_->Current();
    Mark step = {MarkKind::Step, PaletteColour(colourIndex_), width_, {centre}};
    step.number = NextStepNumber(document.marks);
    const Rect bounds = BoundsOf(step);
    document.marks.push_back(std::move(step));
    history_->Commit(std::move(document));
    Recompose(bounds);
}

void MarkupWindow::StartTyping(Point at) {
    typing_.emplace(PaletteColour(colourIndex_), width_, at);
    Retype(typing_->Typed().textBounds);
}

void MarkupWindow::Retype(const Rect& before) {
    typing_->Measured(MeasureText(canvas_->Composed(), typing_->Typed()));
    // The frame around it too.
    InvalidateImage(Grown(before, 3));
    Recompose(Union(before, typing_->Typed().textBounds));
}

void MarkupWindow::EndTyping() {
    const Mark typed = typing_->Typed();
    const bool kept = typing_->HasText();
    typing_.reset();
    InvalidateImage(Grown(typed.textBounds, 3));
    if (kept) {
        MarkupDocument document = history_->Current();
        document.marks.push_back(typed);
        history_->Commit(std::move(document));
    }
    Recompose(typed.textBounds);
}

LRESULT MarkupWindow::OnImeStartComposition(WPARAM wParam, LPARAM lParam) {
    if (typing_) {
        const Rect& text = typing_->Typed().textBounds;
        input_.StartComposition(window_.get(), view_.ClientPoint({text.right, text.top}));
    }
    return DefWindowProcW(window_.get(), WM_IME_STARTCOMPOSITION, wParam, lParam);
}

LRESULT MarkupWindow::OnImeEndComposition(WPARAM wParam, LPARAM lParam) {
    input_.EndComposition();
    return DefWindowProcW(window_.get(), WM_IME_ENDCOMPOSITION, wParam, lParam);
}

void MarkupWindow::ApplyCrop() {
    MarkupDocument document = history_->Current();
    const Rect crop = Intersect(*pendingCrop_, ShownArea());
    pendingCrop_.reset();
    if (HasArea(crop)) document.crop = crop;
    history_->Commit(std::move(document));
    InvalidateRect(window_.get(), nullptr, FALSE);
}

void MarkupWindow::Select(std::optional<std::size_t> index) {
    const std::vector<Mark>& marks = history_->Current().marks;
    if (selected_) InvalidateImage(BoundsOf(marks[*selected_]));
    selected_ = index;
    if (selected_) InvalidateImage(BoundsOf(marks[*selected_]));
}

void MarkupWindow::DeleteSelected() {
    if (!selected_) return;
    MarkupDocument document = history_->Current();
    const Rect bounds = BoundsOf(document.marks[*selected_]);
    document.marks.erase(document.marks.begin() + static_cast<std::ptrdiff_t>(*selected_));
    selected_.reset();
    history_->Commit(std::move(document));
    Recompose(bounds);
}

void MarkupWindow::Restyle(const ToolStrip::Pick& pick) {
    if (!selected_ || (!pick.colourIndex && !pick.width)) return;
    MarkupDocument document = history_->Current();
    Mark& mark = document.marks[*selected_];
    const Rect before = BoundsOf(mark);
    if (pick.colourIndex) mark.colour = PaletteColour(*pick.colourIndex);
    if (pick.width) mark.width = *pick.width;
    const Rect after = BoundsOf(mark);
    history_->Commit(std::move(document));
    Recompose(Union(before, after));
}

void MarkupWindow::OnMouseMove(WPARAM, LPARAM lParam) {
    if (canvas_ == nullptr) return;
    if (panFrom_) {
        const Point at = view_.ViewPoint(ClientPointOf(lParam));
        View(view_.Zoom(), {panScroll_.x - (at.x - panFrom_->x), panScroll_.y - (at.y - panFrom_->y)});
        return;
    }
    if (edit_) {
        const Rect before = BoundsOf(edit_->Edited());
        edit_->MoveTo(ImagePoint(lParam));
        Recompose(Union(before, BoundsOf(edit_->Edited())));
        return;
    }
    if (cropAnchor_) {
        const Rect before = *pendingCrop_;
        pendingCrop_ = CropOf(*cropAnchor_, ImagePoint(lParam), canvas_->ImageSize());
        InvalidateImage(Union(before, *pendingCrop_));
        return;
    }
    if (!drag_) return;
    const Rect before = BoundsOf(drag_->Drawn());
    drag_->MoveTo(ImagePoint(lParam));
    Recompose(Union(before, BoundsOf(drag_->Drawn())));
}

void MarkupWindow::OnLButtonUp(WPARAM, LPARAM lParam) {
    if (canvas_ == nullptr) return;
    if (edit_) {
        edit_->MoveTo(ImagePoint(lParam));
        MarkupDocument document = history_->Current();
        const Rect before = BoundsOf(document.marks[*selected_]);
        document.marks[*selected_] = edit_->Edited();
        edit_.reset();
        ReleaseCapture();
        const Rect after = BoundsOf(document.marks[*selected_]);
        history_->Commit(std::move(document));
        Recompose(Union(before, after));
        return;
    }
    if (cropAnchor_) {
        cropAnchor_.reset();
        ReleaseCapture();
        return;
    }
    if (!drag_) return;
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
    panFrom_.reset();
    if (canvas_ == nullptr || (!drag_ && !edit_)) return;
    const Rect drawn = drag_ ? BoundsOf(drag_->Drawn()) : BoundsOf(edit_->Edited());
    const Rect before = edit_ ? BoundsOf(history_->Current().marks[*selected_]) : drawn;
    drag_.reset();
    edit_.reset();
    Recompose(Union(drawn, before));
}

void MarkupWindow::Pick(const ToolStrip::Pick& pick) {
    if (typing_) EndTyping();
    Restyle(pick);
    if (pick.tool) tool_ = *pick.tool;
    if (tool_ != MarkupTool::Select) Select(std::nullopt);
    if (pick.colourIndex) colourIndex_ = *pick.colourIndex;
    if (pick.width) width_ = *pick.width;
    RECT strip = {};
    GetClientRect(window_.get(), &strip);
    strip.bottom = strip_->Height();
    InvalidateRect(window_.get(), &strip, FALSE);
}

void MarkupWindow::OnChar(WPARAM character) {
    if (canvas_ == nullptr || drag_ || edit_) return;
    const auto key = static_cast<wchar_t>(character);
    if (typing_) {
        // What an input method composed comes as characters; its keys are its own.
        const Rect before = typing_->Typed().textBounds;
        if (!(input_.Composing() && key < L' ') && typing_->Type(key)) Retype(before);
        return;
    }
    if (const auto tool = ToolForKey(key)) Pick({tool, {}, {}});
    if (const auto colour = PaletteIndexForKey(key)) Pick({{}, colour, {}});
    if (key == L'[') Pick({{}, {}, PreviousWidth(width_)});
    if (key == L']') Pick({{}, {}, NextWidth(width_)});
    if (key == L'f' || key == L'F') Pin();
}

void MarkupWindow::OnKeyDown(WPARAM key, LPARAM flags) {
    // Held, they would end the window the moment it opens; Ctrl+Z held goes on undoing.
    const bool heldEnd = (flags & kPreviousKeyState) != 0 && (key == VK_RETURN || key == VK_ESCAPE);
    if (canvas_ == nullptr || drag_ || edit_ || heldEnd || key == VK_PROCESSKEY || input_.Composing()) return;
    if (typing_) {
        // Enter and the other keys of the text come as characters.
        if (key == VK_ESCAPE) EndTyping();
        return;
    }
    if (key == VK_RETURN && pendingCrop_) {
        ApplyCrop();
    } else if (key == VK_ESCAPE && pendingCrop_) {
        InvalidateImage(*std::exchange(pendingCrop_, std::nullopt));
    } else if (key == VK_RETURN || (key == 'S' && ControlDown())) {
        Output();
    } else if (key == 'C' && ControlDown()) {
        Copy();
    } else if (key == 'Z' && ControlDown()) {
        ShiftDown() ? Redo() : Undo();
    } else if (key == 'Y' && ControlDown()) {
        Redo();
    } else if (key == VK_DELETE) {
        DeleteSelected();
    } else if (key == VK_ESCAPE) {
        OnClose();
    }
}

void MarkupWindow::Undo() {
    if (!history_->CanUndo()) return;
    Select(std::nullopt);  // the mark may be gone
    history_->Undo();
    RecomposeAll();
    InvalidateRect(window_.get(), nullptr, FALSE);  // the crop may have changed
}

void MarkupWindow::Redo() {
    if (!history_->CanRedo()) return;
    Select(std::nullopt);
    history_->Redo();
    RecomposeAll();
    InvalidateRect(window_.get(), nullptr, FALSE);
}

bool MarkupWindow::HasChanges() const {
    const MarkupDocument& document = history_->Current();
    return !document.marks.empty() || document.crop.has_value() || (typing_ && typing_->HasText());
}

void MarkupWindow::OnClose() {
    if (canvas_ == nullptr) return;
    if (HasChanges() && MessageBoxW(window_.get(), App().GetText(TextDiscardMarks).c_str(), App().title.c_str(),
                                    MB_YESNO | MB_ICONQUESTION) != IDYES)
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

void MarkupWindow::Pin() {
    if (!pin_) return;
    const Rect area = OutputArea(history_->Current());
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
    typing_.reset();
    input_.EndComposition();
    cropAnchor_.reset();
    pendingCrop_.reset();
    drag_.reset();
    edit_.reset();
    selected_.reset();
    // Off the screen with the activation kept, so that the toolbar takes it back before the window
    // goes: destroyed while active, it would hand the activation to the program behind it, which
    // would rise above the toolbar.
    HideKeepingActivation(window_.get());
    std::function<void()> done = std::exchange(done_, nullptr);
    if (done) done();
    window_.reset();
    strip_.reset();
    canvas_.reset();
    history_.reset();
}

MarkupWindow& TheMarkupWindow() {
    static MarkupWindow window;
    return window;
}

}  // namespace Vorlune
