#include "core/ClipBoardMode.h"

#include <gtest/gtest.h>

namespace Vorlune {
namespace {

// A value edited by hand copies the image and starts the viewer, as the page's first entry says.
TEST(ClipBoardMode, AnyOtherValueCopiesAndViews) {
    for (const int stored : {-1, 4, 100}) EXPECT_EQ(ClipBoardModeOf(stored), ClipBoardCopyAndView) << stored;
}

}  // namespace
}  // namespace Vorlune
