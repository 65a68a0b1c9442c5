#pragma once
#include <cstdint>
#include <vector>

#include "Capture/CapturedImage.h"

namespace Vorlune {

// The image as the bytes of a PNG file through the Windows Imaging Component: 24-bit RGB,
// no alpha, the same pixels. Throws AnExceptionImpl with the failing call's code.
std::vector<std::uint8_t> EncodePng(const CapturedImage& image);

}  // namespace Vorlune
