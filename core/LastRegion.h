#pragma once
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/Geometry.h"
#include "core/SettingKeys.h"

namespace Vorlune {

// Where every rectangle pick is kept, in virtual-screen pixels, for capturing it again.
constexpr SettingSection kLastRegionSection = SectionGui;
constexpr const wchar_t* kLastRegionKey = L"LastRegion";

// "X,Y,W,H": the left and top edges, the width and the height.
std::wstring FormatRegion(const Rect& region);
// Exactly what FormatRegion writes: X and Y may be negative, W and H above 0, the right and
// bottom edges inside std::int32_t; anything else, a space too, is nothing.
std::optional<Rect> ParseRegion(std::wstring_view text);

// What of region lies on the monitors, as the bounding box of its parts on each; nothing when
// it lies on none of them.
std::optional<Rect> ClipToMonitors(const Rect& region, const std::vector<Rect>& monitors);

}  // namespace Vorlune
