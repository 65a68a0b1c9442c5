#pragma once
#include <cstddef>
#include <optional>
#include <vector>

#include "core/MarkDrag.h"
#include "core/MarkupDocument.h"
#include "core/MarkupKeys.h"
#include "core/TextTyping.h"

// What the mark-up window's tools do to its document: which tool is armed, what a press, a drag,
// a release, a character or a key does, and the text being typed. The window only reads its
// input into these calls and shows what they changed.
namespace Vorlune {

// Keys besides characters, read from the window's key chords.
enum class EditorKey { Enter, Escape, Delete, Left, Right, Up, Down, Home, End, Save, Copy, Undo, Redo, Duplicate };

// What the window is to do after a key, beyond showing what changed.
enum class EditorCommand { None, Output, Copy, Pin, Close };

// What the window shows anew, in image pixels.
struct EditorChanges {
    Rect composed{};  // the marks composed anew there
    Rect overlaid{};  // handles, frames and the caret
    bool strip = false;  // the tool, colour or width chosen
    bool everything = false;  // the crop: the whole view
};

class MarkupEditor {
public:
    // Red, the middle width, the rectangle. The font must outlive the editor.
    MarkupEditor(Size image, const TextFont& font);

    MarkupTool Tool() const { return tool_; }
    int ColourIndex() const { return colourIndex_; }
    int Width() const { return width_; }
    bool Filled() const { return filled_; }
    const MarkupDocument& Document() const { return history_.Current(); }
    // The marks in their order as the output has them, with the one edited in its place and
    // the one drawn or typed on top.
    std::vector<const Mark*> Shown() const;
    // The mark whose handles show: none while one is drawn.
    const Mark* Selected() const;
    const std::optional<Rect>& PendingCrop() const { return pendingCrop_; }
    // The text being typed, and its caret.
    const TextTyping* Typing() const { return typing_ ? &*typing_ : nullptr; }
    // A drag holds the pointer until it is released.
    bool Dragging() const { return drag_ || edit_ || cropAnchor_; }
    // Marks, a crop or a text that closing without output would lose.
    bool HasChanges() const;

    // handleSize: the handles' side in image pixels, which the hit tests allow for too.
    void Press(Point at, int handleSize);
    // The second press of a double click: with the select tool on a text, edits it again.
    void DoublePress(Point at, int handleSize);
    void MoveTo(Point at);
    void Release(Point at);
    // The pointer was taken away: what was being drawn or moved is dropped.
    void DropDrag();
    // shift: whether Shift is down, as a character may come without it (Caps Lock).
    EditorCommand Character(wchar_t character, bool shift);
    // shift: whether Shift is down, which makes the arrow keys nudge a selected mark further.
    EditorCommand Key(EditorKey key, bool shift = false);
    // A button of the strip.
    void Pick(const ToolPick& pick);

    // What changed since the last call: everything when a first spotlight came or the last went.
    EditorChanges TakeChanges();

private:
    void Compose(const Rect& area) { changes_.composed = Union(changes_.composed, area); }
    void Overlay(const Rect& area) { changes_.overlaid = Union(changes_.overlaid, area); }
    void Commit(MarkupDocument document);
    // A point beside the image, moved onto its nearest edge, inset so that a stroke of the
    // width stays whole.
    Point Inside(Point at, int stroke) const;
    void StartEdit(Point press, int handleSize);
    void Select(std::optional<std::size_t> index);
    void DeleteSelected();
    // A copy of the selected mark beside it, selected in its place.
    void DuplicateSelected();
    void Nudge(Point delta);
    void Restyle(const ToolPick& pick);
    void PlaceStep(Point centre);
    void StartTyping(Mark text, std::optional<std::size_t> replacing);
    void Retyped(const Rect& before);
    // The text becomes a mark, or replaces the one edited, unless nothing is left of it.
    void EndTyping();
    void ApplyCrop();
    void Undo();
    void Redo();

    const TextFont& font_;
    MarkupHistory history_;
    MarkupTool tool_ = MarkupTool::Rectangle;
    int colourIndex_ = 0;
    int width_ = kDefaultWidth;
    bool filled_ = false;
    std::optional<MarkDrag> drag_;
    std::optional<std::size_t> selected_;
    std::optional<EditDrag> edit_;  // of the selected mark
    std::optional<Point> cropAnchor_;  // while the crop is dragged
    std::optional<Rect> pendingCrop_;  // dragged, not yet applied
    std::optional<TextTyping> typing_;
    std::optional<std::size_t> retyped_;  // the finished text being edited again
    EditorChanges changes_;
    bool spotlit_ = false;  // as last taken
};

}  // namespace Vorlune
