#pragma once
#include <windows.h>

#include <stdexcept>

#include "settings/TextId.h"

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

}  // namespace Vorlune
