#include "core/MarkupEditor.h"

#include <algorithm>
#include <utility>

#include "core/MarkEdits.h"

namespace Vorlune {

namespace {
constexpr int kFrameMargin = 3;  // the frame around a text being typed, and a pixel more
constexpr int kFarNudge = 10;  // image pixels an arrow key moves a mark with Shift
constexpr int kDuplicateOffset = 10;  // down and right of the original, so that both show
}  // namespace

MarkupEditor::MarkupEditor(Size image, const TextFont& font) : font_(font), history_(MarkupDocument{image}) {}

std::vector<const Mark*> MarkupEditor::Shown() const {
    std::vector<const Mark*> marks;
    const std::vector<Mark>& document = Document().marks;
    marks.reserve(document.size() + 1);
    for (const Mark& mark : document) marks.push_back(&mark);
    if (edit_ && selected_) marks[*selected_] = &edit_->Edited();
    if (typing_ && retyped_) marks[*retyped_] = &typing_->Typed();
    if (drag_) marks.push_back(&drag_->Drawn());
    if (typing_ && !retyped_) marks.push_back(&typing_->Typed());
    return marks;
}

const Mark* MarkupEditor::Selected() const {
    if (!selected_ || drag_) return nullptr;
    return edit_ ? &edit_->Edited() : &Document().marks[*selected_];
}

bool MarkupEditor::HasChanges() const {
    return !Document().marks.empty() || Document().crop.has_value() || (typing_ && typing_->HasText());
}

EditorChanges MarkupEditor::TakeChanges() {
    const std::vector<const Mark*> shown = Shown();
    const bool spotlit =
        std::any_of(shown.begin(), shown.end(), [](const Mark* mark) { return mark->kind == MarkKind::Spotlight; });
    if (spotlit != std::exchange(spotlit_, spotlit)) changes_.everything = true;
    return std::exchange(changes_, {});
}

void MarkupEditor::Commit(MarkupDocument document) { history_.Commit(std::move(document)); }

Point MarkupEditor::Inside(Point at, int stroke) const {
    const Size image = Document().image;
    const int before = (stroke - 1) / 2, after = stroke / 2;
    const auto along = [](std::int32_t value, std::int32_t low, std::int32_t high) {
        return low > high ? value : std::clamp(value, low, high);
    };
    return {along(at.x, before, image.cx - 1 - after), along(at.y, before, image.cy - 1 - after)};
}

void MarkupEditor::Press(Point at, int handleSize) {
    if (Dragging()) return;
    if (typing_) {
        EndTyping();
        return;
    }
    switch (tool_) {
        case MarkupTool::Select: StartEdit(at, handleSize); return;
        case MarkupTool::Step: PlaceStep(Inside(at, StepBadgeDiameter(width_))); return;
        case MarkupTool::Text: {
            Mark text = {MarkKind::Text, PaletteColour(colourIndex_), width_, {Inside(at, 1)}};
            text.filled = filled_;
            StartTyping(std::move(text), std::nullopt);
            return;
        }
        case MarkupTool::Crop:
            if (pendingCrop_) Overlay(*pendingCrop_);
            cropAnchor_ = at;
            pendingCrop_ = CropOf(at, at, Document().image);
            Overlay(*pendingCrop_);
            return;
        default: break;
    }
    const std::optional<MarkKind> kind = DrawnKind(tool_);
    if (!kind) return;
    drag_.emplace(*kind, MarkStyle{PaletteColour(colourIndex_), width_, filled_}, Inside(at, width_));
    Compose(BoundsOf(drag_->Drawn()));
}

void MarkupEditor::DoublePress(Point at, int handleSize) {
    const std::optional<std::size_t> hit = tool_ == MarkupTool::Select && !Dragging() && !typing_
                                               ? HitTest(Document().marks, at, handleSize / 2 + 1)
                                               : std::nullopt;
    if (!hit || Document().marks[*hit].kind != MarkKind::Text) {
        Press(at, handleSize);
        return;
    }
    Select(hit);
    StartTyping(Document().marks[*hit], hit);
}

void MarkupEditor::StartEdit(Point press, int handleSize) {
    const std::vector<Mark>& marks = Document().marks;
    std::optional<int> handle;
    if (selected_) handle = HandleAt(marks[*selected_], press, handleSize);
    if (!handle) Select(HitTest(marks, press, handleSize / 2 + 1));
    if (selected_) edit_.emplace(marks[*selected_], handle, press);
}

void MarkupEditor::Select(std::optional<std::size_t> index) {
    const std::vector<Mark>& marks = Document().marks;
    if (selected_) Overlay(BoundsOf(marks[*selected_]));
    selected_ = index;
    if (selected_) Overlay(BoundsOf(marks[*selected_]));
}

void MarkupEditor::PlaceStep(Point centre) {
    MarkupDocument document = Document();
    Mark step = {MarkKind::Step, PaletteColour(colourIndex_), width_, {centre}};
    step.number = NextStepNumber(document.marks);
    Compose(BoundsOf(step));
    document.marks.push_back(std::move(step));
    Commit(std::move(document));
}

void MarkupEditor::StartTyping(Mark text, std::optional<std::size_t> replacing) {
    typing_.emplace(std::move(text), Document().image, font_);
    retyped_ = replacing;
    Retyped(BoundsOf(typing_->Typed()));
}

void MarkupEditor::Retyped(const Rect& before) {
    const Rect after = BoundsOf(typing_->Typed());
    Overlay(Grown(Union(before, after), kFrameMargin));
    Compose(Union(before, after));
}

void MarkupEditor::EndTyping() {
    const Mark typed = typing_->Typed();
    const bool kept = typing_->HasText();
    const std::optional<std::size_t> replacing = std::exchange(retyped_, std::nullopt);
    typing_.reset();
    Overlay(Grown(BoundsOf(typed), kFrameMargin));
    Compose(BoundsOf(typed));
    MarkupDocument document = Document();
    if (replacing) {
        Select(std::nullopt);
        Compose(BoundsOf(document.marks[*replacing]));
        if (kept)
            document.marks[*replacing] = typed;
        else
            document.marks.erase(document.marks.begin() + static_cast<std::ptrdiff_t>(*replacing));
    } else if (kept) {
        document.marks.push_back(typed);
    }
    Commit(std::move(document));
}

void MarkupEditor::ApplyCrop() {
    MarkupDocument document = Document();
    const Rect crop = Intersect(*pendingCrop_, OutputArea(document));
    pendingCrop_.reset();
    if (HasArea(crop)) document.crop = crop;
    Commit(std::move(document));
    changes_.everything = true;
}

void MarkupEditor::DeleteSelected() {
    if (!selected_) return;
    MarkupDocument document = Document();
    const auto index = static_cast<std::ptrdiff_t>(*selected_);
    Compose(BoundsOf(document.marks[*selected_]));
    Select(std::nullopt);
    document.marks.erase(document.marks.begin() + index);
    Commit(std::move(document));
}

void MarkupEditor::DuplicateSelected() {
    if (!selected_) return;
    MarkupDocument document = Document();
    Mark copy = Moved(document.marks[*selected_], {kDuplicateOffset, kDuplicateOffset});
    if (copy.kind == MarkKind::Step) copy.number = NextStepNumber(document.marks);
    Compose(BoundsOf(copy));
    document.marks.push_back(std::move(copy));
    Commit(std::move(document));
    Select(Document().marks.size() - 1);
}

void MarkupEditor::Nudge(Point delta) {
    if (!selected_) return;
    MarkupDocument document = Document();
    Mark& mark = document.marks[*selected_];
    const Rect before = BoundsOf(mark);
    mark = Moved(mark, delta);
    Compose(Union(before, BoundsOf(mark)));
    Overlay(Union(before, BoundsOf(mark)));
    Commit(std::move(document));
}

void MarkupEditor::MoveTo(Point at) {
    if (edit_) {
        const Rect before = BoundsOf(edit_->Edited());
        edit_->MoveTo(at);
        Compose(Union(before, BoundsOf(edit_->Edited())));
        Overlay(Union(before, BoundsOf(edit_->Edited())));
    } else if (cropAnchor_) {
        Overlay(*pendingCrop_);
        pendingCrop_ = CropOf(*cropAnchor_, at, Document().image);
        Overlay(*pendingCrop_);
    } else if (drag_) {
        const Rect before = BoundsOf(drag_->Drawn());
        drag_->MoveTo(Inside(at, drag_->Drawn().width));
        Compose(Union(before, BoundsOf(drag_->Drawn())));
    }
}

void MarkupEditor::Release(Point at) {
    MoveTo(at);
    if (edit_) {
        MarkupDocument document = Document();
        Overlay(BoundsOf(document.marks[*selected_]));
        document.marks[*selected_] = edit_->Edited();
        edit_.reset();
        Commit(std::move(document));
    } else if (cropAnchor_) {
        cropAnchor_.reset();
    } else if (drag_) {
        const Mark drawn = drag_->Drawn();
        const bool kept = drag_->Kept();
        drag_.reset();
        Compose(BoundsOf(drawn));
        if (!kept) return;
        MarkupDocument document = Document();
        document.marks.push_back(drawn);
        Commit(std::move(document));
    }
}

void MarkupEditor::DropDrag() {
    if (drag_) Compose(BoundsOf(drag_->Drawn()));
    if (edit_) {
        Compose(Union(BoundsOf(edit_->Edited()), BoundsOf(Document().marks[*selected_])));
        Overlay(BoundsOf(edit_->Edited()));
    }
    drag_.reset();
    edit_.reset();
    cropAnchor_.reset();
}

void MarkupEditor::Restyle(const ToolPick& pick) {
    if (!selected_ || (!pick.colourIndex && !pick.width && !pick.fill)) return;
    MarkupDocument document = Document();
    Mark& mark = document.marks[*selected_];
    const Rect before = BoundsOf(mark);
    if (pick.colourIndex) mark.colour = PaletteColour(*pick.colourIndex);
    if (pick.width) mark.width = *pick.width;
    if (pick.fill && IsFillable(mark.kind)) mark.filled = !filled_;
    if (mark.kind == MarkKind::Text) mark.textBounds = LaidOutBounds(mark, font_);
    Compose(Union(before, BoundsOf(mark)));
    Overlay(Union(before, BoundsOf(mark)));
    Commit(std::move(document));
}

void MarkupEditor::Pick(const ToolPick& pick) {
    if (Dragging()) return;
    if (typing_ && !pick.tool) {
        // The strip restyles the text being typed, which goes on.
        const Mark& typed = typing_->Typed();
        const Rect before = BoundsOf(typed);
        typing_->Restyle(pick.colourIndex ? PaletteColour(*pick.colourIndex) : typed.colour,
                         pick.width.value_or(typed.width), pick.fill ? !filled_ : typed.filled);
        Retyped(before);
    } else {
        if (typing_) EndTyping();
        Restyle(pick);
    }
    if (pick.tool) tool_ = *pick.tool;
    if (tool_ != MarkupTool::Select) Select(std::nullopt);
    if (pick.colourIndex) colourIndex_ = *pick.colourIndex;
    if (pick.width) width_ = *pick.width;
    if (pick.fill) filled_ = !filled_;
    changes_.strip = true;
}

EditorCommand MarkupEditor::Character(wchar_t character, bool shift) {
    if (Dragging()) return EditorCommand::None;
    if (typing_) {
        const Rect before = BoundsOf(typing_->Typed());
        if (typing_->Type(character)) Retyped(before);
        return EditorCommand::None;
    }
    const Mark* selected = Selected();
    if (character == L'\r' && selected != nullptr && selected->kind == MarkKind::Text) {
        StartTyping(*selected, selected_);
        return EditorCommand::None;
    }
    if (const auto tool = ToolForKey(character)) Pick({tool, {}, {}});
    if (const auto colour = PaletteIndexForKey(character)) Pick({{}, colour, {}});
    if (character == L'[') Pick({{}, {}, PreviousWidth(width_)});
    if (character == L']') Pick({{}, {}, NextWidth(width_)});
    if ((character == L'f' || character == L'F') && shift) Pick({.fill = true});
    if ((character == L'f' || character == L'F') && !shift) return EditorCommand::Pin;
    return EditorCommand::None;
}

EditorCommand MarkupEditor::Key(EditorKey key, bool shift) {
    if (Dragging()) return EditorCommand::None;
    if (typing_ && key == EditorKey::Escape) {
        EndTyping();
        return EditorCommand::None;
    }
    if (typing_) {
        static constexpr std::pair<EditorKey, CaretKey> kCaretKeys[] = {
            {EditorKey::Left, CaretKey::Left},    {EditorKey::Right, CaretKey::Right}, {EditorKey::Up, CaretKey::Up},
            {EditorKey::Down, CaretKey::Down},    {EditorKey::Home, CaretKey::Home},   {EditorKey::End, CaretKey::End},
            {EditorKey::Delete, CaretKey::Delete}};
        // Enter and the other keys of the text come as characters.
        const Rect before = BoundsOf(typing_->Typed());
        for (const auto& [pressed, caret] : kCaretKeys)
            if (key == pressed && typing_->Press(caret)) Retyped(before);
        return EditorCommand::None;
    }
    const Mark* selected = Selected();
    const int step = shift ? kFarNudge : 1;
    switch (key) {
        case EditorKey::Enter:
            if (pendingCrop_) {
                ApplyCrop();
                return EditorCommand::None;
            }
            // Its character edits the text.
            return selected != nullptr && selected->kind == MarkKind::Text ? EditorCommand::None
                                                                           : EditorCommand::Output;
        case EditorKey::Escape:
            if (!pendingCrop_) return EditorCommand::Close;
            Overlay(*std::exchange(pendingCrop_, std::nullopt));
            return EditorCommand::None;
        case EditorKey::Save: return EditorCommand::Output;
        case EditorKey::Copy: return EditorCommand::Copy;
        case EditorKey::Undo: Undo(); return EditorCommand::None;
        case EditorKey::Redo: Redo(); return EditorCommand::None;
        case EditorKey::Delete: DeleteSelected(); return EditorCommand::None;
        case EditorKey::Duplicate: DuplicateSelected(); return EditorCommand::None;
        case EditorKey::Left: Nudge({-step, 0}); return EditorCommand::None;
        case EditorKey::Right: Nudge({step, 0}); return EditorCommand::None;
        case EditorKey::Up: Nudge({0, -step}); return EditorCommand::None;
        case EditorKey::Down: Nudge({0, step}); return EditorCommand::None;
        default: return EditorCommand::None;
    }
}

void MarkupEditor::Undo() {
    if (!history_.CanUndo()) return;
    Select(std::nullopt);  // the mark may be gone
    history_.Undo();
    changes_.everything = true;
}

void MarkupEditor::Redo() {
    if (!history_.CanRedo()) return;
    Select(std::nullopt);
    history_.Redo();
    changes_.everything = true;
}

}  // namespace Vorlune
