#include <windows.h>

#include <memory>
#include <utility>

#include "core/BmpLayout.h"
#include "Capture/CaptureErrors.h"
#include "Capture/CaptureOutput.h"
#include "Capture/Dib.h"
#include "Capture/PngEncoder.h"
#include "Capture/Viewer.h"
#include "app/AppContext.h"
#include "core/ClipBoardMode.h"
#include "core/CommandLine.h"
#include "settings/ImageFolder.h"
#include "core/ImageNames.h"
#include "settings/SettingsStore.h"
#include "ui/GdiOwners.h"

namespace Vorlune {

namespace {

// How long a move that another program refuses for a moment (a virus scanner, an indexer or
// a sync client opening the new file) is tried again.
constexpr ULONGLONG kMoveRetryMs = 1000;
constexpr DWORD kMoveRetryPauseMs = 50;

bool RefusedForAMoment(DWORD error) { return error == ERROR_SHARING_VIOLATION || error == ERROR_ACCESS_DENIED; }

// Writes all of data; on failure error is the code of the failing call. A short write goes
// on with the rest: on a disk that fills up, the next call names the reason.
bool WriteWhole(HANDLE file, const void* data, DWORD size, const ImageFileCalls& calls, DWORD& error) {
    const auto* rest = static_cast<const std::uint8_t*>(data);
    while (size > 0) {
        DWORD written = 0;
        if (!(calls.write ? calls.write(file, rest, size, &written) : WriteFile(file, rest, size, &written, nullptr))) {
            error = GetLastError();
            return false;
        }
        if (written == 0 || written > size) {
            error = ERROR_WRITE_FAULT;  // the call reported success and wrote nothing
            return false;
        }
        rest += written;
        size -= written;
    }
    return true;
}

// The namer's next free path after target turned out to be taken; empty when there is none,
// or the error is another.
std::wstring NextAfterTaken(DWORD error, ImageFileNamer* namer, const std::wstring& target) {
    const bool taken = error == ERROR_ALREADY_EXISTS || error == ERROR_FILE_EXISTS;
    return taken && namer != nullptr ? namer->NextImagePathAfterTaken(target) : std::wstring();
}

// Beside the image and never longer than its path: a folder that fits the image fits it.
std::wstring TemporaryPath(const std::wstring& path) {
    const size_t name = path.find_last_of(L'\\') + 1;
    return path.substr(0, name) + TemporaryImageName(path.substr(name));
}

// A new temporary file for the image at target. One that exists belongs to another writer or
// to a crash: with a namer the image moves on to the next free name, else it fails.
KernelHandle CreateTemporary(std::wstring& target, std::wstring& temporary, ImageFileNamer* namer) {
    for (;;) {
        temporary = TemporaryPath(target);
        KernelHandle handle(
            CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr));
        if (handle.Valid()) return handle;
        const DWORD error = GetLastError();
        const std::wstring next = NextAfterTaken(error, namer, target);
        if (next.empty()) throw ImageWriteError(__FILE__, __LINE__, error, target);
        target = next;
    }
}

// Moves the complete file at temporary to target without replacing anything; a name taken
// since it was picked moves on to the namer's next free one. On failure the file goes.
std::wstring MoveIntoPlace(const std::wstring& temporary, std::wstring target, ImageFileNamer* namer,
                           const ImageFileCalls& calls) {
    const ULONGLONG start = GetTickCount64();
    while (!(calls.move ? calls.move(temporary.c_str(), target.c_str())
                        : MoveFileExW(temporary.c_str(), target.c_str(), 0))) {
        const DWORD error = GetLastError();
        const std::wstring next = NextAfterTaken(error, namer, target);
        if (!next.empty()) {
            target = next;
        } else if (RefusedForAMoment(error) && GetTickCount64() - start < kMoveRetryMs) {
            Sleep(kMoveRetryPauseMs);
        } else {
            DeleteFileW(temporary.c_str());
            throw ImageWriteError(__FILE__, __LINE__, error, target);
        }
    }
    return target;
}

ClipBoardMode ClipBoardSetting() { return ClipBoardModeOf(Store().GetInt(SectionSettings, KeyClipBoard)); }
ImageFormat ImageFormatSetting() { return ImageFormatOf(Store().GetInt(SectionSettings, KeyImageFormat)); }

// The next free name of today's folder; every number of the day taken is a write that failed.
std::wstring NextImagePath(ImageFileNamer& namer, ImageFormat format) {
    std::wstring path = namer.NextImagePath(GetSaveFolder(), format);
    if (path.empty()) throw ImageWriteError(__FILE__, __LINE__, ERROR_FILE_EXISTS, namer.DayFolder());
    return path;
}

// A new image of size, its bits laid out as in the file.
CapturedImage NewImage(SIZE size) {
    const auto pixelBytes = BmpPixelDataSize(size.cx, size.cy);
    if (!pixelBytes) throw AnExceptionImpl(TextBitmapCreationFailed, __FILE__, __LINE__, ERROR_INVALID_PARAMETER);
    HBITMAP bitmap = CreateDib24(size.cx, size.cy);
    if (bitmap == nullptr) throw AnExceptionImpl(TextBitmapCreationFailed, __FILE__, __LINE__, GetLastError());
    DIBSECTION section = {};
    const bool described = GetObjectW(bitmap, sizeof section, &section) == sizeof section;
    const DWORD describeError = GetLastError();
    CapturedImage image(bitmap, static_cast<const std::uint8_t*>(section.dsBm.bmBits), size.cx, size.cy, *pixelBytes);
    // The file is written from these bits as they are, so they must be laid out as in the file.
    if (!described || image.Bits() == nullptr || section.dsBmih.biHeight != size.cy ||
        static_cast<std::uint32_t>(section.dsBm.bmWidthBytes) != BmpRowSize(size.cx))
        throw AnExceptionImpl(TextBitmapCreationFailed, __FILE__, __LINE__, describeError);
    return image;
}

}  // namespace

