#pragma once
#include <gtest/gtest.h>

#include <memory>

#include "CaptureProbe.h"

namespace Vorlune::Test {

// Left monitor (-1920, 0)-(0, 1080), primary (0, 0)-(1920, 1080): snapshot x = screen x + 1920.
constexpr LONG kShift = 1920;

// A capture mode with its overlay, on the two-monitor display.
template <class Mode>
class DualModeTest : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(GetSystemMetrics(SM_XVIRTUALSCREEN), -kShift);
        mode = MakeCaptureMode<Mode>(owner.Handle());
    }
    void TearDown() override { mode.reset(); }

    OwnerWindow owner;
    std::unique_ptr<Mode> mode;
};

}  // namespace Vorlune::Test
