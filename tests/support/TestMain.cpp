#include <gtest/gtest.h>

#include "Scratch.h"

// In-process code keeps its INI and image files in this run's scratch, never the prefix's temp.
int main(int argc, char** argv) {
    static Vorlune::Test::ScratchDir temp;
    SetEnvironmentVariableW(L"TMP", temp.Path().c_str());
    SetEnvironmentVariableW(L"TEMP", temp.Path().c_str());
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
