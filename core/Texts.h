#pragma once
#include <array>
#include <string>

#include "core/TextId.h"

namespace Vorlune {

// entry[id][0] Japanese, entry[id][1] English.
using TextTable = std::array<std::array<std::wstring, 2>, TextCount>;

// Every text of the program in both languages; the version line and the legal notice stay
// empty, for the version resource to fill.
TextTable BuiltInTexts();

}  // namespace Vorlune