CapturedImage CaptureArea(HDC source, POINT position, SIZE size) {
    CapturedImage image = NewImage(size);
    HBITMAP bitmap = image.Bitmap();
    const OwnedDC memory(CreateCompatibleDC(nullptr));
    if (!memory) throw AnExceptionImpl(TextBitmapCreationFailed, __FILE__, __LINE__, GetLastError());
    BOOL copied = FALSE;
    DWORD copyError = 0;
    {
        const SelectGuard selected(memory.get(), bitmap);
        copied = BitBlt(memory.get(), 0, 0, size.cx, size.cy, source, position.x, position.y, SRCCOPY | CAPTUREBLT);
        copyError = GetLastError();
    }
    if (!copied) throw AnExceptionImpl(TextBitmapCreationFailed, __FILE__, __LINE__, copyError);
    GdiFlush();  // the bits are read directly from here on
    return image;
}

CapturedImage ImageOfLines(int width, int height, bool columns,
                           const std::function<void(const ImageLineWriter&)>& fill) {
    CapturedImage image = NewImage({width, height});
    DIBSECTION section = {};
    if (GetObjectW(image.Bitmap(), sizeof section, &section) != sizeof section)
        throw AnExceptionImpl(TextBitmapCreationFailed, __FILE__, __LINE__, GetLastError());
    auto* const bits = static_cast<std::uint8_t*>(section.dsBm.bmBits);
    const std::size_t stride = section.dsBm.bmWidthBytes;
    // Bottom-up, three bytes a pixel in blue, green, red order.
    const auto put = [&](int x, int y, std::uint32_t pixel) {
        std::uint8_t* to = bits + stride * static_cast<std::size_t>(height - 1 - y) + 3 * static_cast<std::size_t>(x);
        to[0] = static_cast<std::uint8_t>(pixel);
        to[1] = static_cast<std::uint8_t>(pixel >> 8);
        to[2] = static_cast<std::uint8_t>(pixel >> 16);
    };
    fill([&](int index, const std::uint32_t* line) {
        if (columns) {
            for (int y = 0; y < height; ++y) put(index, y, line[y]);
        } else {
            for (int x = 0; x < width; ++x) put(x, index, line[x]);
        }
    });
    return image;
}

ImageFileBytes EncodeImageFile(const CapturedImage& image, ImageFormat format) {
    ImageFileBytes file;
    file.format = format;
    if (format == ImageFormatPng) {
        file.encoded = EncodePng(image);
    } else {
        const auto headers = BmpHeaders(image.Width(), image.Height());
        file.encoded.assign(headers.begin(), headers.end());
        file.pixels = {image.Bits(), image.PixelBytes()};
    }
    return file;
}

