#include "core/ImageFormat.h"

#include <gtest/gtest.h>

namespace Vorlune {
namespace {

// Only 1 chooses PNG; a value the page does not offer keeps the images BMP.
TEST(ImageFormat, StoredValuesOtherThanPngAreBmp) {
    for (const int stored : {0, 2, -1}) EXPECT_EQ(ImageFormatOf(stored), ImageFormatBmp) << stored;
}

}  // namespace
}  // namespace Vorlune
