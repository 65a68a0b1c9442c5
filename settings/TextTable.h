#pragma once
#include <string>

#include "core/Texts.h"

namespace Vorlune {

// The built-in texts, and entry 39 carrying the file version of the module at modulePath,
// entry 40 its legal notice; both only as far as its version resource can be read.
void FillTextTable(TextTable& table, const std::wstring& modulePath);

}  // namespace Vorlune
