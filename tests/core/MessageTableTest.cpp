#include "core/MessageTable.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

namespace Vorlune {
namespace {

TEST(MessageTable, ASecondHandlerForAMessageIsRefusedAndTheFirstStays) {
    MessageTable<std::string> table;
    table.Add(15, "first");
    EXPECT_THROW(table.Add(15, "second"), std::logic_error);
    ASSERT_NE(table.Find(15), nullptr);
    EXPECT_EQ(*table.Find(15), "first");
}

// A capture mode made again after the last one went registers anew.
TEST(MessageTable, AfterClearEveryMessageTakesAHandlerAgain) {
    MessageTable<std::string> table;
    table.Add(15, "first");
    table.Clear();
    EXPECT_TRUE(table.Empty());
    table.Add(15, "again");
    EXPECT_EQ(*table.Find(15), "again");
}

}  // namespace
}  // namespace Vorlune
