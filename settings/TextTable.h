#pragma once
#include <array>
#include <string>

namespace Vorlune {

constexpr int kTextCount = 81;

// entry[id][0] Japanese, entry[id][1] English.
using TextTable = std::array<std::array<std::wstring, 2>, kTextCount>;

void FillTextTable(TextTable& table);

}  // namespace Vorlune
