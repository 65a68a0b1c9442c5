#include "core/PageRoom.h"

#include <gtest/gtest.h>

namespace Vorlune {
namespace {

// Each way on its own: the widest page sets the growth across, the tallest the growth down.
TEST(PageRoom, TheAreaGrowsByWhatTheLargestPageLacksEachWay) {
    EXPECT_EQ(RoomToGrow({10, 10, 410, 310}, {{380, 320}, {450, 200}}), (Size{50, 20}));
}

TEST(PageRoom, PagesThatFitLeaveTheAreaAsItIs) {
    EXPECT_EQ(RoomToGrow({10, 10, 410, 310}, {{400, 300}, {10, 10}}), (Size{0, 0}));
}

}  // namespace
}  // namespace Vorlune
