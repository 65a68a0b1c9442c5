#pragma once
#include <windows.h>

#include <memory>
#include <type_traits>
#include <unordered_map>

#include "core/Dpi.h"
#include "ui/GdiOwners.h"

namespace Vorlune {

template <class Handle>
using SharedGdi = std::shared_ptr<std::remove_pointer_t<Handle>>;

using SharedPen = SharedGdi<HPEN>;
using SharedBrush = SharedGdi<HBRUSH>;
using SharedFont = SharedGdi<HFONT>;

using FontId = int;

// Shared pens, brushes and the two fonts, created once and kept until exit.
class GdiObjectCache {
public:
    GdiObjectCache();
    ~GdiObjectCache();
    GdiObjectCache(const GdiObjectCache&) = delete;
    GdiObjectCache& operator=(const GdiObjectCache&) = delete;

    // A failed creation is not kept: the next request tries again.
    SharedPen GetPen(int width, COLORREF colour);
    SharedBrush GetBrush(COLORREF colour);
    // Font 0 is 22 pixels high at 96 DPI, font 1 is 12; at other DPIs in proportion. Throws
    // std::out_of_range for any other id.
    SharedFont GetFont(FontId id, int dpi = kBaseDpi);

private:
    std::unordered_map<int, std::unordered_map<COLORREF, SharedPen>> pens_;
    std::unordered_map<COLORREF, SharedBrush> brushes_;
    std::unordered_map<FontId, std::unordered_map<int, SharedFont>> fonts_;
};

GdiObjectCache& GdiCache();

}  // namespace Vorlune
