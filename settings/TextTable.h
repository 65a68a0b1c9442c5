#pragma once
#include <array>
#include <string>

#include "settings/TextId.h"

namespace Vorlune {

// entry[id][0] Japanese, entry[id][1] English.
using TextTable = std::array<std::array<std::wstring, 2>, TextCount>;

// Entry 39 carries the file version of the module at modulePath, entry 40 its legal notice;
// both only as far as its version resource can be read.
void FillTextTable(TextTable& table, const std::wstring& modulePath);

}  // namespace Vorlune
