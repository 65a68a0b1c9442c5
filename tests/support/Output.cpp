#include "Output.h"

#include <wincodec.h>

#include <algorithm>
#include <filesystem>
#include <memory>
#include <stdexcept>
#include <utility>

#include "Capture/Dib.h"
#include "Screen.h"
#include "Wait.h"
#include "ui/Clipboard.h"
#include "ui/ComRef.h"
#include "ui/GdiOwners.h"

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

testing::AssertionResult ShowsThePattern(const DecodedImage& image, const RECT& area, const RECT& patterned) {
    if (image.width != area.right - area.left || image.height != area.bottom - area.top)
        return testing::AssertionFailure() << "the image is " << image.width << " x " << image.height;
    for (LONG y = patterned.top; y < patterned.bottom; ++y)
        for (LONG x = patterned.left; x < patterned.right; ++x)
            if (image.Pixel(x - area.left, y - area.top) != ScreenPattern(x, y))
                return testing::AssertionFailure() << "the pixel of " << x << "," << y << " differs";
    return testing::AssertionSuccess();
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

void AwaitClipboardPuts() {
    const auto settled = std::make_shared<bool>(false);
    AfterClipboardPuts([settled] { *settled = true; });
    if (!WaitUntil([&] { return *settled; })) throw std::runtime_error("clipboard puts still waiting");
}

ClipboardHolder::ClipboardHolder()
    : thread_([this] {
          // With a window: Wine lets anyone who opens it without one in beside another without one.
          const OwnedWindow window(
              CreateWindowExW(0, L"STATIC", nullptr, 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr));
          opened_.set_value(WaitUntil([&] { return OpenClipboard(window.get()) != FALSE; }, 5s));
          letGo_.get_future().wait();
          CloseClipboard();
      }),
      held_(opened_.get_future().get()) {}

ClipboardHolder::~ClipboardHolder() {
    LetGo();
    thread_.join();
}

void ClipboardHolder::LetGo() {
    if (!std::exchange(letGone_, true)) letGo_.set_value();
}

void SetClipboardText(HWND owner, const std::wstring& text) {
    const auto placed = std::make_shared<bool>(false);
    PutTextOnClipboard(owner, text, [placed](bool took) { *placed = took; });
    AwaitClipboardPuts();
    if (!*placed) throw std::runtime_error("clipboard busy");
}

std::vector<unsigned char> ClipboardBytes(UINT format) {
    AwaitClipboardPuts();
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

DecodedImage ClipboardImage() {
    AwaitClipboardPuts();
    if (!OpenClipboardSoon()) throw std::runtime_error("clipboard busy");
    DecodedImage image;
    const auto bitmap = static_cast<HBITMAP>(GetClipboardData(CF_BITMAP));
    if (BITMAP shape = {}; bitmap != nullptr && GetObjectW(bitmap, sizeof shape, &shape) != 0) {
        std::vector<std::uint32_t> pixels(static_cast<size_t>(shape.bmWidth) * shape.bmHeight);
        BITMAPINFO info = DibInfo(shape.bmWidth, -shape.bmHeight, 32);
        GetDIBits(ScreenDC().get(), bitmap, 0, shape.bmHeight, pixels.data(), &info, DIB_RGB_COLORS);
        image = {shape.bmWidth, shape.bmHeight, {}};
        for (const std::uint32_t p : pixels) image.bgr.insert(image.bgr.end(), {BYTE(p), BYTE(p >> 8), BYTE(p >> 16)});
    }
    CloseClipboard();
    return image;
}

std::string ClipboardText() {
    std::vector<unsigned char> bytes = ClipboardBytes(CF_TEXT);
    bytes.push_back(0);
    return reinterpret_cast<const char*>(bytes.data());
}

}  // namespace Vorlune::Test
