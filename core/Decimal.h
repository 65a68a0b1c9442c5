#pragma once
#include <cstdint>
#include <optional>
#include <string_view>

namespace Vorlune {

enum class Sign { NotAllowed, MinusAllowed };

// Decimal digits alone, after a minus sign where sign allows one: no plus sign, no space,
// nothing else. Nothing when the value does not fit std::int32_t.
std::optional<std::int32_t> ParseDecimal(std::wstring_view text, Sign sign);

}  // namespace Vorlune
