#pragma once
#include "core/TextLayout.h"

namespace Vorlune {

// Every character ten pixels wide, every line twenty high, whatever the width.
class FixedFont : public TextFont {
public:
    int LineHeight(int) const override { return 20; }
    int LineWidth(std::wstring_view line, int) const override { return 10 * static_cast<int>(line.size()); }
};

}  // namespace Vorlune