std::wstring WriteImageFile(const ImageFileBytes& file, const std::wstring& path, ImageFileNamer* namer,
                            const ImageFileCalls& calls) {
    std::wstring target = path, temporary;
    KernelHandle handle = CreateTemporary(target, temporary, namer);
    DWORD error = 0;
    const bool complete =
        WriteWhole(handle.get(), file.encoded.data(), static_cast<DWORD>(file.encoded.size()), calls, error) &&
        (file.pixels.empty() ||
         WriteWhole(handle.get(), file.pixels.data(), static_cast<DWORD>(file.pixels.size()), calls, error));
    if (!complete) {
        handle.Close();
    } else if (!handle.Close()) {
        error = GetLastError();
    } else {
        return MoveIntoPlace(temporary, target, namer, calls);
    }
    DeleteFileW(temporary.c_str());  // a partial image is worse than none
    throw ImageWriteError(__FILE__, __LINE__, error, target);
}

void OutputTeller::operator()(const std::wstring& text) const {
    if (report)
        *report += text + L"\r\n";
    else
        MessageBoxW(IsWindow(owner) ? owner : nullptr, text.c_str(), App().title.c_str(), MB_ICONEXCLAMATION);
}

void CopyImageOrTell(const OutputTeller& tell, const CapturedImage& image, std::span<const std::uint8_t> png) {
    CopyImageToClipboard(tell.owner, image, png, [tell](bool placed) {
        if (!placed) tell(App().GetText(TextImageNotPutOnClipboard));
    });
}

void WriteCaptureOutput(HDC outputDC, HWND owner, const std::wstring& path, POINT position, SIZE size) {
    const ImageFormat format = ImageFormatSetting();
    const CapturedImage image = CaptureArea(outputDC, position, size);
    const ImageFileBytes file = EncodeImageFile(image, format);
    WriteImageFile(file, path, nullptr);
    if (ClipBoardSetting() != ClipBoardViewOnly) CopyImageOrTell(OutputTeller(owner), image, file.Png());
}

CaptureResult FinishCapture(ImageFileNamer& namer, HDC outputDC, HWND owner, POINT position, SIZE size,
                            const CaptureRequest& request) {
    return OutputImage(namer, CaptureArea(outputDC, position, size), owner, request);
}

CaptureResult OutputImage(ImageFileNamer& namer, CapturedImage image, HWND owner, const CaptureRequest& request) {
    const ImageFormat format = request.raw ? ImageFormatPng : FileFormatOf(request.file).value_or(ImageFormatSetting());
    const ClipBoardMode clipBoard = ClipBoardSetting();
    CaptureResult result;
    const OutputTeller tell(owner, request.reportInResult ? std::make_shared<std::wstring>() : nullptr);
    result.outputReport = tell.report;
    const ImageFileBytes file = EncodeImageFile(image, format);
    std::wstring written;
    if (request.raw) {
        result.png = file.encoded;
    } else {
        try {
            const bool named = request.file.empty();
            written =
                WriteImageFile(file, named ? NextImagePath(namer, format) : request.file, named ? &namer : nullptr);
        } catch (const ImageWriteError& error) {
            // The pick is not lost: whatever the settings say, the clipboard keeps it, unless told to
            // leave it be. What is told names the clipboard's outcome, so it waits for that.
            if (request.noClipboard)
                tell(ImageNotWrittenText(error, std::nullopt));
            else
                CopyImageToClipboard(owner, image, file.Png(),
                                     [tell, error](bool kept) { tell(ImageNotWrittenText(error, kept)); });
            result.outcome = CaptureOutcome::Failed;
            return result;
        }
    }
    if (clipBoard != ClipBoardViewOnly && !request.noClipboard) CopyImageOrTell(tell, image, file.Png());
    if (clipBoard != ClipBoardCopyOnly && !request.noViewer && !request.raw &&
        !LaunchViewer(owner, Store().GetString(KeyViewer), written))
        tell(App().GetText(TextViewerFailed));
    result.outcome = CaptureOutcome::Written;
    if (request.keepImage) result.image = std::make_unique<CapturedImage>(std::move(image));
    return result;
}

}  // namespace Vorlune
