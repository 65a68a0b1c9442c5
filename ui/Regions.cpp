#include "ui/Regions.h"

#include "ui/GdiOwners.h"

namespace Vorlune {

std::vector<RECT> RegionRects(HRGN region) {
    std::vector<RECT> rects;
    std::vector<unsigned char> data(GetRegionData(region, 0, nullptr));
    auto* header = reinterpret_cast<RGNDATA*>(data.data());
    if (!data.empty() && GetRegionData(region, static_cast<DWORD>(data.size()), header) != 0) {
        const RECT* first = reinterpret_cast<const RECT*>(header->Buffer);
        rects.assign(first, first + header->rdh.nCount);
    }
    return rects;
}

std::vector<RECT> Union(const std::vector<RECT>& rects) {
    const OwnedRegion area(CreateRectRgn(0, 0, 0, 0));
    for (const RECT& rect : rects) {
        const OwnedRegion part(CreateRectRgnIndirect(&rect));
        CombineRgn(area.get(), area.get(), part.get(), RGN_OR);
    }
    return RegionRects(area.get());
}

}  // namespace Vorlune
