#include <gtest/gtest.h>

#include "Scratch.h"

// In-process code keeps its INI and image files in a scratch temp folder of this run,
// never in the prefix's real one.
int main(int argc, char** argv) {
    static Vorlune::Test::ScratchDir temp;
    SetEnvironmentVariableW(L"TMP", temp.Path().c_str());
    SetEnvironmentVariableW(L"TEMP", temp.Path().c_str());
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
