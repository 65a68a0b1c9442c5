#include "core/ScrollMaxHeight.h"

#include <algorithm>

#include "core/Decimal.h"

namespace Vorlune {

int ParseScrollMaxHeight(std::wstring_view text) {
    const auto value = ParseDecimal(text, Sign::MinusAllowed);
    if (!value) return kDefaultScrollMaxHeight;
    return std::clamp(*value, kLowestScrollMaxHeight, kTallestScroll);
}

std::optional<int> TypedScrollMaxHeight(std::wstring_view text) {
    const auto value = ParseDecimal(text, Sign::NotAllowed);
    if (!value || *value < kLowestScrollMaxHeight || *value > kTallestScroll) return std::nullopt;
    return *value;
}

}  // namespace Vorlune
