#include "core/CommandReply.h"

#include <gtest/gtest.h>

namespace Vorlune {
namespace {

TEST(CommandReply, ComesBackAsItWasPacked) {
    const CommandReply sent{2, L"画像 could not be written\r\n", {0x89, 'P', 'N', 'G', 0x00, 0xFF}};
    const std::optional<CommandReply> got = UnpackReply(PackReply(sent));
    ASSERT_TRUE(got);
    EXPECT_EQ(got->exitCode, 2);
    EXPECT_EQ(got->report, sent.report);
    EXPECT_EQ(got->png, sent.png);
}

TEST(CommandReply, AReplyShorterThanItsReportIsRefused) {
    std::vector<std::uint8_t> bytes = PackReply({0, L"abc", {}});
    bytes.pop_back();
    EXPECT_EQ(UnpackReply(bytes), std::nullopt);
    EXPECT_EQ(UnpackReply(std::vector<std::uint8_t>(7)), std::nullopt);
}

}  // namespace
}  // namespace Vorlune
