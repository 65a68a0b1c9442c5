#pragma once
#include <windows.h>

#include <memory>
#include <type_traits>
#include <unordered_map>

namespace Vorlune {

template <class Handle>
struct Deleter {
    void operator()(Handle handle) const {
        if (handle != nullptr) DeleteObject(handle);
    }
};

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

    // A failed creation is not cached: the next request tries again.
    SharedPen GetPen(int width, COLORREF colour);
    SharedBrush GetBrush(COLORREF colour);
    // Throws std::out_of_range for an id other than 0 or 1.
    SharedFont GetFont(FontId id) const;

private:
    std::unordered_map<int, std::unordered_map<COLORREF, SharedPen>> pens_;
    std::unordered_map<COLORREF, SharedBrush> brushes_;
    std::unordered_map<FontId, SharedFont> fonts_;
};

GdiObjectCache& GdiCache();

}  // namespace Vorlune
