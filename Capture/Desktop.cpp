#include <windows.h>

#include "Capture/BmpLayout.h"
#include "Capture/CaptureErrors.h"
#include "Capture/CaptureOutput.h"
#include "Capture/Dib.h"
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

int ClipBoardSetting() { return Settings().GetInt(SectionSettings, KeyClipBoard); }

std::wstring WriteOutput(HDC outputDC, HWND owner, const std::wstring& path, POINT position, SIZE size,
                         ImageFileNamer* namer, int clipBoard) {
    const CapturedImage image = CaptureArea(outputDC, position, size);
    std::wstring written = WriteImageFile(image, path, namer);
    if (clipBoard != ClipBoardViewOnly) CopyImageToClipboard(owner, image);
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

std::wstring WriteImageFile(const CapturedImage& image, const std::wstring& path, ImageFileNamer* namer,
                            const ImageWriteFunction& write) {
    std::wstring target = path;
    KernelHandle file;
    for (;;) {
        file = KernelHandle(CreateFileW(target.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr));
        if (file.Valid()) break;
        const DWORD error = GetLastError();
        if (namer == nullptr || (error != ERROR_FILE_EXISTS && error != ERROR_ALREADY_EXISTS))
            throw AnExceptionImpl(TextBitmapCreationFailed, __FILE__, __LINE__, error);
        // Taken since the folder was listed: never overwrite, take the next free number.
        target = namer->NextImagePathAfterTaken(target);
        if (target.empty()) throw AnExceptionImpl(TextBitmapCreationFailed, __FILE__, __LINE__, error);
    }

    const auto headers = BmpHeaders(image.Width(), image.Height());
    DWORD error = 0;
    const bool complete = WriteWhole(file.get(), headers.data(), kBmpHeadersSize, write, error) &&
                          WriteWhole(file.get(), image.Bits(), image.PixelBytes(), write, error);
    if (!complete) {
        file.Close();
    } else if (!file.Close()) {
        error = GetLastError();
    } else {
        return target;
    }
    DeleteFileW(target.c_str());  // a partial image is worse than none
    throw AnExceptionImpl(TextBitmapCreationFailed, __FILE__, __LINE__, error);
}

void WriteCaptureOutput(HDC outputDC, HWND owner, const std::wstring& path, POINT position, SIZE size) {
    WriteOutput(outputDC, owner, path, position, size, nullptr, ClipBoardSetting());
}

void FinishCapture(ImageFileNamer& namer, HDC outputDC, HWND owner, POINT position, SIZE size) {
    const std::wstring path = namer.NextImagePath(GetSaveFolder());
    if (path.empty()) throw AnExceptionImpl(TextBitmapCreationFailed, __FILE__, __LINE__, ERROR_FILE_EXISTS);
    const int clipBoard = ClipBoardSetting();
    const std::wstring written = WriteOutput(outputDC, owner, path, position, size, &namer, clipBoard);
    if (clipBoard == ClipBoardCopyOnly) return;
    if (!LaunchViewer(owner, Settings().GetString(KeyViewer), written))
        MessageBoxW(owner, App().GetText(TextViewerFailed).c_str(), App().title.c_str(), MB_ICONEXCLAMATION);
}

}  // namespace Vorlune
