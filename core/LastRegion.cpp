#include "core/LastRegion.h"

#include <algorithm>
#include <cstdint>
#include <limits>

#include "core/Decimal.h"

namespace Vorlune {

namespace {
constexpr std::size_t kRegionFields = 4;

// The fields between the commas; an empty one is kept, for the number parser to refuse.
std::vector<std::wstring_view> SplitFields(std::wstring_view text) {
    std::vector<std::wstring_view> fields;
    for (std::size_t comma; (comma = text.find(L',')) != std::wstring_view::npos; text.remove_prefix(comma + 1))
        fields.push_back(text.substr(0, comma));
    fields.push_back(text);
    return fields;
}

bool FitsAfter(std::int32_t edge, std::int32_t length) {
    return std::int64_t{edge} + length <= std::numeric_limits<std::int32_t>::max();
}

Rect BoundingBox(const Rect& a, const Rect& b) {
    return {std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right), std::max(a.bottom, b.bottom)};
}
}  // namespace

std::wstring FormatRegion(const Rect& region) {
    const Size size = SizeOf(region);
    return std::to_wstring(region.left) + L',' + std::to_wstring(region.top) + L',' + std::to_wstring(size.cx) + L',' +
           std::to_wstring(size.cy);
}

std::optional<Rect> ParseRegion(std::wstring_view text) {
    const std::vector<std::wstring_view> fields = SplitFields(text);
    if (fields.size() != kRegionFields) return std::nullopt;
    const auto x = ParseDecimal(fields[0], Sign::MinusAllowed);
    const auto y = ParseDecimal(fields[1], Sign::MinusAllowed);
    const auto width = ParseDecimal(fields[2], Sign::NotAllowed);
    const auto height = ParseDecimal(fields[3], Sign::NotAllowed);
    if (!x || !y || !width || !height || *width == 0 || *height == 0) return std::nullopt;
    if (!FitsAfter(*x, *width) || !FitsAfter(*y, *height)) return std::nullopt;
    return Rect{*x, *y, *x + *width, *y + *height};
}

std::optional<Rect> ClipToMonitors(const Rect& region, const std::vector<Rect>& monitors) {
    std::optional<Rect> clipped;
    for (const Rect& monitor : monitors) {
        const Rect part = Intersect(region, monitor);
        if (HasArea(part)) clipped = clipped ? BoundingBox(*clipped, part) : part;
    }
    return clipped;
}

}  // namespace Vorlune
