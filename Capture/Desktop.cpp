#include <windows.h>

#include "Capture/BmpLayout.h"
#include "Capture/CaptureErrors.h"
#include "Capture/CaptureOutput.h"
#include "Capture/Dib.h"
#include "Capture/PngEncoder.h"
#include "Capture/Viewer.h"
#include "app/AppContext.h"
#include "settings/ClipBoardMode.h"
#include "settings/ImageFolder.h"
#include "settings/SettingsStore.h"
#include "ui/GdiOwners.h"

namespace Vorlune {

namespace {

// Writes all of data; on failure error is the code of the failing call.
bool WriteWhole(HANDLE file, const void* data, DWORD size, const ImageWriteFunction& write, DWORD& error) {
    DWORD written = 0;
    const BOOL ok = write ? write(file, data, size, &written) : WriteFile(file, data, size, &written, nullptr);
    if (!ok) {
        error = GetLastError();
        return false;
    }
    if (written != size) {
        error = ERROR_WRITE_FAULT;  // the call reported success and wrote short
        return false;
    }
    return true;
}

// Named after its image and this process, so no other writer picks the same name.
std::wstring TemporaryPath(const std::wstring& path) {
    return path + L"." + std::to_wstring(GetCurrentProcessId()) + L".tmp";
}

// Moves the complete file at temporary to target without replacing anything; a name taken
// since it was picked moves on to the namer's next free one. On failure the file goes.
std::wstring MoveIntoPlace(const std::wstring& temporary, std::wstring target, ImageFileNamer* namer) {
    while (!MoveFileExW(temporary.c_str(), target.c_str(), 0)) {
        const DWORD error = GetLastError();
        const bool taken = error == ERROR_ALREADY_EXISTS || error == ERROR_FILE_EXISTS;
        if (taken && namer != nullptr) target = namer->NextImagePathAfterTaken(target);
        if (!taken || namer == nullptr || target.empty()) {
            DeleteFileW(temporary.c_str());
            throw AnExceptionImpl(TextBitmapCreationFailed, __FILE__, __LINE__, error);
        }
    }
    return target;
}

int ClipBoardSetting() { return Store().GetInt(SectionSettings, KeyClipBoard); }
ImageFormat ImageFormatSetting() { return ImageFormatOf(Store().GetInt(SectionSettings, KeyImageFormat)); }

std::wstring WriteOutput(HDC outputDC, HWND owner, const std::wstring& path, POINT position, SIZE size,
                         ImageFileNamer* namer, int clipBoard, ImageFormat format) {
    const CapturedImage image = CaptureArea(outputDC, position, size);
    const ImageFileBytes file = EncodeImageFile(image, format);
    std::wstring written = WriteImageFile(file, path, namer);
    if (clipBoard != ClipBoardViewOnly) CopyImageToClipboard(owner, image, file.Png());
    return written;
}

}  // namespace

CapturedImage CaptureArea(HDC source, POINT position, SIZE size) {
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
                            const ImageWriteFunction& write) {
    const std::wstring temporary = TemporaryPath(path);
    KernelHandle handle(CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!handle.Valid()) throw AnExceptionImpl(TextBitmapCreationFailed, __FILE__, __LINE__, GetLastError());
    DWORD error = 0;
    const bool complete =
        WriteWhole(handle.get(), file.encoded.data(), static_cast<DWORD>(file.encoded.size()), write, error) &&
        (file.pixels.empty() || WriteWhole(handle.get(), file.pixels.data(), static_cast<DWORD>(file.pixels.size()), write, error));
    if (!complete) {
        handle.Close();
    } else if (!handle.Close()) {
        error = GetLastError();
    } else {
        return MoveIntoPlace(temporary, path, namer);
    }
    DeleteFileW(temporary.c_str());  // a partial image is worse than none
    throw AnExceptionImpl(TextBitmapCreationFailed, __FILE__, __LINE__, error);
}

void WriteCaptureOutput(HDC outputDC, HWND owner, const std::wstring& path, POINT position, SIZE size) {
    WriteOutput(outputDC, owner, path, position, size, nullptr, ClipBoardSetting(), ImageFormatSetting());
}

void FinishCapture(ImageFileNamer& namer, HDC outputDC, HWND owner, POINT position, SIZE size) {
    const ImageFormat format = ImageFormatSetting();
    const std::wstring path = namer.NextImagePath(GetSaveFolder(), format);
    if (path.empty()) throw AnExceptionImpl(TextBitmapCreationFailed, __FILE__, __LINE__, ERROR_FILE_EXISTS);
    const int clipBoard = ClipBoardSetting();
    const std::wstring written = WriteOutput(outputDC, owner, path, position, size, &namer, clipBoard, format);
    if (clipBoard == ClipBoardCopyOnly) return;
    if (!LaunchViewer(owner, Store().GetString(KeyViewer), written))
        MessageBoxW(owner, App().GetText(TextViewerFailed).c_str(), App().title.c_str(), MB_ICONEXCLAMATION);
}

}  // namespace Vorlune
