#include "core/DelaySeconds.h"

#include <gtest/gtest.h>

namespace Vorlune {
namespace {

TEST(DelaySeconds, AreTheLeadingNumber) { EXPECT_EQ(ParseDelaySeconds(L" 2x"), 2); }

}  // namespace
}  // namespace Vorlune
