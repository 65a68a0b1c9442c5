#include <gtest/gtest.h>

#include "MessageBoxWatcher.h"
#include "Process.h"
#include "Scratch.h"

namespace Vorlune::Test {
namespace {

TEST(Start, OpensToolbarWithDefaults) {
    ScratchDir temp;
    Process glimra(GlimraExePath(), temp.Path());
    HWND hwnd = glimra.WaitWindow(L"Glimra", L"Glimra");
    ASSERT_NE(hwnd, nullptr);
    RECT rect = {};
    GetWindowRect(hwnd, &rect);
    EXPECT_EQ(rect.left, 100);
    EXPECT_EQ(rect.top, 100);
    PostMessageW(hwnd, WM_CLOSE, 0, 0);
    EXPECT_EQ(glimra.WaitExit(), 0u);
}

}  // namespace
}  // namespace Vorlune::Test
