#include "Output.h"

#include <wincodec.h>

#include <algorithm>
#include <filesystem>
#include <stdexcept>

#include "Wait.h"
#include "ui/Clipboard.h"
#include "ui/ComRef.h"

namespace Vorlune::Test {

std::vector<std::wstring> ImageFolderGuard::Images() const {
    std::vector<std::wstring> found;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(folder_.Path()))
        if (entry.is_regular_file() && entry.path().extension() == L".bmp") found.push_back(entry.path().wstring());
    std::sort(found.begin(), found.end());
    return found;
}

DecodedImage ImageFolderGuard::Image(size_t index) const {
    const std::vector<std::wstring> files = Images();
    return index < files.size() ? DecodeImageFile(files[index]) : DecodedImage{};
}

DecodedImage DecodeImageFile(const std::wstring& path) {
    const ComApartment apartment;
    ComRef<IWICImagingFactory> factory;
    ComRef<IWICBitmapDecoder> decoder;
    ComRef<IWICBitmapFrameDecode> frame;
    WICPixelFormatGUID format = {};
    UINT width = 0, height = 0;
    if (FAILED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_IWICImagingFactory,
                                factory.OutVoid())) ||
        FAILED(factory->CreateDecoderFromFilename(path.c_str(), nullptr, GENERIC_READ, WICDecodeMetadataCacheOnDemand,
                                                  decoder.Out())) ||
        FAILED(decoder->GetFrame(0, frame.Out())) || FAILED(frame->GetPixelFormat(&format)) ||
        format != GUID_WICPixelFormat24bppBGR || FAILED(frame->GetSize(&width, &height)))
        return {};
    DecodedImage image{static_cast<int>(width), static_cast<int>(height),
                       std::vector<unsigned char>(width * 3 * height)};
    if (FAILED(frame->CopyPixels(nullptr, width * 3, static_cast<UINT>(image.bgr.size()), image.bgr.data()))) return {};
    return image;
}

COLORREF DecodedImage::Pixel(int x, int y) const {
    const size_t at = (static_cast<size_t>(y) * width + x) * 3;
    return RGB(bgr[at + 2], bgr[at + 1], bgr[at]);
}

std::vector<std::wstring> NamesIn(const std::wstring& folder) {
    std::vector<std::wstring> names;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(folder, error))
        names.push_back(entry.path().filename().wstring());
    std::sort(names.begin(), names.end());
    return names;
}

bool OpenClipboardSoon() {
    return WaitUntil([] { return OpenClipboard(nullptr) != FALSE; }, 5s);
}

void SetClipboardText(HWND owner, const std::wstring& text) {
    if (!WaitUntil([&] { return PutTextOnClipboard(owner, text); }, 5s)) throw std::runtime_error("clipboard busy");
}

std::vector<unsigned char> ClipboardBytes(UINT format) {
    if (!OpenClipboardSoon()) throw std::runtime_error("clipboard busy");
    std::vector<unsigned char> bytes;
    if (HANDLE data = GetClipboardData(format)) {
        const auto* start = static_cast<const unsigned char*>(GlobalLock(data));
        if (start != nullptr) bytes.assign(start, start + GlobalSize(data));
        GlobalUnlock(data);
    }
    CloseClipboard();
    return bytes;
}

std::string ClipboardText() {
    std::vector<unsigned char> bytes = ClipboardBytes(CF_TEXT);
    bytes.push_back(0);
    return reinterpret_cast<const char*>(bytes.data());
}

}  // namespace Vorlune::Test
