#include <gtest/gtest.h>

#include "GlimraApp.h"

namespace Vorlune::Test {
namespace {

TEST(TwoMonitors, DisplayHasNegativeOrigin) {
    EXPECT_EQ(GetSystemMetrics(SM_XVIRTUALSCREEN), -1920);
    EXPECT_EQ(GetSystemMetrics(SM_YVIRTUALSCREEN), 0);
    EXPECT_EQ(GetSystemMetrics(SM_CXVIRTUALSCREEN), 3840);
    EXPECT_EQ(GetSystemMetrics(SM_CYVIRTUALSCREEN), 1080);
}

TEST(TwoMonitors, ToolbarStartsOnEitherMonitorAndComesBackFromOutside) {
    struct Case {
        const wchar_t* x;
        LONG expectedX;
    };
    // The middle of (-1920 .. 1920) is 0, on the primary monitor, not 1920 past its right edge.
    for (const Case& c : {Case{L"-1500", -1500}, Case{L"-1920", -1920}, Case{L"-3000", 0}, Case{L"1920", 0},
                          Case{L"1700", 1700}}) {
        GlimraApp app;
        app.WriteIni(std::wstring(L"[App]\r\nPositionX=") + c.x + L"\r\nPositionY=200\r\n");
        ASSERT_TRUE(app.Start());
        EXPECT_EQ(app.WindowRect().left, c.expectedX) << Narrow(c.x);
        EXPECT_EQ(app.WindowRect().top, 200);
        EXPECT_EQ(app.Close(), 0u);
        EXPECT_EQ(IniValue(app.ReadIni(), L"App", L"PositionX"), std::to_wstring(c.expectedX));
    }
}

}  // namespace
}  // namespace Vorlune::Test
