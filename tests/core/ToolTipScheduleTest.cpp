#include "core/ToolTipSchedule.h"

#include <gtest/gtest.h>

namespace Vorlune {
namespace {

TEST(ToolTipSchedule, AHintIsDueOnlyMoreThan500MsAfterTheLatestRequest) {
    ToolTipSchedule schedule;
    schedule.Request(1000);
    const std::uint64_t latest = schedule.Request(1200);
    EXPECT_EQ(schedule.Next(1700).waitMs, 1u);
    EXPECT_EQ(schedule.Next(1701).waitMs, 0u);
    EXPECT_EQ(schedule.Next(1701).serial, latest);
}

TEST(ToolTipSchedule, ACancelLeavesNothingPending) {
    ToolTipSchedule schedule;
    const std::uint64_t serial = schedule.Request(1000);
    schedule.Cancel();
    EXPECT_EQ(schedule.Next(5000).serial, 0u);
    EXPECT_FALSE(schedule.IsPending(serial));
}

}  // namespace
}  // namespace Vorlune
