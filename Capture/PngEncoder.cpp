#include "Capture/PngEncoder.h"

#include <wincodec.h>

#include "Capture/CaptureErrors.h"
#include "ui/ComRef.h"

namespace Vorlune {

namespace {

// Screen pictures are mostly flat areas and repeated glyphs, which the compressor finds
// without a row filter; no filter is also the fastest.
constexpr BYTE kRowFilter = WICPngFilterNone;

// A Win32 error wrapped in an HRESULT is reported as that error, like a failed write.
DWORD ErrorCode(HRESULT result) {
    return HRESULT_FACILITY(result) == FACILITY_WIN32 ? HRESULT_CODE(result) : static_cast<DWORD>(result);
}

void Check(HRESULT result, int line) {
    if (FAILED(result)) throw AnExceptionImpl(TextBitmapCreationFailed, __FILE__, line, ErrorCode(result));
}

void SetRowFilter(IPropertyBag2* options) {
    PROPBAG2 name = {};
    name.pstrName = const_cast<LPOLESTR>(L"FilterOption");
    VARIANT value = {};
    V_VT(&value) = VT_UI1;
    V_UI1(&value) = kRowFilter;
    Check(options->Write(1, &name, &value), __LINE__);
}

std::vector<std::uint8_t> StreamBytes(IStream* stream) {
    STATSTG status = {};
    Check(stream->Stat(&status, STATFLAG_NONAME), __LINE__);
    HGLOBAL memory = nullptr;
    Check(GetHGlobalFromStream(stream, &memory), __LINE__);
    const auto* bytes = static_cast<const std::uint8_t*>(GlobalLock(memory));
    if (bytes == nullptr) throw AnExceptionImpl(TextBitmapCreationFailed, __FILE__, __LINE__, GetLastError());
    std::vector<std::uint8_t> copy(bytes, bytes + status.cbSize.QuadPart);
    GlobalUnlock(memory);
    return copy;
}

}  // namespace

std::vector<std::uint8_t> EncodePng(const CapturedImage& image) {
    const ComApartment apartment;
    ComRef<IWICImagingFactory> factory;
    Check(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_IWICImagingFactory,
                           factory.OutVoid()),
          __LINE__);
    ComRef<IStream> stream;
    Check(CreateStreamOnHGlobal(nullptr, TRUE, stream.Out()), __LINE__);
    ComRef<IWICBitmapEncoder> encoder;
    Check(factory->CreateEncoder(GUID_ContainerFormatPng, nullptr, encoder.Out()), __LINE__);
    Check(encoder->Initialize(stream.Get(), WICBitmapEncoderNoCache), __LINE__);
    ComRef<IWICBitmapFrameEncode> frame;
    ComRef<IPropertyBag2> options;
    Check(encoder->CreateNewFrame(frame.Out(), options.Out()), __LINE__);
    SetRowFilter(options.Get());
    Check(frame->Initialize(options.Get()), __LINE__);
    Check(frame->SetSize(static_cast<UINT>(image.Width()), static_cast<UINT>(image.Height())), __LINE__);
    WICPixelFormatGUID format = GUID_WICPixelFormat24bppBGR;
    Check(frame->SetPixelFormat(&format), __LINE__);
    // An encoder that offers another format would change the pixels.
    if (format != GUID_WICPixelFormat24bppBGR) Check(WINCODEC_ERR_UNSUPPORTEDPIXELFORMAT, __LINE__);
    // The bits hold the bottom row first; the encoder takes the top row first.
    const UINT stride = image.PixelBytes() / static_cast<UINT>(image.Height());
    for (int row = image.Height() - 1; row >= 0; --row)
        Check(
            frame->WritePixels(1, stride, stride, const_cast<BYTE*>(image.Bits()) + static_cast<size_t>(row) * stride),
            __LINE__);
    Check(frame->Commit(), __LINE__);
    Check(encoder->Commit(), __LINE__);
    return StreamBytes(stream.Get());
}

}  // namespace Vorlune
