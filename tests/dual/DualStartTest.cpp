#include <gtest/gtest.h>

#include "Process.h"
#include "Scratch.h"

namespace Vorlune::Test {
namespace {

TEST(TwoMonitors, VirtualScreenStartsLeftOfPrimary) {
    EXPECT_EQ(GetSystemMetrics(SM_XVIRTUALSCREEN), -1920);
    EXPECT_EQ(GetSystemMetrics(SM_CXVIRTUALSCREEN), 3840);
}

}  // namespace
}  // namespace Vorlune::Test
