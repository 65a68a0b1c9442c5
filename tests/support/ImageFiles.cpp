#include "ImageFiles.h"

#include <wincodec.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>

#include "ui/ComRef.h"

namespace Vorlune::Test {

namespace {

// The little-endian number of size bytes at at.
std::uint32_t Read(const std::vector<unsigned char>& bytes, size_t at, int size = 4) {
    std::uint32_t value = 0;
    while (size-- > 0) value = value << 8 | bytes[at + size];
    return value;
}

size_t RowBytes(int width) { return (static_cast<size_t>(width) * 3 + 3) / 4 * 4; }

}  // namespace

std::vector<std::wstring> ImageFolderGuard::Images() const {
    std::vector<std::wstring> found;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(folder_.Path()))
        if (entry.is_regular_file() && entry.path().extension() == L".bmp") found.push_back(entry.path().wstring());
    std::sort(found.begin(), found.end());
    return found;
}

std::optional<Bitmap24> ImageFolderGuard::Image(size_t index) const {
    const std::vector<std::wstring> files = Images();
    if (files.size() <= index) return std::nullopt;
    Bitmap24 image = ReadBitmap24(files[index]);
    if (!image.Valid()) return std::nullopt;
    return image;
}

Bitmap24 ReadBitmap24(const std::wstring& path) {
    Bitmap24 image;
    image.bytes = ReadBytes(path);
    if (image.bytes.size() < 54) return image;
    image.width = static_cast<int>(Read(image.bytes, 18));
    image.height = static_cast<int>(Read(image.bytes, 22));
    return image;
}

bool Bitmap24::Valid() const {
    if (bytes.size() < 54 || bytes[0] != 'B' || bytes[1] != 'M') return false;
    if (width <= 0 || height <= 0 || Read(bytes, 10) != 54 || Read(bytes, 14) != 40) return false;
    if (Read(bytes, 26, 2) != 1 || Read(bytes, 28, 2) != 24 || Read(bytes, 30) != 0) return false;
    const size_t total = 54 + RowBytes(width) * static_cast<size_t>(height);
    return bytes.size() == total && Read(bytes, 2) == total;
}

COLORREF Bitmap24::Pixel(int x, int y) const {
    const size_t at = 54 + RowBytes(width) * static_cast<size_t>(height - 1 - y) + static_cast<size_t>(x) * 3;
    return RGB(bytes[at + 2], bytes[at + 1], bytes[at]);
}

DecodedImage DecodeImageFile(const std::wstring& path) {
    const ComApartment apartment;
    ComRef<IWICImagingFactory> factory;
    ComRef<IWICBitmapDecoder> decoder;
    ComRef<IWICBitmapFrameDecode> frame;
    WICPixelFormatGUID format = {};
    UINT width = 0, height = 0;
    if (FAILED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_IWICImagingFactory, factory.OutVoid())) ||
        FAILED(factory->CreateDecoderFromFilename(path.c_str(), nullptr, GENERIC_READ, WICDecodeMetadataCacheOnDemand, decoder.Out())) ||
        FAILED(decoder->GetFrame(0, frame.Out())) || FAILED(frame->GetPixelFormat(&format)) ||
        format != GUID_WICPixelFormat24bppBGR || FAILED(frame->GetSize(&width, &height)))
        return {};
    DecodedImage image{static_cast<int>(width), static_cast<int>(height), std::vector<unsigned char>(width * 3 * height)};
    if (FAILED(frame->CopyPixels(nullptr, width * 3, static_cast<UINT>(image.bgr.size()), image.bgr.data()))) return {};
    return image;
}

COLORREF DecodedImage::Pixel(int x, int y) const {
    const size_t at = (static_cast<size_t>(y) * width + x) * 3;
    return RGB(bgr[at + 2], bgr[at + 1], bgr[at]);
}

}  // namespace Vorlune::Test
