#pragma once

namespace Vorlune {

// Values of the ImageFormat setting: the file format of the captured images.
enum ImageFormat {
    ImageFormatBmp = 0,  // 24-bit, uncompressed
    ImageFormatPng = 1,  // 24-bit RGB, lossless
};

// Any stored value but PNG's is taken as BMP, so a damaged setting still writes images.
constexpr ImageFormat ImageFormatOf(int stored) { return stored == ImageFormatPng ? ImageFormatPng : ImageFormatBmp; }

}  // namespace Vorlune
