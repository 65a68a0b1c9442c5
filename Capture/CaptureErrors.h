#pragma once
#include <windows.h>

#include <optional>
#include <stdexcept>
#include <string>

#include "core/TextId.h"

namespace Vorlune {

// An overlay window could not be created. what() is the six-line report, headline in
// brackets, in the thread's ANSI code page and the language current when raised.
class CaptureException : public std::runtime_error {
public:
    CaptureException(const char* file, int line, DWORD lastError);
};

// An image file could not be written. what() is the six-line report with "File=",
// "Line=" and "GetLastError()=" lines.
class AnExceptionImpl : public std::runtime_error {
public:
    AnExceptionImpl(TextId textId, const char* file, int line, DWORD lastError);
};

// The image file at path could not be written; lastError is the system's reason.
class ImageWriteError : public AnExceptionImpl {
public:
    ImageWriteError(const char* file, int line, DWORD lastError, std::wstring path)
        : AnExceptionImpl(TextBitmapCreationFailed, file, line, lastError),
          lastError_(lastError),
          path_(std::move(path)) {}
    DWORD LastError() const { return lastError_; }
    const std::wstring& Path() const { return path_; }

private:
    DWORD lastError_;
    std::wstring path_;
};

// The system's message for error, its code beside it: the message alone may be vague. An
// HRESULT's code is in hex, as the system's tools show it; a system error's in decimal.
std::wstring SystemReason(DWORD error);

// What the user is told of a capture whose file could not be written: where, the system's
// reason, and whether the image is on the clipboard instead, unless it was not to be put there.
// In the current language.
std::wstring ImageNotWrittenText(const ImageWriteError& error, std::optional<bool> onClipboard);

}  // namespace Vorlune
