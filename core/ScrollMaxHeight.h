#pragma once
#include <optional>
#include <string_view>

namespace Vorlune {

// The most pixels a scrolling capture may grow to, down or across: the image stays within
// what memory and the image formats take.
constexpr int kTallestScroll = 1000000;
// A stored limit below this would end a capture before a screenful could be added.
constexpr int kLowestScrollMaxHeight = 1000;
constexpr int kDefaultScrollMaxHeight = 30000;

// ScrollMaxHeight as a limit: text that is no number in decimal digits, or one beyond an int,
// gives the default; any other value is held within kLowestScrollMaxHeight and kTallestScroll.
int ParseScrollMaxHeight(std::wstring_view text);
// A limit as typed into the settings: decimal digits within kLowestScrollMaxHeight and
// kTallestScroll; else nothing.
std::optional<int> TypedScrollMaxHeight(std::wstring_view text);

}  // namespace Vorlune
