#include "core/Decimal.h"

#include <limits>

namespace Vorlune {

std::optional<std::int32_t> ParseDecimal(std::wstring_view text, Sign sign) {
    const bool negative = sign == Sign::MinusAllowed && text.starts_with(L'-');
    if (negative) text.remove_prefix(1);
    if (text.empty()) return std::nullopt;
    // Counted one past the largest magnitude so that the smallest value still fits.
    constexpr std::int64_t kLimit = std::int64_t{std::numeric_limits<std::int32_t>::max()} + 1;
    std::int64_t magnitude = 0;
    for (const wchar_t c : text) {
        if (c < L'0' || c > L'9') return std::nullopt;
        magnitude = magnitude * 10 + (c - L'0');
        if (magnitude > kLimit) return std::nullopt;
    }
    if (!negative && magnitude == kLimit) return std::nullopt;
    return static_cast<std::int32_t>(negative ? -magnitude : magnitude);
}

}  // namespace Vorlune
