#include "draw/GdiObjectCache.h"

namespace Vorlune {

namespace {

// shared_ptr already hands the handle to the deleter when it cannot allocate its count,
// so no catch here: deleting again would free a handle that may have been reused.
template <class Handle>
SharedGdi<Handle> Wrap(Handle handle) {
    if (handle == nullptr) return {};
    return SharedGdi<Handle>(handle, GdiObjectDeleter());
}

SharedFont CreateUiFont(FontId id, int dpi) {
    const int height = Scaled(id == 0 ? 22 : 12, dpi);
    return Wrap(CreateFontW(height, 0, 0, 0, FW_MEDIUM, FALSE, FALSE, FALSE, SHIFTJIS_CHARSET, OUT_DEFAULT_PRECIS,
                            CLIP_DEFAULT_PRECIS, PROOF_QUALITY, VARIABLE_PITCH | FF_SWISS, L"メイリオ"));
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
    fonts_[0].emplace(kBaseDpi, CreateUiFont(0, kBaseDpi));
    fonts_[1].emplace(kBaseDpi, CreateUiFont(1, kBaseDpi));
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

SharedFont GdiObjectCache::GetFont(FontId id, int dpi) {
    SharedFont& font = fonts_.at(id)[dpi];
    if (!font) font = CreateUiFont(id, dpi);
    return font;
}

GdiObjectCache& GdiCache() {
    static GdiObjectCache cache;
    return cache;
}

}  // namespace Vorlune
