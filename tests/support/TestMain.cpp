#include <gtest/gtest.h>

#include "MessageBoxWatcher.h"
#include "Scratch.h"

// In-process code keeps its INI and image files in this run's scratch, never the prefix's temp.
int main(int argc, char** argv) {
    static Vorlune::Test::ScratchDir temp;
    SetEnvironmentVariableW(L"TMP", temp.Path().c_str());
    SetEnvironmentVariableW(L"TEMP", temp.Path().c_str());
    // A box of this process that no test expects would hold its thread until the run's deadline.
    Vorlune::Test::MessageBoxWatcher unexpected(0, IDOK, {}, false);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
