#include "core/Colours.h"

#include <gtest/gtest.h>

namespace Vorlune {
namespace {

// A stored index outside the table's 16 entries draws in red.
TEST(AuxiliaryLineColor, OutsideTheTableIsRed) {
    EXPECT_EQ(AuxiliaryLineColorAt(15), 0xFFFFFFu);
    EXPECT_EQ(AuxiliaryLineColorAt(16), 0x0000FFu);
    EXPECT_EQ(AuxiliaryLineColorAt(-1), 0x0000FFu);
}

}  // namespace
}  // namespace Vorlune
