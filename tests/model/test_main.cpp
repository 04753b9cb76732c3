#include <gtest/gtest.h>
#include <stdlib.h>

#include "model_support.h"

int main(int argc, char** argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    // The applet class file is taken from a stand-in server folder, and nothing may reach
    // the user's own settings.
    snippo::SetServerFolder(snippo::test::TestServerFolder());
    setenv("SNIPPO_REGISTRY", (snippo::test::TestServerFolder() + "/registry").c_str(), 1);
    return RUN_ALL_TESTS();
}
