#include "draw/GdiObjectCache.h"

namespace Vorlune {

namespace {

template <class Handle>
SharedGdi<Handle> Wrap(Handle handle) {
    if (handle == nullptr) return {};
    try {
        return SharedGdi<Handle>(handle, Deleter<Handle>());
    } catch (...) {
        Deleter<Handle>()(handle);
        throw;
    }
}

HFONT CreateUiFont(int height) {
    return CreateFontW(height, 0, 0, 0, FW_MEDIUM, FALSE, FALSE, FALSE, SHIFTJIS_CHARSET, OUT_DEFAULT_PRECIS,
                       CLIP_DEFAULT_PRECIS, PROOF_QUALITY, VARIABLE_PITCH | FF_SWISS, L"メイリオ");
}

template <class Map, class Key, class Create>
auto FindOrCreate(Map& map, const Key& key, Create create) -> typename Map::mapped_type {
    auto it = map.find(key);
    if (it != map.end()) return it->second;
    auto created = Wrap(create());
    if (created) map.emplace(key, created);
    return created;
}

}  // namespace

GdiObjectCache::GdiObjectCache() {
    fonts_.emplace(0, Wrap(CreateUiFont(22)));
    fonts_.emplace(1, Wrap(CreateUiFont(12)));
    pens_[1];
    pens_[2];
}

GdiObjectCache::~GdiObjectCache() {
    fonts_.clear();
    brushes_.clear();
    pens_.clear();
}

SharedPen GdiObjectCache::GetPen(int width, COLORREF colour) {
    return FindOrCreate(pens_[width], colour, [&] { return CreatePen(PS_SOLID, width, colour); });
}

SharedBrush GdiObjectCache::GetBrush(COLORREF colour) {
    return FindOrCreate(brushes_, colour, [&] { return CreateSolidBrush(colour); });
}

SharedFont GdiObjectCache::GetFont(FontId id) const { return fonts_.at(id); }

GdiObjectCache& GdiCache() {
    static GdiObjectCache cache;
    return cache;
}

}  // namespace Vorlune
